#include "image_format.h"

#include <algorithm>
#include <vector>

#include "drawing_script.h"

namespace turtle {

namespace {

using raster::VectorFormat;

constexpr SaveFormat kSaveFormats[] = {
    {"BMP", ".bmp", SaveKind::Raster, "bmp", {}, -1},
    {"PNG", ".png", SaveKind::Raster, "png", {}, -1},
    {"JPG", ".jpg", SaveKind::Raster, "jpeg", {}, 80},
    {"JPG", ".jpeg", SaveKind::Raster, "jpeg", {}, 80},
    {"SVG", ".svg", SaveKind::Vector, nullptr, VectorFormat::Svg, -1},
    {"PDF", ".pdf", SaveKind::Vector, nullptr, VectorFormat::Pdf, -1},
};

bool offered(const SaveFormat& f, FormatChoice choice) {
    return f.kind == SaveKind::Raster || choice == FormatChoice::WithVectors;
}

}  // namespace

std::span<const SaveFormat> saveFormats() { return kSaveFormats; }

std::vector<std::string_view> saveFormatNames(SaveKind kind) {
    std::vector<std::string_view> names;
    for (const SaveFormat& f : kSaveFormats)
        if (f.kind == kind && std::find(names.begin(), names.end(), f.name) == names.end()) names.push_back(f.name);
    return names;
}

std::vector<std::string_view> saveFormatExtensions(SaveKind kind) {
    std::vector<std::string_view> extensions;
    for (const SaveFormat& f : kSaveFormats)
        if (f.kind == kind) extensions.push_back(f.extension);
    return extensions;
}

std::string listInWords(const std::vector<std::string>& items, std::string_view lastJoin) {
    std::string text;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i > 0) text += i + 1 == items.size() ? lastJoin : ", ";
        text += items[i];
    }
    return text;
}

std::string saveAsMessage(FormatChoice choice) {
    std::vector<std::string> names;
    for (const SaveFormat& f : kSaveFormats)
        if (offered(f, choice) && std::find(names.begin(), names.end(), f.name) == names.end())
            names.emplace_back(f.name);
    return "Please save as " + listInWords(names) + ".";
}

std::string_view fileExtension(std::string_view fileName) {
    for (std::size_t i = fileName.size(); i-- > 1;) {
        if (fileName[i] != '.') continue;
        if (i + 1 == fileName.size() || fileName[i + 1] == '.') continue;
        return fileName.substr(i);
    }
    return {};
}

PathParts splitPath(std::string_view path) {
    PathParts parts;
    const std::size_t slash = path.rfind('/');
    std::string_view file = path;
    if (slash != std::string_view::npos) {
        parts.folder = std::string(path.substr(0, slash));
        file = path.substr(slash + 1);
    }
    const std::string_view ext = fileExtension(file);
    parts.name = std::string(file.substr(0, file.size() - ext.size()));
    parts.extension = std::string(ext);
    return parts;
}

std::string lowerExtension(std::string_view path) {
    std::string ext = splitPath(path).extension;
    std::transform(ext.begin(), ext.end(), ext.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return ext;
}

const SaveFormat* saveFormatFor(std::string_view path, FormatChoice choice) {
    const std::string ext = lowerExtension(path);
    for (const SaveFormat& f : kSaveFormats)
        if (f.extension == ext && offered(f, choice)) return &f;
    return nullptr;
}

void saveByExtension(const raster::Image& image, const std::string& path, std::string_view script) {
    const SaveFormat* format = saveFormatFor(path);
    if (!format) throw UnsupportedFormat();
    std::vector<raster::TextChunk> text;
    if (!script.empty()) text.push_back({kScriptKeyword, scriptToKeep(script)});
    image.save(path, format->pixbufType, format->quality, text);
}

}  // namespace turtle
