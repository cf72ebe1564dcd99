// An animation of the drawing being made: the record of a run (recording.h)
// drawn again step by step on a raster, one frame every N drawing
// operations, each with the turtle sprite where the turtle was at that
// moment, the finished drawing held at the end.
#pragma once

#include <cstddef>
#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

#include "raster/recording.h"
#include "turtle/turtle.h"

namespace veskel {

// A record of the turtle's drawing with the turtle's pose beside each
// operation, kept from attach() to the end of the run.
class DrawingRecord {
public:
    DrawingRecord() = default;
    // Its pose hook refers to this object: it stays where it was made.
    DrawingRecord(const DrawingRecord&) = delete;
    DrawingRecord& operator=(const DrawingRecord&) = delete;

    // Starts recording the turtle's image; with `poses`, also notes the
    // turtle's pose as each operation is drawn. The record must outlive
    // every image of the turtle (they point to it).
    void attach(turtle::TurtleState& t, bool poses);

    const raster::Recorder& recorder() const { return fRecorder; }
    // The turtle when the record started, and poses()[i]: the turtle as
    // operation startCount() + i was drawn.
    const turtle::SpritePose& startPose() const { return fStartPose; }
    const std::vector<turtle::SpritePose>& poses() const { return fPoses; }

private:
    raster::Recorder fRecorder;
    turtle::SpritePose fStartPose;
    std::vector<turtle::SpritePose> fPoses;
};

// The smallest number of drawing operations per frame that keeps the
// animation of `drawingOps` operations within limits::kMaxFrames frames.
std::size_t defaultFrameInterval(std::size_t drawingOps);

// One frame: the picture at the animation's size, and how long it shows.
using FrameSink = std::function<void(const raster::Image& frame, int milliseconds)>;

// Draws the frames in order: the picture the record starts with, then the
// picture after every `every` drawing operations (0: the default), then
// the finished picture if it is not the last of those already. The sprite
// shows the turtle as the record started, then as the next operation was
// drawn, and at the end as `end`, the turtle after the run. The frames have the size of the finished picture;
// an earlier picture of another size is centred on a transparent frame.
void renderFrames(const raster::RasterApi& api, const DrawingRecord& record, const turtle::SpritePose& end,
                  std::size_t every, const FrameSink& sink);

// Renders the animation once and writes it to every path in order. A file
// that cannot be written is reported on err and does not stop the others.
// Returns 0, or 1 after any failure.
int writeAnimations(const raster::RasterApi& api, const DrawingRecord& record, const turtle::SpritePose& end,
                    std::size_t every, const std::vector<std::string>& paths, std::ostream& err);

}  // namespace veskel
