// A record of what reached one image's canvas: every drawing operation with
// the attributes it used, so that the drawing can be made again elsewhere:
// on an SVG or PDF surface (vector_file.h) or step by step on a raster (an
// animation of the drawing being made).
//
// Recording is off unless a recorder is attached: a canvas without one pays
// a single null-pointer test per operation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <variant>
#include <vector>

#include "canvas.h"
#include "color.h"

namespace raster {

class Image;

// The operations as the canvas was asked for them (its own arguments, not
// clipped), recorded only when they drew: one that the canvas refused or
// found invisible is not there.
struct LineOp {
    std::int64_t x1, y1, x2, y2;
    Color color;
    double width;
};
struct RectangleOp {
    std::int64_t x, y, w, h;
    Color color;
    double width;  // unused when filled
    bool filled;
};
struct EllipseOp {
    std::int64_t x, y, w, h;
    Color color;
    double width;  // unused when filled
    bool filled;
};
struct TextOp {
    std::string text;
    std::int64_t x, y;
    Color color;
    std::string family;
    double size;
    bool bold;
};
// An image drawn on the canvas, kept as a copy of its pixels at that moment
// (the source may change or go away later).
struct PictureOp {
    std::shared_ptr<const Image> picture;
    std::int64_t x, y, w, h;  // -1, -1: natural size
    InterpolationMode mode;
};
struct PixelOp {
    std::int64_t x, y;
    Color color;
};
// The image got a new, fully transparent surface of this size (a resize,
// or the first half of a load): nothing before it shows any more.
struct NewSurfaceOp {
    int width, height;
};

using DrawingOp = std::variant<LineOp, RectangleOp, EllipseOp, TextOp, PictureOp, PixelOp, NewSurfaceOp>;

// Every operation but a new surface draws something.
inline bool drawsPixels(const DrawingOp& op) { return !std::holds_alternative<NewSurfaceOp>(op); }

// A copy of an image's pixels on a new image of the same size and table.
std::shared_ptr<const Image> snapshot(const Image& source);

class Recorder {
public:
    // Starts a new record of `image`: the image's canvas reports to this
    // recorder from now on (an image that replaces it must be given the same
    // pointer, see TurtleState::blankImage), and the record opens with the
    // image as it is now: a new surface, then a fill when it is one opaque
    // colour, nothing when it is transparent, otherwise a copy of its pixels.
    // The recorder must outlive every canvas that points to it.
    void attach(Image& image);

    // Called by the canvas and the image for each operation that drew.
    void add(DrawingOp op);

    const std::vector<DrawingOp>& operations() const { return fOps; }
    // The operations attach() put first to describe the image it found.
    std::size_t startCount() const { return fStart; }

    // Runs just before each operation after the start is added, so that the
    // owner can note its own state beside it (the animation notes the
    // turtle's pose). Empty: nothing runs.
    std::function<void()> fOnOperation;

private:
    std::vector<DrawingOp> fOps;
    std::size_t fStart = 0;
};

// The part of a record that makes up the picture at its end: from the last
// new surface or the last opaque fill of the whole image on, at the size the
// image has then. What came before is covered and need not be drawn.
struct CurrentPicture {
    std::size_t first;
    int width, height;
};
CurrentPicture currentPicture(const std::vector<DrawingOp>& ops);

// Draws one recorded operation again on `target` with the attributes it was
// recorded with (the target canvas's fields are overwritten). A new surface
// draws nothing on a canvas; on an image it resizes it (transparent).
void replay(const DrawingOp& op, Canvas& target);
void replay(const DrawingOp& op, Image& target);

}  // namespace raster
