#include "image.h"

#include <cstring>
#include <string>

#include "atomic_file.h"
#include "png_file.h"
#include "raster_api.h"
#include "raster_limits.h"
#include "recording.h"
#include "raster_error.h"

namespace raster {
namespace {

struct ObjectDeleter {
    const RasterApi* api;
    void operator()(void* object) const { api->g_object_unref(object); }
};
using Pixbuf = std::unique_ptr<GdkPixbuf, ObjectDeleter>;
using Surface = std::unique_ptr<cairo_surface_t, CairoSurfaceDeleter>;
using Context = std::unique_ptr<cairo_t, CairoContextDeleter>;

// gdk-pixbuf's message, or the fallback; frees the error.
std::string takeMessage(const RasterApi& g, GError* error) {
    std::string message = "Unknown error";
    if (error && error->message && *error->message) message = error->message;
    if (error) g.g_error_free(error);
    return message;
}

// cairo hands back an inert "nil" surface instead of null when it cannot
// make one; only a real surface of a non-empty size has pixel memory.
bool allocated(const RasterApi& g, cairo_surface_t* s, int width, int height) {
    if (width == 0 || height == 0) return true;
    return g.cairo_image_surface_get_data(s) != nullptr;
}

[[noreturn]] void cannotCreate(std::int64_t width, std::int64_t height) {
    throw RasterError("Cannot create an image of " + std::to_string(width) + " x " + std::to_string(height) +
                       " pixels.");
}

// Refuses a picture beyond the pixel limit, whether asked for or declared
// by a file.
void checkPixelCount(std::int64_t width, std::int64_t height) {
    if (width > 0 && height > 0 && width * height > limits::kMaxImagePixels)
        throw RasterError("Image is too large: " + std::to_string(width) + " x " + std::to_string(height) +
                           " is more than " + std::to_string(limits::kMaxImagePixels) + " pixels.");
}

Surface newSurface(const RasterApi& g, int width, int height) {
    Surface s(g.cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height), CairoSurfaceDeleter{&g});
    if (!allocated(g, s.get(), width, height)) cannotCreate(width, height);
    return s;
}

// One premultiplied channel, rounded to the nearest value.
unsigned premultiply(unsigned c, unsigned a) { return (c * a + 127) / 255; }
// Its inverse as the image files store it; alpha 0 leaves no colour.
std::uint8_t unpremultiply(unsigned c, unsigned a) { return static_cast<std::uint8_t>((c * 255 + a / 2) / a); }

// Copies 8-bit RGB or RGBA rows into a premultiplied ARGB32 surface, so
// that every image has the one pixel format whatever the file held.
Surface surfaceFromPixbuf(const RasterApi& g, const GdkPixbuf* pixbuf) {
    const int w = g.gdk_pixbuf_get_width(pixbuf), h = g.gdk_pixbuf_get_height(pixbuf);
    const int stride = g.gdk_pixbuf_get_rowstride(pixbuf), channels = g.gdk_pixbuf_get_n_channels(pixbuf);
    const bool alpha = g.gdk_pixbuf_get_has_alpha(pixbuf);
    Surface s = newSurface(g, w, h);
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
            const std::uint32_t argb =
                a << 24 | premultiply(in[0], a) << 16 | premultiply(in[1], a) << 8 | premultiply(in[2], a);
            std::memcpy(out, &argb, 4);
        }
    }
    g.cairo_surface_mark_dirty(s.get());
    return s;
}

