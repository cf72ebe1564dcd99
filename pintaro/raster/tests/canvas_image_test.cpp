// Facts about the colour, the canvas and the image, read back from pixels.
// Everything here runs without a display and without GTK: cairo, pango
// and gdk-pixbuf are opened by name, as veskel opens them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "raster/canvas.h"
#include "raster/raster_loader.h"
#include "test_raster.h"
#include "raster/image.h"
#include "image_compare.h"
#include "raster/raster_error.h"
#include "raster/utf8_repair.h"

namespace {

using raster::Color;
using raster::Image;
using raster::RasterError;

const Color kBlack{0, 0, 0, 255};
const Color kWhite{255, 255, 255, 255};
const Color kRed{255, 0, 0, 255};
const Color kTransparent{0, 0, 0, 0};

class CanvasTest : public testing::Test {
protected:
    static const raster::RasterApi& raster() { return testRaster(); }

    // A black w x h image drawing in white.
    static std::unique_ptr<Image> blackImage(int w = 64, int h = 48) {
        auto img = std::make_unique<Image>(raster());
        img->resize(w, h);
        img->canvas().fAreaColor = kBlack;
        img->canvas().fill();
        img->canvas().fLineColor = kWhite;
        img->canvas().fTextColor = kWhite;
        return img;
    }

    // Pixels whose red channel is at least half on.
    static int countLit(const Image& img, int x0 = 0, int y0 = 0, int x1 = -1, int y1 = -1) {
        if (x1 < 0) x1 = img.width();
        if (y1 < 0) y1 = img.height();
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                if (img.pixel(x, y).r >= 128) ++n;
        return n;
    }

    static std::string tempPath(const std::string& name) {
        auto dir = std::filesystem::temp_directory_path() / ("canvas_test_" + std::to_string(getpid()));
        std::filesystem::create_directories(dir);
        return (dir / name).string();
    }
    static void TearDownTestSuite() {
        std::filesystem::remove_all(std::filesystem::temp_directory_path() /
                                    ("canvas_test_" + std::to_string(getpid())));
    }
};

TEST(Color, ChannelsPackWithRedInTheLowestByteAndWrapFromIntegers) {
    EXPECT_EQ(Color(1, 2, 3, 4).packed(), 0x04030201u);
    EXPECT_EQ(Color::fromPacked(0x04030201u), Color(1, 2, 3, 4));
    EXPECT_EQ(Color::fromInts(256, -1, 300), Color(0, 255, 44, 255));
    EXPECT_EQ(Color().a, 255);
}

TEST_F(CanvasTest, EveryDrawingOperationNeedsADrawingContext) {
    raster::Canvas canvas(raster());
    Image img(raster());
    img.resize(4, 4);
    const std::string expected = "Canvas is not in drawing state.";
    auto expectRefused = [&](auto op) {
        try {
            op();
            ADD_FAILURE() << "expected " << expected;
        } catch (const RasterError& e) {
            EXPECT_EQ(e.what(), expected);
        }
    };
    expectRefused([&] { canvas.drawLine(0, 0, 1, 1); });
    expectRefused([&] { canvas.drawRectangleArea(0, 0, 1, 1); });
    expectRefused([&] { canvas.drawRectangleOutline(0, 0, 1, 1); });
    expectRefused([&] { canvas.drawEllipseArea(0, 0, 1, 1); });
    expectRefused([&] { canvas.drawEllipseOutline(0, 0, 1, 1); });
    expectRefused([&] { canvas.drawText("a", 0, 0); });
    expectRefused([&] { canvas.fill(); });
    expectRefused([&] { canvas.drawImage(img, 0, 0); });
    expectRefused([&] { canvas.setPixel(0, 0, kRed); });
    expectRefused([&] { canvas.textWidth("a"); });
    expectRefused([&] { canvas.textLineHeight(); });
    // An image without a surface has a canvas without a context as well.
    Image empty(raster());
    EXPECT_FALSE(empty.canvas().inDrawingState());
    expectRefused([&] { empty.canvas().fill(); });
}

TEST_F(CanvasTest, ABorrowedContextDrawsOnlyUntilDetached) {
    Image target(raster());
    target.resize(10, 10);
    raster::Canvas borrowed(raster());
    borrowed.attach(target.canvas().context(), 10, 10);
    EXPECT_EQ(borrowed.fWidth, 10);
    borrowed.fAreaColor = kRed;
    borrowed.fill();
    EXPECT_EQ(target.pixel(9, 9), kRed);
    borrowed.detach();
    EXPECT_FALSE(borrowed.inDrawingState());
    EXPECT_THROW(borrowed.fill(), RasterError);
}

TEST_F(CanvasTest, NewCanvasDefaultsAndAFreshImageIsTransparent) {
    Image img(raster());
    EXPECT_FALSE(img.hasSurface());
    img.resize(5, 3);
    EXPECT_EQ(img.width(), 5);
    EXPECT_EQ(img.height(), 3);
    const raster::Canvas& c = img.canvas();
    EXPECT_EQ(c.fLineColor, kBlack);
    EXPECT_EQ(c.fAreaColor, kBlack);
    EXPECT_EQ(c.fLineWidth, 1.0);
    EXPECT_EQ(c.fFontSize, 15.0);
    EXPECT_TRUE(c.fFontFamily.empty());
    EXPECT_FALSE(c.fFontBold);
    EXPECT_EQ(c.fInterpolationMode, raster::InterpolationMode_Default);
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 5; ++x) EXPECT_EQ(img.pixel(x, y), kTransparent);
    img.canvas().fAreaColor = Color(10, 20, 30, 255);
    img.canvas().fill();
    EXPECT_EQ(img.pixel(0, 0), Color(10, 20, 30, 255));
    EXPECT_EQ(img.pixel(4, 2), Color(10, 20, 30, 255));
}

