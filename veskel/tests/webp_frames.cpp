// Reads an animated WebP back for the animation tests, with libwebp's own
// decoder (the one browsers share):
//   webp_frames FILE            prints "WIDTH HEIGHT", "N frames" and the
//                               frames' durations in ms, runs written 40*12
//   webp_frames FILE I OUT.png  also writes frame I (from 0; -1 is the last)
//                               as a PNG, to be compared with image_probe
// Status 1 with a message when the file cannot be read or decoded.
#include <webp/demux.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>
#include <vector>

#include "raster/image.h"
#include "raster/raster_api.h"
#include "raster/raster_loader.h"
#include "raster/raster_error.h"

namespace {

struct DecoderDeleter {
    void operator()(WebPAnimDecoder* d) const { WebPAnimDecoderDelete(d); }
};

int fail(const std::string& message) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return 1;
}

// One decoded RGBA frame (straight alpha) as an image of the raster layer.
void saveFrame(const raster::RasterApi& raster, const std::uint8_t* rgba, int w, int h, const std::string& path) {
    raster::Image image(raster);
    image.resize(w, h);
    cairo_surface_t* s = image.surface();
    raster.cairo_surface_flush(s);
    unsigned char* data = raster.cairo_image_surface_get_data(s);
    const int stride = raster.cairo_image_surface_get_stride(s);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const std::uint8_t* p = rgba + 4 * (static_cast<std::ptrdiff_t>(y) * w + x);
            const unsigned a = p[3];
            auto pre = [a](unsigned c) { return (c * a + 127) / 255; };
            const std::uint32_t argb = a << 24 | pre(p[0]) << 16 | pre(p[1]) << 8 | pre(p[2]);
            std::memcpy(data + static_cast<std::ptrdiff_t>(y) * stride + 4 * x, &argb, 4);
        }
    raster.cairo_surface_mark_dirty(s);
    image.save(path, "png");
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4) return fail("usage: webp_frames FILE [INDEX OUT.png]");
    std::ifstream in(argv[1], std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (!in && !in.eof()) return fail(std::string("cannot read ") + argv[1]);
    WebPData data{bytes.data(), bytes.size()};
    WebPAnimDecoderOptions options;
    if (!WebPAnimDecoderOptionsInit(&options)) return fail("libwebp version mismatch");
    options.color_mode = MODE_RGBA;
    std::unique_ptr<WebPAnimDecoder, DecoderDeleter> decoder(WebPAnimDecoderNew(&data, &options));
    if (!decoder) return fail(std::string("not an animated WebP: ") + argv[1]);
    WebPAnimInfo info;
    if (!WebPAnimDecoderGetInfo(decoder.get(), &info)) return fail("cannot read the animation's header");

    const int wanted = argc == 4 ? std::atoi(argv[2]) : 0;
    const int index = wanted < 0 ? static_cast<int>(info.frame_count) + wanted : wanted;
    std::vector<int> durations;
    int previous = 0;
    for (int i = 0; WebPAnimDecoderHasMoreFrames(decoder.get()); ++i) {
        std::uint8_t* rgba = nullptr;
        int end = 0;  // the frame's end, in ms from the start
        if (!WebPAnimDecoderGetNext(decoder.get(), &rgba, &end)) return fail("frame " + std::to_string(i) + " is broken");
        durations.push_back(end - previous);
        previous = end;
        if (argc == 4 && i == index) {
            const raster::RasterApi raster = raster::loadRasterLibrariesOrExit();
            try {
                saveFrame(raster, rgba, static_cast<int>(info.canvas_width), static_cast<int>(info.canvas_height),
                          argv[3]);
            } catch (const raster::RasterError& e) {
                return fail(e.what());
            }
        }
    }
    std::printf("%u %u\n%zu frames\n", info.canvas_width, info.canvas_height, durations.size());
    for (std::size_t i = 0; i < durations.size();) {
        std::size_t run = 1;
        while (i + run < durations.size() && durations[i + run] == durations[i]) ++run;
        std::printf(run > 1 ? "%s%d*%zu" : "%s%d", i ? " " : "", durations[i], run);
        i += run;
    }
    std::printf("\n");
    if (argc == 4 && (index < 0 || index >= static_cast<int>(durations.size())))
        return fail("no frame " + std::string(argv[2]));
    return 0;
}