// The surface's pixels as an 8-bit RGBA pixbuf, un-premultiplied, for the
// savers.
Pixbuf pixbufFromSurface(const RasterApi& g, cairo_surface_t* surface, int w, int h) {
    Pixbuf pixbuf(g.gdk_pixbuf_new(GDK_COLORSPACE_RGB, TRUE, 8, w, h), ObjectDeleter{&g});
    if (!pixbuf) throw RasterError("Unknown error");
    g.cairo_surface_flush(surface);
    const unsigned char* src = g.cairo_image_surface_get_data(surface);
    const int srcStride = g.cairo_image_surface_get_stride(surface);
    guchar* dst = g.gdk_pixbuf_get_pixels(pixbuf.get());
    const int dstStride = g.gdk_pixbuf_get_rowstride(pixbuf.get());
    for (int row = 0; row < h; ++row) {
        const unsigned char* in = src + static_cast<std::ptrdiff_t>(row) * srcStride;
        guchar* out = dst + static_cast<std::ptrdiff_t>(row) * dstStride;
        for (int col = 0; col < w; ++col, in += 4, out += 4) {
            std::uint32_t argb;
            std::memcpy(&argb, in, 4);
            const unsigned a = argb >> 24;
            out[0] = a ? unpremultiply((argb >> 16) & 0xff, a) : 0;
            out[1] = a ? unpremultiply((argb >> 8) & 0xff, a) : 0;
            out[2] = a ? unpremultiply(argb & 0xff, a) : 0;
            out[3] = static_cast<guchar>(a);
        }
    }
    return pixbuf;
}

// What the savers' byte callback needs: where the bytes go, and the table
// to make the error a failing callback must return.
struct SaveTarget {
    const RasterApi* api;
    FileOutput* out;
};

gboolean putBytes(const gchar* bytes, gsize count, GError** error, gpointer data) {
    auto* target = static_cast<SaveTarget*>(data);
    if (target->out->write(bytes, count)) return TRUE;
    // The text is never shown: the output's own error names the reason.
    const RasterApi& g = *target->api;
    *error = g.g_error_new_literal(g.g_quark_from_static_string("pintaro-image-save"), 0, "write failed");
    return FALSE;
}

}  // namespace

Image::Image(const RasterApi& api)
    : fCanvas(api), fSurface(nullptr, CairoSurfaceDeleter{&api}), fContext(nullptr, CairoContextDeleter{&api}) {}

void Image::release() {
    fCanvas.detach();
    fContext.reset();
    fSurface.reset();
    fCanvas.fWidth = 0;
    fCanvas.fHeight = 0;
}

void Image::adopt(Surface surface) {
    const RasterApi& g = api();
    const int w = g.cairo_image_surface_get_width(surface.get());
    const int h = g.cairo_image_surface_get_height(surface.get());
    fContext.reset(g.cairo_create(surface.get()));
    fSurface = std::move(surface);
    fCanvas.attach(fContext.get(), w, h);
}

void Image::resize(int width, int height) {
    checkPixelCount(width, height);
    release();
    if (width < 0 || height < 0)
        throw RasterError("Invalid image size " + std::to_string(width) + " x " + std::to_string(height) + ".");
    adopt(newSurface(api(), width, height));
    if (Recorder* r = fCanvas.fRecorder) r->add(NewSurfaceOp{width, height});
}

std::optional<std::string> Image::loadFromFile(const std::string& path, std::string_view keyword) {
    release();
    const RasterApi& g = api();
    // The header's size first: decoding a file that declares a huge picture
    // would take the memory before the picture could be refused. A file the
    // library cannot identify is left to the decoder, which says why.
    int declaredWidth = 0, declaredHeight = 0;
    if (g.gdk_pixbuf_get_file_info(path.c_str(), &declaredWidth, &declaredHeight))
        checkPixelCount(declaredWidth, declaredHeight);
    GError* error = nullptr;
    Pixbuf raw(g.gdk_pixbuf_new_from_file(path.c_str(), &error), ObjectDeleter{&g});
    if (!raw) throw RasterError(takeMessage(g, error));
    // A header may understate what the decoder then made.
    checkPixelCount(g.gdk_pixbuf_get_width(raw.get()), g.gdk_pixbuf_get_height(raw.get()));
    // The PNG loader hands text chunks over as options of the pixbuf it
    // read (the turned copy below does not carry them).
    std::optional<std::string> text;
    if (!keyword.empty()) {
        const std::string option = "tEXt::" + std::string(keyword);
        if (const gchar* value = g.gdk_pixbuf_get_option(raw.get(), option.c_str())) text = value;
    }
    Pixbuf upright(g.gdk_pixbuf_apply_embedded_orientation(raw.get()), ObjectDeleter{&g});
    if (!upright) throw RasterError("Unknown error");
    adopt(surfaceFromPixbuf(g, upright.get()));
    // Recorded as what it is for a drawing: a new surface with a picture on it.
    if (Recorder* r = fCanvas.fRecorder) {
        r->add(NewSurfaceOp{width(), height()});
        r->add(PictureOp{snapshot(*this), 0, 0, -1, -1, InterpolationMode_Default});
    }
    return text;
}