TEST_F(CanvasTest, ResizeKeepsTheCanvasFieldsButNotThePixels) {
    auto img = blackImage(8, 8);
    img->canvas().fLineWidth = 3;
    img->canvas().fFontSize = 20;
    img->resize(12, 6);
    EXPECT_EQ(img->canvas().fLineWidth, 3);
    EXPECT_EQ(img->canvas().fFontSize, 20);
    EXPECT_EQ(img->canvas().fLineColor, kWhite);
    EXPECT_EQ(img->pixel(0, 0), kTransparent);
    EXPECT_EQ(img->canvas().fWidth, 12);
}

TEST_F(CanvasTest, LinesHaveNoHalfPixelOffsetAndSquareEnds) {
    auto img = blackImage();
    img->canvas().drawLine(20, 10, 20, 30);
    // A 1-pixel line on a whole coordinate spreads over columns 19 and 20.
    EXPECT_GT(img->pixel(19, 20).r, 0);
    EXPECT_GT(img->pixel(20, 20).r, 0);
    EXPECT_EQ(img->pixel(18, 20), kBlack);
    EXPECT_EQ(img->pixel(21, 20), kBlack);
    // No caps beyond the end points.
    EXPECT_EQ(img->pixel(20, 9), kBlack);
    EXPECT_EQ(img->pixel(20, 30), kBlack);
}

TEST_F(CanvasTest, RectanglesFillInTheAreaColourAndOutlineInTheLineColour) {
    auto img = blackImage();
    img->canvas().fAreaColor = kRed;
    img->canvas().drawRectangleArea(10, 10, 5, 4);
    EXPECT_EQ(img->pixel(10, 10), kRed);
    EXPECT_EQ(img->pixel(14, 13), kRed);
    EXPECT_EQ(img->pixel(15, 13), kBlack);
    img->canvas().fLineWidth = 2;
    img->canvas().drawRectangleOutline(30, 20, 10, 10);
    EXPECT_EQ(img->pixel(30, 25), kWhite);
    EXPECT_EQ(img->pixel(29, 25), kWhite);
    EXPECT_EQ(img->pixel(35, 25), kBlack);
    // Negative sizes reach the other way.
    img->canvas().drawRectangleArea(60, 40, -3, -3);
    EXPECT_EQ(img->pixel(58, 38), kRed);
}

TEST_F(CanvasTest, EllipseOutlineStrokeScalesWithHeightOverWidth) {
    auto img = blackImage(140, 80);
    img->canvas().fLineWidth = 2;
    img->canvas().drawEllipseOutline(20, 15, 100, 50);
    // Centre row: 2 pixels wide at the left end (columns 19 and 20).
    EXPECT_GT(img->pixel(19, 40).r, 220);
    EXPECT_GT(img->pixel(20, 40).r, 220);
    EXPECT_LT(img->pixel(18, 40).r, 40);
    EXPECT_LT(img->pixel(21, 40).r, 40);
    // Centre column: about 1 pixel at the top, straddling row 15.
    int lit = 0;
    for (int y = 12; y < 19; ++y) lit += img->pixel(70, y).r;
    EXPECT_NEAR(lit / 255.0, 1.0, 0.3);
    EXPECT_EQ(img->pixel(70, 40), kBlack);
    // Text drawn before leaves nothing that joins the outline: no line from
    // where the text started (the centre) to where the outline starts.
    img->canvas().drawText("a", 70, 40);
    img->canvas().drawEllipseOutline(20, 15, 100, 50);
    EXPECT_EQ(img->pixel(100, 40), kBlack);
}

TEST_F(CanvasTest, EllipseAreaFillsTheInscribedEllipse) {
    auto img = blackImage();
    img->canvas().fAreaColor = kRed;
    img->canvas().drawEllipseArea(10, 10, 40, 20);
    EXPECT_EQ(img->pixel(30, 20), kRed);
    EXPECT_EQ(img->pixel(11, 11), kBlack);  // corner of the box, outside the ellipse
    EXPECT_EQ(img->pixel(30, 31), kBlack);
}

