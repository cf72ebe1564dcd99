#include "animation.h"

#include <memory>
#include <ostream>

#include "raster/atomic_file.h"
#include "turtle/conversions.h"
#include "raster/image.h"
#include "raster/raster_error.h"
#include "veskel_limits.h"
#include "webp_animation.h"

namespace veskel {

void DrawingRecord::attach(turtle::TurtleState& t, bool poses) {
    fPoses.clear();
    fStartPose = turtle::spritePose(t);
    fRecorder.attach(*t.image);
    // The pose before an operation is drawn is the turtle's state after the
    // one before it: where a frame taken between the two shows the turtle.
    if (poses) fRecorder.fOnOperation = [this, &t] { fPoses.push_back(turtle::spritePose(t)); };
}

std::size_t defaultFrameInterval(std::size_t drawingOps) {
    // Frames come at 0, N, 2N, ... and at the end: 1 + ceil(ops / N) in
    // all. N = ceil(ops / (max - 1)) keeps that within max, and no smaller
    // N does.
    constexpr std::size_t steps = limits::kMaxFrames - 1;
    return drawingOps == 0 ? 1 : (drawingOps + steps - 1) / steps;
}

void renderFrames(const raster::RasterApi& api, const DrawingRecord& record, const turtle::SpritePose& end,
                  std::size_t every, const FrameSink& sink) {
    const std::vector<raster::DrawingOp>& ops = record.recorder().operations();
    const std::size_t start = record.recorder().startCount();
    const std::vector<turtle::SpritePose>& poses = record.poses();
    std::size_t total = 0;
    for (std::size_t i = start; i < ops.size(); ++i) total += raster::drawsPixels(ops[i]);
    if (every == 0) every = defaultFrameInterval(total);
    const raster::CurrentPicture finished = raster::currentPicture(ops);

    raster::Image work(api);  // the drawing as it is being made
    for (std::size_t i = 0; i < start; ++i) raster::replay(ops[i], work);
    raster::Image frame(api);

    // The frame after `done` drawing operations, with the turtle as the
    // operation `next` was drawn.
    auto emit = [&](std::size_t next, std::size_t done) {
        frame.resize(finished.width, finished.height);
        const std::int64_t ox = (std::int64_t{finished.width} - work.width()) / 2;
        const std::int64_t oy = (std::int64_t{finished.height} - work.height()) / 2;
        if (work.hasSurface() && work.width() > 0 && work.height() > 0) frame.canvas().drawImage(work, ox, oy);
        // The last frame shows the turtle as the run left it.
        const turtle::SpritePose& pose = done == total                 ? end
                                         : done == 0                   ? record.startPose()
                                         : next - start < poses.size() ? poses[next - start]
                                                                       : end;
        if (pose.visible)
            turtle::drawSprite(frame.canvas(), ox + turtle::toPixel(pose.x), oy + turtle::toPixel(pose.y),
                               pose.heading, pose.pen);
        sink(frame, done == total ? limits::kLastFrameMilliseconds : limits::kFrameMilliseconds);
    };

    emit(start, 0);
    std::size_t done = 0;
    for (std::size_t i = start; i < ops.size(); ++i) {
        raster::replay(ops[i], work);
        if (!raster::drawsPixels(ops[i])) continue;
        ++done;
        if (done % every == 0 || done == total) emit(i + 1, done);
    }
}

int writeAnimations(const raster::RasterApi& api, const DrawingRecord& record, const turtle::SpritePose& end,
                    std::size_t every, const std::vector<std::string>& paths, std::ostream& err) {
    if (paths.empty()) return 0;
    std::vector<std::uint8_t> bytes;
    try {
        const raster::CurrentPicture finished = raster::currentPicture(record.recorder().operations());
        WebpAnimation animation(finished.width, finished.height);
        renderFrames(api, record, end, every,
                     [&](const raster::Image& frame, int milliseconds) { animation.add(frame, milliseconds); });
        bytes = animation.assemble();
    } catch (const std::runtime_error& e) {  // AnimationError, raster::RasterError
        err << "cannot make the animation: " << e.what() << std::endl;
        return 1;
    }
    int status = 0;
    for (const std::string& path : paths) {
        try {
            // Whole or not at all, like every picture veskel writes.
            raster::writeFileAtomically(path, [&](raster::FileOutput& out) { out.write(bytes.data(), bytes.size()); });
        } catch (const raster::RasterError& e) {
            err << e.what() << std::endl;
            status = 1;
        }
    }
    return status;
}

}  // namespace veskel
