#include "webp_animation.h"

#include <webp/encode.h>
#include <webp/mux.h>

#include <cstring>

#include "raster/raster_api.h"
#include "veskel_limits.h"

namespace veskel {
namespace {

// A WebPPicture freed however the frame ends.
struct Picture {
    WebPPicture p{};
    Picture() {
        if (!WebPPictureInit(&p)) throw AnimationError("libwebp version mismatch");
    }
    ~Picture() { WebPPictureFree(&p); }
    Picture(const Picture&) = delete;
    Picture& operator=(const Picture&) = delete;
};

// cairo keeps premultiplied ARGB, libwebp wants it straight; both are one
// 32-bit value per pixel with alpha on top.
std::uint32_t straighten(std::uint32_t argb) {
    const std::uint32_t a = argb >> 24;
    if (a == 255 || a == 0) return a == 0 ? 0 : argb;
    auto channel = [&](int shift) { return (((argb >> shift) & 0xff) * 255 + a / 2) / a; };
    return a << 24 | channel(16) << 16 | channel(8) << 8 | channel(0);
}

}  // namespace

void WebpAnimation::EncoderDeleter::operator()(WebPAnimEncoder* e) const { WebPAnimEncoderDelete(e); }

WebpAnimation::WebpAnimation(int width, int height) : fWidth(width), fHeight(height) {
    WebPAnimEncoderOptions options;
    if (!WebPAnimEncoderOptionsInit(&options)) throw AnimationError("libwebp version mismatch");
    options.anim_params.loop_count = 0;  // forever
    fEncoder.reset(WebPAnimEncoderNew(width, height, &options));
    if (!fEncoder) throw AnimationError("cannot start an animation of " + std::to_string(width) + " x " +
                                        std::to_string(height) + " pixels");
}

WebpAnimation::~WebpAnimation() = default;

void WebpAnimation::add(const raster::Image& frame, int milliseconds) {
    WebPConfig config;
    if (!WebPConfigInit(&config)) throw AnimationError("libwebp version mismatch");
    config.lossless = 1;
    config.method = limits::kWebpMethod;
    config.quality = limits::kWebpEffort;
    if (frame.width() != fWidth || frame.height() != fHeight || !frame.hasSurface())
        throw AnimationError("a frame is not the animation's size");
    Picture picture;
    picture.p.use_argb = 1;
    picture.p.width = fWidth;
    picture.p.height = fHeight;
    if (!WebPPictureAlloc(&picture.p)) throw AnimationError("out of memory for an animation frame");

    const raster::RasterApi& g = frame.raster();
    g.cairo_surface_flush(frame.surface());
    const unsigned char* data = g.cairo_image_surface_get_data(frame.surface());
    const int stride = g.cairo_image_surface_get_stride(frame.surface());
    for (int y = 0; y < fHeight; ++y) {
        const unsigned char* in = data + static_cast<std::ptrdiff_t>(y) * stride;
        std::uint32_t* out = picture.p.argb + static_cast<std::ptrdiff_t>(y) * picture.p.argb_stride;
        for (int x = 0; x < fWidth; ++x, in += 4) {
            std::uint32_t argb;
            std::memcpy(&argb, in, 4);
            out[x] = straighten(argb);
        }
    }
    if (!WebPAnimEncoderAdd(fEncoder.get(), &picture.p, fTimestamp, &config))
        throw AnimationError(WebPAnimEncoderGetError(fEncoder.get()));
    fTimestamp += milliseconds;
}

std::vector<std::uint8_t> WebpAnimation::assemble() {
    // A null frame closes the last one at the running timestamp.
    if (!WebPAnimEncoderAdd(fEncoder.get(), nullptr, fTimestamp, nullptr))
        throw AnimationError(WebPAnimEncoderGetError(fEncoder.get()));
    WebPData data;
    WebPDataInit(&data);
    if (!WebPAnimEncoderAssemble(fEncoder.get(), &data))
        throw AnimationError(WebPAnimEncoderGetError(fEncoder.get()));
    std::vector<std::uint8_t> bytes(data.bytes, data.bytes + data.size);
    WebPDataClear(&data);
    return bytes;
}

}  // namespace veskel