TEST_F(CanvasTest, ZeroSizedEllipsesDrawNothingAndTheCanvasStaysUsable) {
    auto img = blackImage();
    img->canvas().drawEllipseOutline(10, 10, 0, 20);
    img->canvas().drawEllipseArea(10, 10, 20, 0);
    EXPECT_EQ(countLit(*img), 0);
    img->canvas().drawLine(0, 5, 64, 5);
    EXPECT_GT(img->pixel(30, 5).r, 100);
    img->canvas().fAreaColor = kRed;
    img->canvas().fill();
    EXPECT_EQ(img->pixel(0, 47), kRed);
}

TEST_F(CanvasTest, HugeCoordinatesAreCutToTheVisibleAreaNotWrapped) {
    // The same diagonal from the same start, ending just outside and ending
    // absurdly far away, must light the same pixels.
    auto near = blackImage(640, 400);
    near->canvas().drawLine(320, 200, 320 + 640, 200 + 400);
    auto far = blackImage(640, 400);
    const std::int64_t big = std::int64_t{1} << 61;
    far->canvas().drawLine(320, 200, 320 + big, 200 + big / 640 * 400);
    EXPECT_GT(countLit(*near), 300);
    EXPECT_NEAR(countLit(*far), countLit(*near), 4);
    // Lines across the whole canvas from both far sides.
    auto across = blackImage(64, 48);
    across->canvas().fLineWidth = 2;
    across->canvas().drawLine(INT64_MIN, 10, INT64_MAX, 10);
    across->canvas().drawLine(20, INT64_MAX, 20, INT64_MIN);
    EXPECT_EQ(across->pixel(0, 10), kWhite);
    EXPECT_EQ(across->pixel(63, 10), kWhite);
    EXPECT_EQ(across->pixel(20, 0), kWhite);
    EXPECT_EQ(across->pixel(20, 47), kWhite);
    // A steep line between two far points crosses where it should.
    auto steep = blackImage(64, 48);
    steep->canvas().fLineWidth = 2;
    steep->canvas().drawLine(-(std::int64_t{1} << 60) + 30, -(std::int64_t{1} << 60), (std::int64_t{1} << 60) + 30,
                             std::int64_t{1} << 60);
    EXPECT_GT(steep->pixel(30, 0).r, 180);
    EXPECT_GT(steep->pixel(30 + 20, 20).r, 180);
    EXPECT_LT(steep->pixel(30 + 25, 20).r, 20);
    // A rectangle covering everything fills everything.
    across->canvas().fAreaColor = kRed;
    across->canvas().drawRectangleArea(INT64_MIN / 2, INT64_MIN / 2, INT64_MAX, INT64_MAX);
    EXPECT_EQ(across->pixel(0, 0), kRed);
    EXPECT_EQ(across->pixel(63, 47), kRed);
}

TEST_F(CanvasTest, EllipsesTooLargeToDrawAreRefusedAndFarAwayOnesIgnored) {
    auto img = blackImage();
    // Entirely away from the canvas: nothing to draw, nothing to complain about.
    img->canvas().drawEllipseOutline(INT64_MAX / 4, 0, 10, 10);
    img->canvas().drawEllipseArea(-1000000000000, -1000000000000, 10, 10);
    // Reaching across the canvas with a box cairo cannot hold.
    try {
        img->canvas().drawEllipseOutline(-2000000000, -2000000000, 4000000000, 4000000000);
        FAIL();
    } catch (const RasterError& e) {
        EXPECT_STREQ(e.what(), "Ellipse is too large to draw.");
    }
    EXPECT_EQ(countLit(*img), 0);
    img->canvas().drawLine(0, 5, 64, 5);
    EXPECT_GT(img->pixel(30, 5).r, 100);
}

TEST_F(CanvasTest, OddLineWidthsDoNotSpoilTheContext) {
    auto img = blackImage();
    for (double w : {0.0, -3.0, std::nan(""), 1e300}) {
        img->canvas().fLineWidth = w;
        img->canvas().drawLine(0, 20, 64, 20);
        img->canvas().drawEllipseOutline(10, 10, 20, 20);
    }
    img->canvas().fLineWidth = 1;
    img->canvas().fAreaColor = kRed;
    img->canvas().fill();
    EXPECT_EQ(img->pixel(32, 47), kRed);
}

TEST_F(CanvasTest, SetPixelPaintsOnePixelAndRefusesOutsideTheCanvas) {
    auto img = blackImage(4, 4);
    img->canvas().setPixel(2, 1, kRed);
    EXPECT_EQ(img->pixel(2, 1), kRed);
    EXPECT_EQ(img->pixel(1, 1), kBlack);
    for (auto [x, y] : {std::pair{-1, 0}, {0, -1}, {4, 0}, {0, 4}}) {
        try {
            img->canvas().setPixel(x, y, kRed);
            ADD_FAILURE();
        } catch (const RasterError& e) {
            EXPECT_STREQ(e.what(), "Pixel is out of range.");
        }
    }
}

