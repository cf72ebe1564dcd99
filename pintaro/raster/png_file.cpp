#include "png_file.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "atomic_file.h"
#include "raster_api.h"
#include "raster_limits.h"
#include "raster_error.h"

namespace raster {
namespace {

static_assert(limits::kPngZlibStrategy >= Z_DEFAULT_STRATEGY && limits::kPngZlibStrategy <= Z_FIXED);
static_assert((limits::kPngDrawnFilters & ~PNG_ALL_FILTERS) == 0 && limits::kPngDrawnFilters != 0);
static_assert((limits::kPngOtherFilters & ~PNG_ALL_FILTERS) == 0 && limits::kPngOtherFilters != 0);

// What libpng's callbacks reach: where the bytes go, and the first error's
// text (libpng's callbacks are C: nothing may be thrown through them).
struct PngTarget {
    FileOutput* out;
    char message[200] = "";
};

void putBytes(png_structp png, png_bytep data, png_size_t size) {
    auto* target = static_cast<PngTarget*>(png_get_io_ptr(png));
    // The text is never shown: the output's own error names the reason.
    if (!target->out->write(data, size)) png_error(png, "write failed");
}

void noFlush(png_structp) {}

void keepError(png_structp png, png_const_charp message) {
    auto* target = static_cast<PngTarget*>(png_get_error_ptr(png));
    std::snprintf(target->message, sizeof target->message, "%s", message ? message : "");
    png_longjmp(png, 1);
}

void ignoreWarning(png_structp, png_const_charp) {}

// libpng's two structures, released together.
struct PngWriter {
    png_structp png = nullptr;
    png_infop info = nullptr;
    ~PngWriter() { png_destroy_write_struct(&png, &info); }
};

// What one pass over the pixels tells the encoder.
struct PictureKind {
    bool opaque = true;
    bool drawn = true;  // mostly runs of one colour
};

PictureKind survey(const unsigned char* pixels, int stride, int width, int height) {
    std::uint32_t all = 0xFF000000u;
    std::uint64_t repeats = 0;  // pixels equal to the one on their left
    for (int row = 0; row < height; ++row) {
        const unsigned char* in = pixels + static_cast<std::ptrdiff_t>(row) * stride;
        std::uint32_t left;
        std::memcpy(&left, in, 4);
        all &= left;
        for (int col = 1; col < width; ++col) {
            std::uint32_t argb;
            std::memcpy(&argb, in + 4 * static_cast<std::ptrdiff_t>(col), 4);
            all &= argb;
            repeats += argb == left;
            left = argb;
        }
    }
    const double pixelCount = static_cast<double>(width) * height;
    return {(all & 0xFF000000u) == 0xFF000000u,
            pixelCount == 0 || static_cast<double>(repeats) >= limits::kPngDrawnRepeatShare * pixelCount};
}

// One row of an opaque picture: premultiplying by 255 changed nothing.
void rgbRow(const unsigned char* in, unsigned char* out, int width) {
    for (int col = 0; col < width; ++col, in += 4, out += 3) {
        std::uint32_t argb;
        std::memcpy(&argb, in, 4);
        out[0] = static_cast<unsigned char>(argb >> 16);
        out[1] = static_cast<unsigned char>(argb >> 8);
        out[2] = static_cast<unsigned char>(argb);
    }
}

// One row un-premultiplied as the image files store it (nearest value,
// colour 0 where alpha is 0, as GDK did).
void rgbaRow(const unsigned char* in, unsigned char* out, int width) {
    for (int col = 0; col < width; ++col, in += 4, out += 4) {
        std::uint32_t argb;
        std::memcpy(&argb, in, 4);
        const unsigned a = argb >> 24;
        auto straight = [a](unsigned c) { return static_cast<unsigned char>(a ? (c * 255 + a / 2) / a : 0); };
        out[0] = straight((argb >> 16) & 0xff);
        out[1] = straight((argb >> 8) & 0xff);
        out[2] = straight(argb & 0xff);
        out[3] = static_cast<unsigned char>(a);
    }
}

// The text as Latin-1 when every character of its UTF-8 is one, as the
// text chunk's own encoding; false for anything else.
bool toLatin1(const std::string& utf8, std::string& latin1) {
    latin1.clear();
    for (std::size_t k = 0; k < utf8.size(); ++k) {
        const auto c = static_cast<unsigned char>(utf8[k]);
        if (c < 0x80) {
            latin1 += static_cast<char>(c);
        } else if ((c == 0xC2 || c == 0xC3) && k + 1 < utf8.size() &&
                   (static_cast<unsigned char>(utf8[k + 1]) & 0xC0) == 0x80) {
            latin1 += static_cast<char>(((c & 0x03) << 6) | (static_cast<unsigned char>(utf8[k + 1]) & 0x3F));
            ++k;
        } else {
            return false;
        }
    }
    return true;
}

void checkKeyword(const std::string& keyword) {
    if (keyword.size() < 2 || keyword.size() > 79)
        throw RasterError("Keys for PNG text chunks must have at least 1 and at most 79 characters.");
    for (char c : keyword)
        if (static_cast<unsigned char>(c) > 127) throw RasterError("Keys for PNG text chunks must be ASCII characters.");
}

// The part that libpng may leave by longjmp: it holds nothing that needs
// destroying, and returns false when libpng failed.
bool encode(PngWriter& w, png_text* text, int textCount, const unsigned char* pixels, int stride, int width,
            int height, bool rgb, int filters, unsigned char* row) {
    if (setjmp(png_jmpbuf(w.png))) return false;
    png_set_IHDR(w.png, w.info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 rgb ? PNG_COLOR_TYPE_RGB : PNG_COLOR_TYPE_RGB_ALPHA, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_BASE,
                 PNG_FILTER_TYPE_BASE);
    if (textCount > 0) png_set_text(w.png, w.info, text, textCount);
    png_set_compression_level(w.png, limits::kPngZlibLevel);
    png_set_compression_strategy(w.png, limits::kPngZlibStrategy);
    png_set_filter(w.png, PNG_FILTER_TYPE_BASE, filters);
    png_set_compression_buffer_size(w.png, limits::kPngBufferBytes);
    png_write_info(w.png, w.info);
    for (int y = 0; y < height; ++y) {
        const unsigned char* in = pixels + static_cast<std::ptrdiff_t>(y) * stride;
        if (rgb)
            rgbRow(in, row, width);
        else
            rgbaRow(in, row, width);
        png_write_row(w.png, row);
    }
    png_write_end(w.png, w.info);
    return true;
}

}  // namespace

void writePng(const RasterApi& g, cairo_surface_t* surface, int width, int height,
              const std::vector<TextChunk>& text, FileOutput& out) {
    // The chunks' texts first: libpng only borrows them. Each is a C
    // string, ending at a NUL as it always did.
    std::vector<std::string> values(text.size());
    std::vector<png_text> chunks(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        checkKeyword(text[i].keyword);
        const std::string whole = text[i].text.c_str();
        const bool narrow = toLatin1(whole, values[i]);
        if (!narrow) values[i] = whole;
        chunks[i].compression = narrow ? PNG_TEXT_COMPRESSION_NONE : PNG_ITXT_COMPRESSION_NONE;
        chunks[i].key = const_cast<char*>(text[i].keyword.c_str());
        chunks[i].text = values[i].data();
        chunks[i].text_length = values[i].size();
    }

    // A PNG has at least one pixel (and an empty surface may have no memory).
    if (width <= 0 || height <= 0)
        throw RasterError("Cannot save an image of " + std::to_string(width) + " x " + std::to_string(height) +
                           " pixels as PNG.");
    g.cairo_surface_flush(surface);
    const unsigned char* pixels = g.cairo_image_surface_get_data(surface);
    const int stride = g.cairo_image_surface_get_stride(surface);
    const PictureKind kind = survey(pixels, stride, width, height);
    const bool rgb = kind.opaque;
    const int filters = kind.drawn ? limits::kPngDrawnFilters : limits::kPngOtherFilters;
    std::vector<unsigned char> row(static_cast<std::size_t>(width) * (rgb ? 3 : 4));

    PngTarget target{&out};
    PngWriter w;
    w.png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &target, keepError, ignoreWarning);
    if (w.png) w.info = png_create_info_struct(w.png);
    if (!w.png || !w.info) throw RasterError("Unknown error");
    png_set_write_fn(w.png, &target, putBytes, noFlush);
    if (!encode(w, chunks.data(), static_cast<int>(chunks.size()), pixels, stride, width, height, rgb, filters,
                row.data()))
        throw RasterError(*target.message ? target.message : "Unknown error");
}

}  // namespace raster
