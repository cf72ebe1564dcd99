// An off-screen 32-bit premultiplied ARGB picture with a canvas to draw on
// it, and its image files: any format gdk-pixbuf reads, PNG, BMP and JPEG
// written. Needs only the raster table, never a display.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "canvas.h"
#include "color.h"
#include "text_chunk.h"

namespace raster {

class Image {
public:
    // No surface until resize or load; draws through `api`, which must
    // outlive the image.
    explicit Image(const RasterApi& api);
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // Drops the old surface and creates a transparent one of the new size;
    // the canvas keeps its other fields. Raises RasterError for a negative
    // size or one that cannot be allocated, leaving the image without
    // surface, and for more than limits::kMaxImagePixels pixels ("Image is
    // too large: ..."), leaving the image as it was.
    void resize(int width, int height);

    // Replaces the pixels and size with those of an image file. On failure
    // the image has no surface and the error carries gdk-pixbuf's message
    // (or "Unknown error"), or says the picture is too large: a file whose
    // header declares more than limits::kMaxImagePixels pixels is refused
    // before it is decoded. Returns the file's text chunk named `keyword`
    // when one is asked for and the file has it (PNG only).
    std::optional<std::string> loadFromFile(const std::string& path, std::string_view keyword = {});

    void saveToPngFile(const std::string& path) const;
    void saveToBitmapFile(const std::string& path) const;
    void saveToJpegFile(const std::string& path, int quality) const;
    // The common step: `type` is a gdk-pixbuf saver name, quality < 0 means
    // none; `text` goes into a PNG as text chunks and is ignored otherwise.
    // A PNG is written by libpng directly (png_file.h), BMP and JPEG by
    // gdk-pixbuf. The file is replaced whole or not at all
    // (writeFileAtomically); errors carry the encoder's message or the
    // system's reason.
    void save(const std::string& path, const char* type, int quality = -1,
              const std::vector<TextChunk>& text = {}) const;

    int width() const { return fCanvas.fWidth; }
    int height() const { return fCanvas.fHeight; }
    bool hasSurface() const { return fSurface != nullptr; }
    Canvas& canvas() { return fCanvas; }
    const Canvas& canvas() const { return fCanvas; }
    cairo_surface_t* surface() const { return fSurface.get(); }
    const RasterApi& raster() const { return fCanvas.raster(); }

    // One pixel, un-premultiplied; raises "Pixel is out of range." outside.
    Color pixel(int x, int y) const;

    // The raw pixels of a w x h rectangle at (x, y), row after row, as the
    // surface stores them (premultiplied ARGB32 words): for copying areas
    // quickly, where pixel() is for reading colours. The rectangle must lie
    // inside the image, else "Pixel is out of range.". Written pixels are
    // no drawing: a canvas's recorder does not see them.
    void readPixels(int x, int y, int w, int h, std::uint32_t* out) const;
    void writePixels(int x, int y, int w, int h, const std::uint32_t* in);

private:
    void release();
    // The surface's memory for a w x h rectangle at (x, y) inside the image,
    // flushed for direct access; raises "Pixel is out of range." otherwise.
    unsigned char* rectangle(int x, int y, int w, int h) const;
    void adopt(std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter> surface);
    const RasterApi& api() const { return fCanvas.raster(); }

    // The canvas is declared first so that it is destroyed last: it only
    // borrows the context below.
    Canvas fCanvas;
    std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter> fSurface;
    std::unique_ptr<cairo_t, CairoContextDeleter> fContext;  // attached to fCanvas
};

}  // namespace raster
