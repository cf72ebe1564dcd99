// An animated WebP file made from raster frames with libwebp's animation
// encoder: lossless, so antialiased strokes keep their exact pixels; the
// encoder stores each frame as the rectangle that changed.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "raster/image.h"

struct WebPAnimEncoder;

namespace veskel {

// libwebp's message for a frame it could not take or a file it could not
// assemble.
struct AnimationError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

class WebpAnimation {
public:
    // Frames of width x height pixels, played in a loop.
    WebpAnimation(int width, int height);
    ~WebpAnimation();
    WebpAnimation(const WebpAnimation&) = delete;
    WebpAnimation& operator=(const WebpAnimation&) = delete;

    // Appends a frame of the animation's size shown for `milliseconds`.
    void add(const raster::Image& frame, int milliseconds);

    // The whole file, after the last frame.
    std::vector<std::uint8_t> assemble();

private:
    struct EncoderDeleter {
        void operator()(WebPAnimEncoder* e) const;
    };
    std::unique_ptr<WebPAnimEncoder, EncoderDeleter> fEncoder;
    int fWidth, fHeight;
    int fTimestamp = 0;  // where the next frame starts, in milliseconds
};

}  // namespace veskel