TEST_F(CanvasTest, TextIsDrawnFromItsTopLeftCornerInTheTextColour) {
    auto img = blackImage(200, 100);
    img->canvas().fTextColor = kRed;
    img->canvas().drawText("Hello", 50, 30);
    int minX = 1000, minY = 1000, maxX = -1, maxY = -1;
    for (int y = 0; y < 100; ++y)
        for (int x = 0; x < 200; ++x)
            if (img->pixel(x, y).r > 128) {
                minX = std::min(minX, x), minY = std::min(minY, y);
                maxX = std::max(maxX, x), maxY = std::max(maxY, y);
                EXPECT_EQ(img->pixel(x, y).g, 0);
            }
    ASSERT_GE(maxX, 0) << "no text pixels";
    EXPECT_GE(minX, 50);
    EXPECT_LE(minX, 53);
    EXPECT_GE(minY, 30);
    EXPECT_LE(maxX, 50 + img->canvas().textWidth("Hello"));
    EXPECT_LE(maxY, 30 + img->canvas().textLineHeight());
}

TEST_F(CanvasTest, TextWidthIsTheWidestLineAndTheLineHeightThatOfALetter) {
    auto img = blackImage();
    raster::Canvas& c = img->canvas();
    const int shortW = c.textWidth("ab");
    const int longW = c.textWidth("abcdefgh");
    EXPECT_GT(longW, shortW);
    EXPECT_EQ(c.textWidth(""), 0);
    for (const char* text : {"ab\nabcdefgh", "abcdefgh\rab", "ab\r\nabcdefgh\r\n"}) EXPECT_EQ(c.textWidth(text), longW) << text;
    const int h = c.textLineHeight();
    EXPECT_GT(h, 5);
    EXPECT_LT(h, 40);
    // The font follows size and bold changes.
    c.fFontSize = 30;
    EXPECT_GT(c.textLineHeight(), h);
    EXPECT_GT(c.textWidth("abcdefgh"), longW);
    c.fFontSize = 15;
    EXPECT_EQ(c.textWidth("abcdefgh"), longW);
    c.fFontBold = true;
    EXPECT_GE(c.textWidth("abcdefgh"), longW);
    // Absurd sizes are survivable.
    for (double size : {0.0, -5.0, std::nan(""), 1e300}) {
        c.fFontSize = size;
        c.drawText("x", 0, 0);
        (void)c.textLineHeight();
    }
}

// pango's coordinates overflow beyond about 2 million pixels: 200,000 W's
// (2.7 million pixels) measured nothing like their width and drew the wrapped
// far end of the line over its start.
TEST_F(CanvasTest, TextTooLongForOneLayoutIsMeasuredAndDrawnInPieces) {
    auto img = blackImage(300, 60), ref = blackImage(300, 60);
    const std::string hundred(100, 'W'), many(200000, 'W');
    raster::Canvas& c = img->canvas();
    const std::int64_t w100 = c.textWidth(hundred);
    EXPECT_NEAR(static_cast<double>(c.textWidth(many)), 2000.0 * static_cast<double>(w100), 2000.0);
    EXPECT_EQ(c.textWidth(many + "\n" + hundred), c.textWidth(many));
    c.drawText(many + "\n" + many, 2, 3);
    ref->canvas().drawText(hundred + "\n" + hundred, 2, 3);
    for (int y = 0; y < 60; ++y)
        for (int x = 0; x < 300; ++x) ASSERT_EQ(img->pixel(x, y), ref->pixel(x, y)) << x << "," << y;
}

// Each label height used to stay loaded for good (21 KB and 1.7 ms each).
TEST_F(CanvasTest, TheFontsOfManySizesAreReleasedAndTextStaysTheSame) {
    auto img = blackImage(40, 30), ref = blackImage(40, 30);
    raster::Canvas& c = img->canvas();
    ref->canvas().drawText("ag", 3, 2);
    for (int k = 0; k < 150; ++k) {
        c.fFontSize = 5 + k * 0.25;
        (void)c.textWidth("x");
        EXPECT_LE(c.fonts().fontsInMap(), raster::limits::kMaxFontsPerMap);
    }
    EXPECT_LT(c.fonts().fontsInMap(), 150u - raster::limits::kMaxFontsPerMap);
    c.fFontSize = raster::limits::kDefaultTextSize;
    c.drawText("ag", 3, 2);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x) ASSERT_EQ(img->pixel(x, y), ref->pixel(x, y)) << x << "," << y;
}

