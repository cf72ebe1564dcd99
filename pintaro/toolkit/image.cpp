#include "image.h"


#include <cstring>
#include <string>

#include "gtk_api.h"
#include "toolkit_error.h"

namespace toolkit {
namespace {

struct ObjectDeleter {
    void operator()(void* object) const { gtk().g_object_unref(object); }
};
using Pixbuf = std::unique_ptr<GdkPixbuf, ObjectDeleter>;
using Surface = std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, CairoContextDeleter>;

// gdk-pixbuf's message, or the fallback; frees the error.
std::string takeMessage(GError* error) {
    std::string message = "Unknown error";
    if (error && error->message && *error->message) message = error->message;
    if (error && gtk().g_error_free) gtk().g_error_free(error);
    return message;
}

// cairo hands back an inert "nil" surface instead of null when it cannot
// make one; only a real surface of a non-empty size has pixel memory.
bool allocated(cairo_surface_t* s, int width, int height) {
    if (width == 0 || height == 0) return true;
    return gtk().cairo_image_surface_get_data(s) != nullptr;
}

[[noreturn]] void cannotCreate(std::int64_t width, std::int64_t height) {
    throw ToolkitError("Cannot create an image of " + std::to_string(width) + " x " + std::to_string(height) +
                       " pixels.");
}

}  // namespace

void Image::release() {
    fCanvas.detach();
    fContext.reset();
    fSurface.reset();
    fCanvas.fWidth = 0;
    fCanvas.fHeight = 0;
}

void Image::adopt(Surface surface) {
    const auto& g = gtk();
    const int w = g.cairo_image_surface_get_width(surface.get());
    const int h = g.cairo_image_surface_get_height(surface.get());
    fContext.reset(g.cairo_create(surface.get()));
    fSurface = std::move(surface);
    fCanvas.attach(fContext.get(), w, h);
}

void Image::resize(int width, int height) {
    release();
    if (width < 0 || height < 0)
        throw ToolkitError("Invalid image size " + std::to_string(width) + " x " + std::to_string(height) + ".");
    Surface s(gtk().cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height));
    if (!allocated(s.get(), width, height)) cannotCreate(width, height);
    adopt(std::move(s));
}

