// What the drawing view shows, painted onto an off-screen image of the
// view's size and read back pixel by pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>

#include "app/app_state.h"
#include "app/drawing_view.h"
#include "app/status_line.h"
#include "toolkit/gtk_loader.h"
#include "raster/image.h"

using raster::Color;

namespace {

constexpr Color kBlack{0, 0, 0, 255};

bool lit(Color c) { return c.r > 100 && c.g > 100 && c.b > 100; }

class DrawingView : public testing::Test {
protected:
    static void SetUpTestSuite() { toolkit::loadGtk(); }

    // A view of the given size painted with the current turtle state.
    raster::Image& paint(int width, int height) {
        view.resize(width, height);
        app::paintDrawingView(view.canvas(), state.turtle);
        return view;
    }

    app::AppState state;
    raster::Image view{toolkit::gtkRaster()};
};

}  // namespace

TEST(ViewPlacement, TheImageIsCentredAndAnOddSurplusGoesRightAndDown) {
    const app::ViewPlacement p = app::placeInView(855, 405, 640, 400, 320, 200);
    EXPECT_EQ(p.x0, 107);
    EXPECT_EQ(p.y0, 2);
    EXPECT_EQ(p.tx, 427);
    EXPECT_EQ(p.ty, 202);
}

TEST(ViewPlacement, ALargerImageGetsANegativeOriginTruncatedTowardZero) {
    const app::ViewPlacement p = app::placeInView(100, 100, 801, 603, 0, 0);
    EXPECT_EQ(p.x0, -350) << "(100 - 801) / 2 truncates toward zero";
    EXPECT_EQ(p.y0, -251);
}

TEST(ViewPlacement, TheTurtlePositionIsTruncatedTowardZero) {
    const app::ViewPlacement p = app::placeInView(640, 400, 640, 400, 10.9, -3.7);
    EXPECT_EQ(p.tx, 10);
    EXPECT_EQ(p.ty, -3);
}

TEST(ViewPlacement, ATurtleFarAwayOrNowhereDoesNotOverflow) {
    const double inf = std::numeric_limits<double>::infinity();
    const app::ViewPlacement far = app::placeInView(640, 400, 640, 400, inf, -1e300);
    EXPECT_GT(far.tx, 1'000'000'000'000LL);
    EXPECT_LT(far.ty, -1'000'000'000'000LL);
    const app::ViewPlacement nan = app::placeInView(640, 400, 640, 400, std::nan(""), 0);
    EXPECT_EQ(nan.tx, 0);
}

TEST_F(DrawingView, TheBackgroundSurroundsTheImageAndTheFrameUsesThePenColour) {
    state.turtle.canvas().fAreaColor = Color(0, 0, 200);
    state.turtle.canvas().fLineColor = Color(255, 0, 0);
    state.turtle.visible = false;
    raster::Image& v = paint(700, 460);  // image at (30, 30)
    EXPECT_EQ(v.pixel(5, 5), Color(0, 0, 200)) << "background around the image";
    EXPECT_EQ(v.pixel(320, 230), kBlack) << "the image's own pixels";
    EXPECT_EQ(v.pixel(30, 200), Color(255, 0, 0)) << "left edge of the frame";
    EXPECT_EQ(v.pixel(400, 429), Color(255, 0, 0)) << "bottom edge of the frame";
}

TEST_F(DrawingView, TheTurtleAtTheCentreShowsACircleAndAMarkPointingUp) {
    raster::Image& v = paint(640, 400);
    // Heading 0: the mark runs from the centre 12 pixels straight up.
    EXPECT_TRUE(lit(v.pixel(320, 194)) || lit(v.pixel(319, 194)));
    EXPECT_FALSE(lit(v.pixel(326, 200))) << "nothing to the right of the centre inside the circle";
    EXPECT_FALSE(lit(v.pixel(320, 206))) << "nor below it";
    // The circle of radius 12 passes left, right and below.
    EXPECT_TRUE(lit(v.pixel(308, 200)) || lit(v.pixel(307, 200)));
    EXPECT_TRUE(lit(v.pixel(332, 200)) || lit(v.pixel(331, 200)));
    EXPECT_TRUE(lit(v.pixel(320, 212)) || lit(v.pixel(320, 211)));
}

TEST_F(DrawingView, TheMarkFollowsTheHeading) {
    state.turtle.heading = 90;
    raster::Image& v = paint(640, 400);
    EXPECT_TRUE(lit(v.pixel(326, 200)) || lit(v.pixel(326, 199)));
    EXPECT_FALSE(lit(v.pixel(320, 194)) || lit(v.pixel(319, 194)));
}