// pango warned "Invalid UTF-8 string passed to pango_layout_set_text()" on
// standard error for such a label, and drew its bytes as boxes.
TEST_F(CanvasTest, IllFormedUtf8IsDrawnWithReplacementCharactersWithoutAWarning) {
    const std::string fffd = "\xEF\xBF\xBD";
    const std::pair<std::string, std::string> repairs[] = {
        {"a\xFF" "b", "a" + fffd + "b"},                  // a byte no character uses
        {"\x80\x80", fffd + fffd},                       // stray continuations, one each
        {"x\xE2\x82", "x" + fffd},                       // a cut-off character, one in all
        {"\xE2\x82" "A\xC3\xA9", fffd + "A\xC3\xA9"},   // the next character is kept
        {"\xC0\xAF", fffd + fffd},                       // overlong
        {"\xED\xA0\x80", fffd + fffd + fffd},           // a surrogate
        {"\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},  // above U+10FFFF
    };
    for (const auto& [bad, good] : repairs) EXPECT_EQ(raster::repairedUtf8(bad), good);
    for (std::string ok : {"", "plain", "caf\xC3\xA9 \xF0\x9F\x90\xA2", "\xF4\x8F\xBF\xBF"})
        EXPECT_EQ(raster::repairedUtf8(ok), std::nullopt) << ok;
    EXPECT_EQ(raster::repairedUtf8(std::string("a\0b", 3)), std::nullopt);

    auto img = blackImage(120, 30), ref = blackImage(120, 30);
    testing::internal::CaptureStderr();
    img->canvas().drawText("Z\xFF\xE2\x82" "Z", 2, 2);
    const std::int64_t width = img->canvas().textWidth("Z\xFF" "Z");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    ref->canvas().drawText("Z" + fffd + fffd + "Z", 2, 2);
    EXPECT_EQ(width, ref->canvas().textWidth("Z" + fffd + "Z"));
    EXPECT_GT(countLit(*img), 0);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x) ASSERT_EQ(img->pixel(x, y), ref->pixel(x, y)) << x << "," << y;
}

// Labels at many sizes, one line and several, normal and bold, each with
// a red box of its measured width and line height: the sheet that
// data/label-sizes.png holds as it was drawn when pango loaded the font at
// every size.
void drawLabelSheet(Image& img) {
    raster::Canvas& c = img.canvas();
    c.fLineColor = kRed;
    auto label = [&](const std::string& text, std::int64_t x, std::int64_t y) {
        c.drawText(text, x, y);
        c.drawRectangleOutline(x, y, c.textWidth(text), c.textLineHeight());
        return c.textLineHeight();
    };
    std::int64_t y = 2;
    for (double size : {4.0, 7.5, 10.0, 15.0, 23.5, 40.0, 73.0}) {
        c.fFontSize = size;
        y += label("Veskel label: AVAWay fi 0123", 3, y) + 3;
    }
    c.fFontSize = 30;
    c.fFontBold = true;
    label("Bold ab\ncd\r\n\nend", 3, y);
    c.fFontBold = false;
    c.fFontSize = 150;
    label("Ag", 500, 380);
}

TEST_F(CanvasTest, LabelsOfEverySizeLookAsWhenEachSizeHadItsOwnFont) {
    auto img = blackImage(900, 620);
    drawLabelSheet(*img);
    Image reference(raster());
    reference.loadFromFile(RASTER_TEST_DATA "/label-sizes.png");
    const raster::ImageDifference exact = raster::compareImages(*img, reference, 0);
    EXPECT_EQ(exact.differing, 0) << "first at " << exact.firstX << "," << exact.firstY;
    // Letters hundreds of pixels high are filled as outlines, which only
    // differ in antialiasing from the glyph images drawn before.
    auto large = blackImage(640, 400);
    large->canvas().fFontSize = 300;
    large->canvas().drawText("Ag", 5, 5);
    large->canvas().fFontSize = 1500;
    large->canvas().drawText("W", -300, -900);
    reference.loadFromFile(RASTER_TEST_DATA "/label-large.png");
    const raster::ImageDifference close = raster::compareImages(*large, reference, 24);
    EXPECT_EQ(close.differing, 0) << "first at " << close.firstX << "," << close.firstY;
    EXPECT_GT(raster::compareImages(*large, reference, 0).share(), 0.99);
}