void Image::saveToPngFile(const std::string& path) const { save(path, "png"); }
void Image::saveToBitmapFile(const std::string& path) const { save(path, "bmp"); }
void Image::saveToJpegFile(const std::string& path, int quality) const { save(path, "jpeg", quality); }

void Image::save(const std::string& path, const char* type, int quality, const std::vector<TextChunk>& text) const {
    if (!fSurface) throw RasterError("Image is not initialized.");
    const RasterApi& g = api();
    if (std::string_view(type) == "png") {
        // Encoded as the rows stream out: no copy of the picture.
        writeFileAtomically(path, [&](FileOutput& out) { writePng(g, fSurface.get(), width(), height(), text, out); });
        return;
    }
    Pixbuf pixbuf = pixbufFromSurface(g, fSurface.get(), width(), height());
    // The saver takes its options as two arrays ending in null: the JPEG
    // quality.
    std::vector<std::string> keys, values;
    if (quality >= 0) {
        keys.emplace_back("quality");
        values.push_back(std::to_string(quality));
    }
    std::vector<char*> keyPointers, valuePointers;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        keyPointers.push_back(keys[i].data());
        valuePointers.push_back(values[i].data());
    }
    keyPointers.push_back(nullptr);
    valuePointers.push_back(nullptr);
    writeFileAtomically(path, [&](FileOutput& out) {
        SaveTarget target{&g, &out};
        GError* error = nullptr;
        if (!g.gdk_pixbuf_save_to_callbackv(pixbuf.get(), putBytes, &target, type, keyPointers.data(),
                                            valuePointers.data(), &error))
            throw RasterError(takeMessage(g, error));
    });
}

unsigned char* Image::rectangle(int x, int y, int w, int h) const {
    // Compared in 64 bits: x + w must not overflow for any arguments.
    if (!fSurface || x < 0 || y < 0 || w < 0 || h < 0 || std::int64_t{x} + w > width() ||
        std::int64_t{y} + h > height())
        throw RasterError("Pixel is out of range.");
    const RasterApi& g = api();
    g.cairo_surface_flush(fSurface.get());
    return g.cairo_image_surface_get_data(fSurface.get()) +
           static_cast<std::ptrdiff_t>(y) * g.cairo_image_surface_get_stride(fSurface.get()) +
           4 * static_cast<std::ptrdiff_t>(x);
}

Color Image::pixel(int x, int y) const {
    const unsigned char* at = rectangle(x, y, 1, 1);
    std::uint32_t argb;
    std::memcpy(&argb, at, 4);
    const unsigned a = argb >> 24;
    if (a == 0) return Color(0, 0, 0, 0);
    return Color(unpremultiply((argb >> 16) & 0xff, a), unpremultiply((argb >> 8) & 0xff, a),
                 unpremultiply(argb & 0xff, a), static_cast<std::uint8_t>(a));
}

void Image::readPixels(int x, int y, int w, int h, std::uint32_t* out) const {
    const unsigned char* row = rectangle(x, y, w, h);
    const int stride = api().cairo_image_surface_get_stride(fSurface.get());
    for (int r = 0; r < h; ++r, row += stride, out += w) std::memcpy(out, row, 4 * static_cast<std::size_t>(w));
}

void Image::writePixels(int x, int y, int w, int h, const std::uint32_t* in) {
    unsigned char* row = rectangle(x, y, w, h);
    const int stride = api().cairo_image_surface_get_stride(fSurface.get());
    for (int r = 0; r < h; ++r, row += stride, in += w) std::memcpy(row, in, 4 * static_cast<std::size_t>(w));
    // cairo may keep copies of what it drew from the surface; they are stale now.
    api().cairo_surface_mark_dirty(fSurface.get());
}

}  // namespace raster