TEST_F(DrawingView, AHiddenTurtleLeavesOnlyTheImageAndFrame) {
    state.turtle.visible = false;
    raster::Image& v = paint(640, 400);
    for (int d = -12; d <= 12; ++d) EXPECT_EQ(v.pixel(320, 200 + d), kBlack) << d;
}

TEST_F(DrawingView, ALargerImageIsCutOffOnAllSidesAndTheTurtleFollowsTheSameOrigin) {
    state.turtle.image->resize(800, 600);
    state.turtle.canvas().fAreaColor = Color(0, 0, 200);
    state.turtle.canvas().fill();
    state.turtle.x = 400;
    state.turtle.y = 300;
    raster::Image& v = paint(640, 400);  // origin (-80, -100)
    EXPECT_EQ(v.pixel(0, 0), Color(0, 0, 200));
    EXPECT_EQ(v.pixel(639, 399), Color(0, 0, 200));
    EXPECT_TRUE(lit(v.pixel(320, 194)) || lit(v.pixel(319, 194))) << "turtle still at the view's centre";
}

TEST_F(DrawingView, ATransparentImageShowsTheBackgroundThrough) {
    state.turtle.image->resize(640, 400);  // every pixel transparent
    state.turtle.canvas().fAreaColor = Color(0, 120, 0);
    state.turtle.visible = false;
    raster::Image& v = paint(640, 400);
    EXPECT_EQ(v.pixel(100, 100), Color(0, 120, 0));
}

TEST_F(DrawingView, TheGridLiesOverTheImageInTheViewOnlyWithTheHomeAxesStronger) {
    state.turtle.visible = false;
    state.turtle.image->resize(640, 400);
    state.turtle.canvas().fill();  // black
    raster::Image& v = paint(700, 460);  // image at (30, 30)
    auto ink = [&](int x, int y) { return std::max(v.pixel(30 + x, 30 + y).r, v.pixel(29 + x, 30 + y).r); };
    EXPECT_EQ(ink(25, 220), 0) << "no grid unless asked for";
    app::paintDrawingView(v.canvas(), state.turtle, true);
    EXPECT_GT(ink(50, 220), 0) << "a light line every 50 pixels";
    EXPECT_GT(ink(600, 220), 0);
    EXPECT_EQ(ink(25, 220), 0) << "and nothing between";
    EXPECT_GT(ink(320, 220), ink(300, 220)) << "home axis stronger than the lines";
    EXPECT_GT(ink(220, 200), ink(220, 250));
    EXPECT_LT(ink(50, 220), 100) << "the lines are light";
    int numbers = 0;
    for (int y = 2; y < 20; ++y)
        for (int x = 102; x < 130; ++x) numbers += v.pixel(30 + x, 30 + y).r > 100;
    EXPECT_GT(numbers, 10) << "100 written by its line";
    EXPECT_EQ(v.pixel(5, 5), kBlack) << "nothing outside the image";
    EXPECT_EQ(state.turtle.image->pixel(50, 220), kBlack) << "nothing in the image";
    // On a light background the grid is dark.
    state.turtle.canvas().fAreaColor = Color(255, 255, 255);
    state.turtle.canvas().fill();
    app::paintDrawingView(v.canvas(), state.turtle, true);
    EXPECT_LT(v.pixel(80, 250).r, 255);
    EXPECT_EQ(v.pixel(70, 250), Color(255, 255, 255));
}

TEST(ViewPlacement, ThePointerIsReadInImagePixelsAndOnlyOverTheImage) {
    // A 640 x 400 image in a 700 x 460 view starts at (30, 30).
    EXPECT_EQ(app::imagePointAt(700, 460, 640, 400, 30, 30), std::make_pair(0, 0));
    EXPECT_EQ(app::imagePointAt(700, 460, 640, 400, 669, 429), std::make_pair(639, 399));
    EXPECT_EQ(app::imagePointAt(700, 460, 640, 400, 130, 80), std::make_pair(100, 50));
    EXPECT_EQ(app::imagePointAt(700, 460, 640, 400, 29, 100), std::nullopt);
    EXPECT_EQ(app::imagePointAt(700, 460, 640, 400, 670, 100), std::nullopt);
    EXPECT_EQ(app::imagePointAt(700, 460, 640, 400, 100, 430), std::nullopt);
    // A larger image is cut off; the view shows its middle.
    EXPECT_EQ(app::imagePointAt(100, 100, 801, 603, 0, 0), std::make_pair(350, 251));
    EXPECT_EQ(app::pointerText(100, 50), "x 100, y 50");
}