TEST_F(CanvasTest, ImagesAreDrawnAtTheirSizeOrScaled) {
    Image src(raster());
    EXPECT_THROW(
        {
            auto dst = blackImage();
            try {
                dst->canvas().drawImage(src, 0, 0);
            } catch (const RasterError& e) {
                EXPECT_STREQ(e.what(), "Image is not initialized.");
                throw;
            }
        },
        RasterError);
    src.resize(4, 2);
    src.canvas().fAreaColor = kRed;
    src.canvas().fill();
    auto dst = blackImage(20, 20);
    dst->canvas().drawImage(src, 3, 5);
    EXPECT_EQ(dst->pixel(3, 5), kRed);
    EXPECT_EQ(dst->pixel(6, 6), kRed);
    EXPECT_EQ(dst->pixel(7, 6), kBlack);
    EXPECT_EQ(dst->pixel(3, 7), kBlack);
    dst->canvas().fInterpolationMode = raster::InterpolationMode_NearestNeighbor;
    dst->canvas().drawImage(src, 10, 10, 8, 8);
    EXPECT_EQ(dst->pixel(17, 17), kRed);
    EXPECT_EQ(dst->pixel(18, 17), kBlack);
    dst->canvas().drawImage(src, 0, 0, 0, 5);  // nothing to draw
    dst->canvas().fill();
    EXPECT_EQ(dst->pixel(0, 0), kBlack);
}

TEST_F(CanvasTest, ImpossibleSizesAreClearErrorsAndLeaveNoSurface) {
    Image img(raster());
    try {
        img.resize(-1, 10);
        FAIL();
    } catch (const RasterError& e) {
        EXPECT_STREQ(e.what(), "Invalid image size -1 x 10.");
    }
    try {
        img.resize(40000, 10);  // cairo's own limit is 32767 a side
        FAIL();
    } catch (const RasterError& e) {
        EXPECT_STREQ(e.what(), "Cannot create an image of 40000 x 10 pixels.");
    }
    EXPECT_FALSE(img.hasSurface());
    EXPECT_EQ(img.width(), 0);
    EXPECT_THROW(img.canvas().fill(), RasterError);
    img.resize(3, 3);
    img.canvas().fill();
    EXPECT_EQ(img.pixel(1, 1), kBlack);
}

TEST_F(CanvasTest, PicturesBeyondThePixelLimitAreRefusedEvenFromATinyFile) {
    auto img = blackImage(8, 8);
    // A refused size leaves the image as it was; the limit is exactly 2^28.
    try {
        img->resize(16384, 16385);
        FAIL();
    } catch (const RasterError& e) {
        EXPECT_STREQ(e.what(), "Image is too large: 16384 x 16385 is more than 268435456 pixels.");
    }
    EXPECT_EQ(img->width(), 8);
    EXPECT_EQ(img->pixel(1, 1), kBlack);
    // Files whose header declares 30000 x 30000 are refused from the header:
    // decoding them took gigabytes and half a minute.
    for (const char* name : {"huge_header.png", "huge_header.jpg"}) {
        try {
            img->loadFromFile(std::string(RASTER_TEST_DATA) + "/" + name);
            ADD_FAILURE() << name;
        } catch (const RasterError& e) {
            EXPECT_STREQ(e.what(), "Image is too large: 30000 x 30000 is more than 268435456 pixels.") << name;
        }
        EXPECT_FALSE(img->hasSurface());
    }
}

TEST_F(CanvasTest, PngKeepsEveryPixelIncludingTransparency) {
    Image img(raster());
    img.resize(7, 5);
    img.canvas().fAreaColor = Color(10, 200, 30, 255);
    img.canvas().drawRectangleArea(0, 0, 3, 5);
    const std::string path = tempPath("round.png");
    img.saveToPngFile(path);
    Image back(raster());
    back.canvas().fLineWidth = 4;
    back.loadFromFile(path);
    EXPECT_EQ(back.width(), 7);
    EXPECT_EQ(back.height(), 5);
    EXPECT_EQ(back.pixel(1, 4), Color(10, 200, 30, 255));
    EXPECT_EQ(back.pixel(5, 2).a, 0);
    EXPECT_EQ(back.canvas().fLineWidth, 4);  // loading keeps the canvas
    back.canvas().fill();                    // and it can draw at once
}

// The chunks of a PNG file: type and data, in file order.
std::vector<std::pair<std::string, std::string>> pngChunks(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::vector<std::pair<std::string, std::string>> chunks;
    for (std::size_t at = 8; at + 12 <= bytes.size();) {
        std::uint32_t length = 0;
        for (int k = 0; k < 4; ++k) length = length << 8 | static_cast<unsigned char>(bytes[at + k]);
        chunks.emplace_back(bytes.substr(at + 4, 4), bytes.substr(at + 8, length));
        at += 12 + length;
    }
    return chunks;
}

