// The turtle: a pen moving over one raster image, the drawing attributes
// kept on that image's canvas, the palette and the colour names, and the
// drawing operations the turtle words and the file commands are built from.
//
// Coordinates are image pixels, origin top-left, y downward. Headings are
// degrees, 0 up, growing clockwise.
#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>

#include "raster/canvas.h"
#include "raster/color.h"
#include "raster/image.h"
#include "turtle_limits.h"

namespace turtle {

using raster::Color;

// The 16 colours the palette starts with, and the fixed colour-name table
// read by the # sigil, in index order.
struct NamedColor {
    std::string_view name;
    Color color;
};
extern const std::array<NamedColor, 16> kColorNames;

// Empty when the name is not in the table (exact, case-sensitive).
const Color* findColorName(std::string_view name);

// The drawing state of one turtle. The drawing attributes (pen colour,
// label colour, background, pen size, label height, font family) are the
// fields of image->canvas(), so they travel with the image object.
struct TurtleState {
    // Creates the start image (640 x 400, image reset) drawing through
    // `raster`, which must outlive the state; puts the turtle home and fills
    // the palette.
    explicit TurtleState(const raster::RasterApi& raster);

    std::unique_ptr<raster::Image> image;
    double x = 0;
    double y = 0;
    double heading = 0;
    bool penDown = true;
    bool visible = true;
    bool unsaved = false;  // changes not written to a file
    std::array<Color, 16> palette{};

    raster::Canvas& canvas() { return image->canvas(); }
    // A new image without surface, drawing through the same table and
    // reporting to the same recorder, if any: it is about to replace the
    // current one, and a record of the drawing must go on across it.
    std::unique_ptr<raster::Image> blankImage() const;
};

// Resizes the image (old pixels discarded), sets background black, pen and
// label white, and fills it with the background. Turtle, pen size and label
// height stay. Raises raster::RasterError when the size cannot be made.
void imageReset(TurtleState& t, int width = limits::kStartWidth, int height = limits::kStartHeight);

// (width div 2, height div 2) of the current image.
std::pair<double, double> homePosition(const TurtleState& t);

// Straight line between the truncated end points in pen colour and size;
// sets the unsaved flag. A NaN coordinate names no pixel: nothing is drawn.
void turtleLine(TurtleState& t, double x1, double y1, double x2, double y2);

// Draws a line to (nx, ny) while the pen is down, then stores the position.
void moveTo(TurtleState& t, double nx, double ny);

// Walks d pixels along the heading (negative d walks back).
void walk(TurtleState& t, double d);

// Direction vector (cos, sin) of a heading.
std::pair<double, double> direction(double heading);

// Fills `target` with the source's background colour, then draws the source
// at natural size centred; returns the top-left corner used.
std::pair<std::int64_t, std::int64_t> centredCopy(raster::Canvas& target, const raster::Image& source);

// Line of the given length from (px, py) along the heading, in the canvas's
// current line colour and width (the turtle sprite's direction mark).
void headingMark(raster::Canvas& canvas, std::int64_t px, std::int64_t py, double heading,
                 double length = limits::kHeadingMarkLength);

// What the turtle sprite shows of a turtle at one moment.
struct SpritePose {
    double x = 0, y = 0, heading = 0;
    Color pen;
    bool visible = true;
};
SpritePose spritePose(const TurtleState& t);

// The turtle sprite, never part of the image: a circle of radius 12 around
// the pixel (px, py) and the heading mark, both in the pen colour with a
// stroke 2 wide. The caller places it (the drawing view adds the image's
// origin in the view) and skips it for a hidden turtle. Sets the canvas's
// line colour and width.
void drawSprite(raster::Canvas& canvas, std::int64_t px, std::int64_t py, double heading, Color pen);

}  // namespace turtle
