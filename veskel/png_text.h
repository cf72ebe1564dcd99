// A text chunk read straight from a PNG file, without decoding the picture:
// a bounded walk over the chunks up to the first one with the keyword.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>
#include <string_view>

namespace veskel {

// What the walk found.
enum class PngTextFound {
    Text,       // the chunk's text, as UTF-8
    NoText,     // a PNG without a text chunk of that keyword
    NotPng,     // the file does not begin with the PNG signature
    TooBig,     // the chunk's text is longer than the limit
};

struct PngText {
    PngTextFound found = PngTextFound::NoText;
    std::string text;
};

// A file that cannot be opened or read, or a PNG damaged before the chunk
// was found (cut short, a wrong checksum on the chunk, bad compression).
struct PngTextError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads the first tEXt, zTXt or iTXt chunk of `keyword` from the file at
// `path`, as gdk-pixbuf's loader hands it over: tEXt and zTXt converted
// from Latin-1, iTXt taken as UTF-8, the text ending at a zero byte.
// Compressed text is inflated up to `maxBytes` and no further. Never waits
// for a FIFO's writer. Raises PngTextError with "Failed to open file
// “PATH”: REASON" when the file cannot be opened, or with what is wrong.
PngText readPngText(const std::string& path, std::string_view keyword, std::size_t maxBytes);

}  // namespace veskel