// An opaque picture goes out without alpha, anything else with it; both
// come back pixel for pixel, antialiased edges, a drawing and a noisy
// picture (saved with other filters) alike.
TEST_F(CanvasTest, PngsAreRgbWhenOpaqueAndReadBackPixelForPixel) {
    auto drawn = blackImage(90, 70);
    raster::Canvas& c = drawn->canvas();
    c.fLineWidth = 3;
    c.fLineColor = Color(250, 128, 114, 255);
    c.drawLine(3, 5, 80, 61);
    c.drawEllipseOutline(10, 10, 50, 30);
    c.drawText("Ag", 40, 2);
    auto noisy = std::make_unique<Image>(raster());
    noisy->resize(33, 17);
    std::vector<std::uint32_t> pixels(33 * 17);
    std::uint32_t seed = 7;
    for (std::uint32_t& p : pixels) p = 0xFF000000u | ((seed = seed * 1103515245u + 12345u) >> 8);
    noisy->writePixels(0, 0, 33, 17, pixels.data());
    auto seeThrough = std::make_unique<Image>(raster());
    seeThrough->resize(20, 10);
    seeThrough->canvas().fAreaColor = Color(10, 200, 30, 100);
    seeThrough->canvas().drawEllipseArea(0, 0, 20, 10);
    const std::pair<const Image*, char> cases[] = {{drawn.get(), 2}, {noisy.get(), 2}, {seeThrough.get(), 6}};
    for (const auto& [img, colourType] : cases) {
        const std::string path = tempPath("exact.png");
        img->saveToPngFile(path);
        const auto chunks = pngChunks(path);
        ASSERT_EQ(chunks.front().first, "IHDR");
        EXPECT_EQ(chunks.front().second[9], colourType);
        EXPECT_EQ(chunks.back().first, "IEND");
        Image back(raster());
        back.loadFromFile(path);
        ASSERT_EQ(back.width(), img->width());
        ASSERT_EQ(back.height(), img->height());
        for (int y = 0; y < img->height(); ++y)
            for (int x = 0; x < img->width(); ++x) ASSERT_EQ(back.pixel(x, y), img->pixel(x, y)) << x << "," << y;
    }
}

TEST_F(CanvasTest, BitmapAndJpegRoundTripsKeepSizeAndColour) {
    auto img = blackImage(40, 30);
    img->canvas().fAreaColor = Color(250, 128, 114, 255);
    img->canvas().drawRectangleArea(0, 0, 20, 30);
    const std::string bmp = tempPath("round.bmp"), jpg = tempPath("round.jpg");
    img->saveToBitmapFile(bmp);
    img->saveToJpegFile(jpg, 80);
    Image back(raster());
    back.loadFromFile(bmp);
    EXPECT_EQ(back.pixel(5, 5), Color(250, 128, 114, 255));
    EXPECT_EQ(back.pixel(35, 5), kBlack);
    back.loadFromFile(jpg);
    EXPECT_EQ(back.width(), 40);
    EXPECT_EQ(back.height(), 30);
    const Color c = back.pixel(5, 15);
    EXPECT_NEAR(c.r, 250, 12);
    EXPECT_NEAR(c.g, 128, 12);
    EXPECT_NEAR(c.b, 114, 12);
    EXPECT_EQ(c.a, 255);
    // Magic bytes tell the formats apart.
    std::ifstream b(bmp, std::ios::binary), j(jpg, std::ios::binary);
    char bm[2], jf[2];
    b.read(bm, 2);
    j.read(jf, 2);
    EXPECT_EQ(std::string(bm, 2), "BM");
    EXPECT_EQ(static_cast<unsigned char>(jf[0]), 0xFF);
    EXPECT_EQ(static_cast<unsigned char>(jf[1]), 0xD8);
}

TEST_F(CanvasTest, APngKeepsTextChunksOtherFormatsKeepNone) {
    auto img = blackImage(8, 6);
    // Latin-1 text is written as tEXt, anything beyond it as UTF-8 iTXt;
    // both come back as the UTF-8 that went in, line ends included.
    const std::string latin = "100 fd\n'caf\xC3\xA9 label\n", wide = "'\xF0\x9F\x90\xA2 label\n";
    const std::vector<raster::TextChunk> text{{"Latin", latin}, {"Wide", wide}};
    const std::string png = tempPath("text.png"), bmp = tempPath("text.bmp"), jpg = tempPath("text.jpg");
    img->save(png, "png", -1, text);
    img->save(bmp, "bmp", -1, text);
    img->save(jpg, "jpeg", 80, text);
    Image back(raster());
    EXPECT_EQ(back.loadFromFile(png, "Latin"), latin);
    EXPECT_EQ(back.loadFromFile(png, "Wide"), wide);
    EXPECT_EQ(back.loadFromFile(png, "Missing"), std::nullopt);
    EXPECT_EQ(back.pixel(3, 3), kBlack) << "and the pixels as ever";
    EXPECT_EQ(back.loadFromFile(png), std::nullopt) << "nothing asked, nothing given";
    EXPECT_EQ(back.loadFromFile(bmp, "Latin"), std::nullopt);
    EXPECT_EQ(back.loadFromFile(jpg, "Latin"), std::nullopt);
    EXPECT_EQ(back.width(), 8) << "the JPEG was written with its quality";
    // Stored pictures rely on the chunks' form: Latin-1 tEXt, uncompressed
    // iTXt with no language, both before the pixels.
    const auto chunks = pngChunks(png);
    ASSERT_GE(chunks.size(), 4u);
    EXPECT_EQ(chunks[1], std::make_pair(std::string("tEXt"), "Latin" + std::string(1, '\0') + "100 fd\n'caf\xE9 label\n"));
    EXPECT_EQ(chunks[2], std::make_pair(std::string("iTXt"), "Wide" + std::string(5, '\0') + wide));
    EXPECT_EQ(chunks[3].first, "IDAT");
}

