// An off-screen 32-bit premultiplied ARGB picture with a canvas to draw on
// it, and its image files: any format gdk-pixbuf reads, PNG, BMP and JPEG
// written. Needs only the raster table, never a display.
#pragma once

#include <memory>
#include <string>

#include "canvas.h"
#include "color.h"

namespace toolkit {

class Image {
public:
    // No surface until resize or load; draws through `api`, which must
    // outlive the image.
    explicit Image(const RasterApi& api);
    Image(const Image&) = delete;
    Image& operator=(const Image&) = delete;

    // Drops the old surface and creates a transparent one of the new size;
    // the canvas keeps its other fields. Raises ToolkitError for a negative
    // size or one that cannot be allocated, leaving the image without surface.
    void resize(int width, int height);

    // Replaces the pixels and size with those of an image file. On failure
    // the image has no surface and the error carries gdk-pixbuf's message
    // (or "Unknown error").
    void loadFromFile(const std::string& path);

    void saveToPngFile(const std::string& path) const;
    void saveToBitmapFile(const std::string& path) const;
    void saveToJpegFile(const std::string& path, int quality) const;
    // The common step: `type` is a gdk-pixbuf saver name, quality < 0 means none.
    void save(const std::string& path, const char* type, int quality = -1) const;

    int width() const { return fCanvas.fWidth; }
    int height() const { return fCanvas.fHeight; }
    bool hasSurface() const { return fSurface != nullptr; }
    Canvas& canvas() { return fCanvas; }
    const Canvas& canvas() const { return fCanvas; }
    cairo_surface_t* surface() const { return fSurface.get(); }
    const RasterApi& raster() const { return fCanvas.raster(); }

    // One pixel, un-premultiplied; raises "Pixel is out of range." outside.
    Color pixel(int x, int y) const;

private:
    void release();
    void adopt(std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter> surface);
    const RasterApi& api() const { return fCanvas.raster(); }

    // The canvas is declared first so that it is destroyed last: it only
    // borrows the context below.
    Canvas fCanvas;
    std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter> fSurface;
    std::unique_ptr<cairo_t, CairoContextDeleter> fContext;  // attached to fCanvas
};

}  // namespace toolkit
