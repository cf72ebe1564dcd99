// An interpreter with the core and turtle words over a fresh turtle, run
// without a display, with helpers to read the drawing back.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "forth/interp.h"
#include "test_raster.h"
#include "turtle/turtle.h"
#include "turtle/turtle_words.h"

class TurtleTest : public testing::Test {
protected:
    static const raster::RasterApi& raster() { return testRaster(); }

    TurtleTest() {
        in->setOutput(forth::streamSink(out));
        in->err = &err;
        turtle::registerTurtleWords(*in, t);
    }

    // Runs one line; returns the stack afterwards and leaves it empty.
    std::vector<double> run(std::string_view line) {
        in->runLine(line);
        std::vector<double> s = in->stack();
        in->stack().clear();
        return s;
    }

    raster::Color px(int x, int y) const { return t.image->pixel(x, y); }
    // A pixel that is more pen than background (for a white pen on black).
    bool lit(int x, int y) const { return px(x, y).r >= 100; }

    // Pixels whose red channel is at least `threshold`.
    int countLit(int threshold = 100) const {
        int n = 0;
        for (int y = 0; y < t.image->height(); ++y)
            for (int x = 0; x < t.image->width(); ++x)
                if (px(x, y).r >= threshold) ++n;
        return n;
    }

    struct Box {
        int minX = 1 << 30, minY = 1 << 30, maxX = -1, maxY = -1;
        bool empty() const { return maxX < 0; }
    };
    // Bounding box of the pixels that differ from `background`.
    Box changedBox(raster::Color background) const {
        Box b;
        for (int y = 0; y < t.image->height(); ++y)
            for (int x = 0; x < t.image->width(); ++x)
                if (px(x, y) != background) {
                    b.minX = std::min(b.minX, x), b.minY = std::min(b.minY, y);
                    b.maxX = std::max(b.maxX, x), b.maxY = std::max(b.maxY, y);
                }
        return b;
    }

    std::ostringstream out, err;
    turtle::TurtleState t{raster()};
    std::unique_ptr<forth::Interp> in = forth::makeCoreInterp();
};

inline const raster::Color kBlack{0, 0, 0, 255};
inline const raster::Color kWhite{255, 255, 255, 255};
inline const raster::Color kRed{255, 0, 0, 255};
inline const raster::Color kBlue{0, 0, 255, 255};
