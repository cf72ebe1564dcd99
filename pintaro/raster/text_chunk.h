// Text kept in a PNG file beside the picture.
#pragma once

#include <string>

namespace raster {

// Keyword (Latin-1 letters, 1 to 79 of them) and its UTF-8 text. Other
// formats have no place for it.
struct TextChunk {
    std::string keyword;
    std::string text;
};

}  // namespace raster