TEST_F(CanvasTest, RawPixelRectanglesCopyAreasExactly) {
    Image img(raster());
    img.resize(10, 8);  // transparent
    img.canvas().fAreaColor = Color(200, 100, 50, 128);
    img.canvas().drawRectangleArea(2, 1, 3, 2);
    std::vector<std::uint32_t> area(4 * 3);
    img.readPixels(1, 0, 4, 3, area.data());
    // Premultiplied ARGB words: alpha in the top byte, colour scaled by it.
    EXPECT_EQ(area[0], 0u);
    const std::uint32_t painted = area[1 * 4 + 1];
    EXPECT_EQ(painted >> 24, 128u) << std::hex << painted;
    EXPECT_NEAR(static_cast<int>((painted >> 16) & 0xFF), 100, 1);
    // Written elsewhere, the words give the same colours back.
    auto copy = blackImage(10, 8);
    copy->writePixels(6, 5, 4, 3, area.data());
    for (int y = 0; y < 3; ++y)
        for (int x = 0; x < 4; ++x) EXPECT_EQ(copy->pixel(6 + x, 5 + y), img.pixel(1 + x, y)) << x << "," << y;
    // A writer's pixels show when the image is drawn on again.
    copy->canvas().fLineColor = kRed;
    copy->canvas().drawLine(0, 0, 0, 0);
    EXPECT_EQ(copy->pixel(7, 6), img.pixel(2, 1));
    for (auto [x, y, w, h] : {std::array{-1, 0, 2, 2}, {9, 0, 2, 1}, {0, 7, 1, 2}, {0, 0, -1, 1}}) {
        EXPECT_THROW(img.readPixels(x, y, w, h, area.data()), RasterError) << x << "," << y;
        EXPECT_THROW(copy->writePixels(x, y, w, h, area.data()), RasterError);
    }
}

TEST_F(CanvasTest, FilesThatAreNotImagesFailWithTheLibrarysMessage) {
    const std::string text = tempPath("not-an-image.png");
    std::ofstream(text) << "hello, not a picture\n";
    Image img(raster());
    img.resize(10, 10);
    for (const std::string& path : {text, tempPath("missing.png")}) {
        try {
            img.loadFromFile(path);
            ADD_FAILURE() << path;
        } catch (const RasterError& e) {
            EXPECT_GT(std::string(e.what()).size(), 5u) << e.what();
            EXPECT_NE(std::string(e.what()), "Unknown error");
        }
        EXPECT_FALSE(img.hasSurface());
        EXPECT_EQ(img.width(), 0);
    }
}

TEST_F(CanvasTest, SavingFailuresCarryAMessageAndAnEmptyImageCannotBeSaved) {
    Image img(raster());
    try {
        img.saveToPngFile(tempPath("x.png"));
        FAIL();
    } catch (const RasterError& e) {
        EXPECT_STREQ(e.what(), "Image is not initialized.");
    }
    img.resize(0, 3);
    try {
        img.saveToPngFile(tempPath("empty.png"));
        FAIL();
    } catch (const RasterError& e) {
        EXPECT_STREQ(e.what(), "Cannot save an image of 0 x 3 pixels as PNG.");
    }
    EXPECT_FALSE(std::filesystem::exists(tempPath("empty.png")));
    img.resize(4, 4);
    try {
        img.saveToPngFile(tempPath("no-such-dir/x.png"));
        FAIL();
    } catch (const RasterError& e) {
        EXPECT_GT(std::string(e.what()).size(), 5u);
    }
}

}  // namespace

TEST(RasterLoader, AMissingLibraryIsNamed) {
    const char* const names[] = {"libcairo.so.2", "libpintaro-no-such-raster.so.0"};
    try {
        raster::loadRasterLibraries(names);
        FAIL() << "expected an error";
    } catch (const raster::LibraryLoadError& e) {
        EXPECT_STREQ(e.what(), "could not load: libpintaro-no-such-raster.so.0");
        EXPECT_TRUE(e.libraryMissing);
    }
    // cairo alone has no pango: the first pango function is the one named.
    const char* const cairoOnly[] = {"libcairo.so.2"};
    try {
        raster::loadRasterLibraries(cairoOnly);
        FAIL() << "expected an error";
    } catch (const raster::LibraryLoadError& e) {
        EXPECT_STREQ(e.what(), "could not import: pango_cairo_create_layout");
        EXPECT_FALSE(e.libraryMissing);
    }
}
