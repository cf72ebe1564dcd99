// Which file formats a drawing can be saved in, chosen by the file name's
// extension, and how a path splits into folder, name and extension.
#pragma once

#include <string>
#include <string_view>

#include "image.h"
#include "toolkit_error.h"

namespace turtle {

struct SaveFormat {
    std::string_view extension;  // lower case, dot included
    const char* pixbufType;      // gdk-pixbuf saver name
    int quality;                 // JPEG quality, or -1 for none
};

// ".bmp", ".png", ".jpg", ".jpeg" in that order.
extern const SaveFormat kSaveFormats[4];

// The one message for an extension not in the table.
inline constexpr const char* kUnsupportedFormatMessage = "Please save as BMP, PNG or JPG.";

// Raised for a file name whose extension is not in the table, so callers can
// tell it from a failed write.
struct UnsupportedFormat : toolkit::ToolkitError {
    UnsupportedFormat() : toolkit::ToolkitError(kUnsupportedFormatMessage) {}
};

// A path taken apart: "dir/sub/tree.png" gives "dir/sub", "tree", ".png".
struct PathParts {
    std::string folder;
    std::string name;
    std::string extension;
};
PathParts splitPath(std::string_view path);

// The extension of a file name (no folder part): from the last dot that is
// neither the first nor the last character and not followed by another dot,
// to the end. ".png" and "picture." have none; "picture.png." has ".png.".
std::string_view fileExtension(std::string_view fileName);

// A path's extension in ASCII lower case ("" when it has none).
std::string lowerExtension(std::string_view path);

// The format for a path's extension compared in ASCII lower case, or null.
const SaveFormat* saveFormatFor(std::string_view path);

// Writes the image in the format its path names; a PNG also keeps `script`,
// when there is one, as the picture's script (drawing_script.h). Raises
// UnsupportedFormat (writing nothing) or toolkit::ToolkitError with the
// saver's message.
void saveByExtension(const toolkit::Image& image, const std::string& path, std::string_view script = {});

}  // namespace turtle
