// Which file formats a drawing can be saved in, chosen by the file name's
// extension, and how a path splits into folder, name and extension.
#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "raster/image.h"
#include "raster/raster_error.h"
#include "raster/vector_file.h"

namespace turtle {

enum class SaveKind {
    Raster,  // the image's pixels, written by gdk-pixbuf
    Vector,  // the drawing's record, written by the raster layer's vector writer
};

// Which formats a front end offers: the drawing program writes pixels only,
// veskel also the drawing as vectors.
enum class FormatChoice { RasterOnly, WithVectors };

// One row of the save formats. The table is the one list of them: the
// refusal messages, the front ends' help and the docs' lists follow it.
struct SaveFormat {
    std::string_view name;       // as the refusal lists it; rows that share a name are listed once
    std::string_view extension;  // lower case, dot included
    SaveKind kind;
    const char* pixbufType;      // Raster: gdk-pixbuf saver name
    raster::VectorFormat vector;  // Vector: the format the vector writer makes
    int quality;                 // JPEG quality, or -1 for none
};

// Every row, in the order the refusal lists them.
std::span<const SaveFormat> saveFormats();

// "Please save as BMP, PNG or JPG.": the names of the formats offered, each
// once, in table order.
std::string saveAsMessage(FormatChoice choice);

// The rows of one kind, in table order: each name once ("BMP", "PNG",
// "JPG"), or every extension (".bmp", ".png", ".jpg", ".jpeg").
std::vector<std::string_view> saveFormatNames(SaveKind kind);
std::vector<std::string_view> saveFormatExtensions(SaveKind kind);

// The items as a sentence lists them: "a", "a or b", "a, b or c".
std::string listInWords(const std::vector<std::string>& items, std::string_view lastJoin = " or ");

// Raised for a file name whose extension is not a raster row of the table,
// so callers can tell it from a failed write.
struct UnsupportedFormat : raster::RasterError {
    UnsupportedFormat() : raster::RasterError(saveAsMessage(FormatChoice::RasterOnly)) {}
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

// The format for a path's extension compared in ASCII lower case, among
// those offered, or null.
const SaveFormat* saveFormatFor(std::string_view path, FormatChoice choice = FormatChoice::RasterOnly);

// Writes the image in the format its path names; a PNG also keeps `script`,
// when there is one, as the picture's script (drawing_script.h). Raises
// UnsupportedFormat (writing nothing) or raster::RasterError with the
// saver's message.
void saveByExtension(const raster::Image& image, const std::string& path, std::string_view script = {});

}  // namespace turtle