namespace {

// Copies 8-bit RGB or RGBA rows into a premultiplied ARGB32 surface.
bool canReadPixels() {
    const auto& g = gtk();
    return g.gdk_pixbuf_get_width && g.gdk_pixbuf_get_height && g.gdk_pixbuf_get_rowstride &&
           g.gdk_pixbuf_get_n_channels && g.gdk_pixbuf_get_has_alpha && g.gdk_pixbuf_get_pixels;
}

Surface copyPixels(const GdkPixbuf* pixbuf) {
    const auto& g = gtk();
    const int w = g.gdk_pixbuf_get_width(pixbuf), h = g.gdk_pixbuf_get_height(pixbuf);
    const int stride = g.gdk_pixbuf_get_rowstride(pixbuf), channels = g.gdk_pixbuf_get_n_channels(pixbuf);
    const bool alpha = g.gdk_pixbuf_get_has_alpha(pixbuf);
    Surface s(g.cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
    if (!allocated(s.get(), w, h)) cannotCreate(w, h);
    if (w == 0 || h == 0) return s;
    const guchar* src = g.gdk_pixbuf_get_pixels(pixbuf);
    unsigned char* dst = g.cairo_image_surface_get_data(s.get());
    const int dstStride = g.cairo_image_surface_get_stride(s.get());
    g.cairo_surface_flush(s.get());
    for (int row = 0; row < h; ++row) {
        const guchar* in = src + static_cast<std::ptrdiff_t>(row) * stride;
        unsigned char* out = dst + static_cast<std::ptrdiff_t>(row) * dstStride;
        for (int col = 0; col < w; ++col, in += channels, out += 4) {
            const unsigned a = alpha ? in[3] : 255;
            auto pre = [a](unsigned c) { return (c * a + 127) / 255; };
            const std::uint32_t argb = a << 24 | pre(in[0]) << 16 | pre(in[1]) << 8 | pre(in[2]);
            std::memcpy(out, &argb, 4);
        }
    }
    g.cairo_surface_mark_dirty(s.get());
    return s;
}

// The platform's conversion needs a display (it asks the default screen for
// a similar surface); without one the pixels are copied here. Either way
// the result is one 32-bit premultiplied ARGB surface.
Surface surfaceFromPixbuf(GdkPixbuf* pixbuf, const std::string& path) {
    const auto& g = gtk();
    if (!g.gdk_screen_get_default()) {
        if (!canReadPixels()) throw ToolkitError("Cannot read the pixels of " + path + " without a display.");
        return copyPixels(pixbuf);
    }
    Surface fromFile(g.gdk_cairo_surface_create_from_pixbuf(pixbuf, 1, nullptr));
    const int w = g.cairo_image_surface_get_width(fromFile.get());
    const int h = g.cairo_image_surface_get_height(fromFile.get());
    if (!allocated(fromFile.get(), w, h)) throw ToolkitError("Cannot create an image for the pixels of " + path + ".");
    // Pictures without alpha come back as 24-bit surfaces; copying onto an
    // ARGB surface keeps every image in the one pixel format.
    Surface argb(g.cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
    if (!allocated(argb.get(), w, h)) cannotCreate(w, h);
    Context cr(g.cairo_create(argb.get()));
    g.cairo_set_source_surface(cr.get(), fromFile.get(), 0, 0);
    g.cairo_paint(cr.get());
    return argb;
}

}  // namespace

void Image::loadFromFile(const std::string& path) {
    release();
    const auto& g = gtk();
    GError* error = nullptr;
    Pixbuf raw(g.gdk_pixbuf_new_from_file(path.c_str(), &error));
    if (!raw) throw ToolkitError(takeMessage(error));
    Pixbuf upright(g.gdk_pixbuf_apply_embedded_orientation(raw.get()));
    if (!upright) throw ToolkitError("Unknown error");
    adopt(surfaceFromPixbuf(upright.get(), path));
}

void Image::saveToPngFile(const std::string& path) const { save(path, "png"); }
void Image::saveToBitmapFile(const std::string& path) const { save(path, "bmp"); }
void Image::saveToJpegFile(const std::string& path, int quality) const { save(path, "jpeg", quality); }

void Image::save(const std::string& path, const char* type, int quality) const {
    if (!fSurface) throw ToolkitError("Image is not initialized.");
    const auto& g = gtk();
    g.cairo_surface_flush(fSurface.get());
    Pixbuf pixbuf(g.gdk_pixbuf_get_from_surface(fSurface.get(), 0, 0, width(), height()));
    if (!pixbuf) throw ToolkitError("Unknown error");
    GError* error = nullptr;
    gboolean ok;
    if (quality >= 0) {
        const std::string q = std::to_string(quality);
        ok = g.gdk_pixbuf_save(pixbuf.get(), path.c_str(), type, &error, "quality", q.c_str(), nullptr);
    } else {
        ok = g.gdk_pixbuf_save(pixbuf.get(), path.c_str(), type, &error, nullptr);
    }
    if (!ok) throw ToolkitError(takeMessage(error));
}

Color Image::pixel(int x, int y) const {
    if (!fSurface || x < 0 || y < 0 || x >= width() || y >= height()) throw ToolkitError("Pixel is out of range.");
    const auto& g = gtk();
    g.cairo_surface_flush(fSurface.get());
    const unsigned char* row =
        g.cairo_image_surface_get_data(fSurface.get()) + static_cast<std::ptrdiff_t>(y) * g.cairo_image_surface_get_stride(fSurface.get());
    std::uint32_t argb;
    std::memcpy(&argb, row + 4 * static_cast<std::ptrdiff_t>(x), 4);
    const unsigned a = argb >> 24;
    if (a == 0) return Color(0, 0, 0, 0);
    auto unpremultiply = [a](unsigned c) { return static_cast<std::uint8_t>((c * 255 + a / 2) / a); };
    return Color(unpremultiply((argb >> 16) & 0xff), unpremultiply((argb >> 8) & 0xff), unpremultiply(argb & 0xff),
                 static_cast<std::uint8_t>(a));
}

}  // namespace toolkit
