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

// gdk-pixbuf's message, or the fallback. The GError itself cannot be freed
// through the loaded function table (it has no g_error_free); it is small
// and only made on failure.
std::string messageOf(const GError* error) {
    if (error && error->message && *error->message) return error->message;
    return "Unknown error";
}

// cairo hands back an inert "nil" surface instead of null when it cannot
// make one; only a real surface of a non-empty size has pixel memory.
bool allocated(cairo_surface_t* s, int width, int height) {
    if (width == 0 || height == 0) return true;
    return gtk().cairo_image_surface_get_data(s) != nullptr;
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
    if (!allocated(s.get(), width, height))
        throw ToolkitError("Cannot create an image of " + std::to_string(width) + " x " +
                           std::to_string(height) + " pixels.");
    adopt(std::move(s));
}

void Image::loadFromFile(const std::string& path) {
    release();
    const auto& g = gtk();
    GError* error = nullptr;
    Pixbuf raw(g.gdk_pixbuf_new_from_file(path.c_str(), &error));
    if (!raw) throw ToolkitError(messageOf(error));
    Pixbuf upright(g.gdk_pixbuf_apply_embedded_orientation(raw.get()));
    if (!upright) throw ToolkitError("Unknown error");
    Surface fromFile(g.gdk_cairo_surface_create_from_pixbuf(upright.get(), 1, nullptr));
    const int w = g.cairo_image_surface_get_width(fromFile.get());
    const int h = g.cairo_image_surface_get_height(fromFile.get());
    if (!allocated(fromFile.get(), w, h) || (w == 0 && h == 0))
        throw ToolkitError("Cannot create an image for the pixels of " + path + ".");
    // Pictures without alpha come back as 24-bit surfaces; copying onto an
    // ARGB surface keeps every image in the one pixel format.
    Surface argb(g.cairo_image_surface_create(CAIRO_FORMAT_ARGB32, w, h));
    if (!allocated(argb.get(), w, h))
        throw ToolkitError("Cannot create an image of " + std::to_string(w) + " x " + std::to_string(h) +
                           " pixels.");
    {
        Context cr(g.cairo_create(argb.get()));
        g.cairo_set_source_surface(cr.get(), fromFile.get(), 0, 0);
        g.cairo_paint(cr.get());
    }
    adopt(std::move(argb));
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
    if (!ok) throw ToolkitError(messageOf(error));
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
