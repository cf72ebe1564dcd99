// Facts about the turtle and its words, read back from the image.
#include <cmath>

#include "turtle/conversions.h"
#include "raster/raster_error.h"
#include "turtle_fixture.h"

namespace {

using V = std::vector<double>;

// What the reference documents is what is registered, in the same order,
// after the core words: the documented table and the dictionary are one.
TEST_F(TurtleTest, WordsAliasesAndTheSigilFollowTheCoreOnesInTheirOrder) {
    using Kind = forth::DocumentedEntry::Kind;
    auto core = forth::makeCoreInterp();
    std::vector<std::string> words = core->dictionaryNames(), aliases = core->aliasNames();
    std::vector<char> sigils = core->sigilChars();
    for (const forth::DocumentedEntry& e : turtle::turtleWordDocs()) {
        if (e.kind == Kind::Word) words.emplace_back(e.name);
        if (e.kind == Kind::Alias) aliases.emplace_back(e.name);
        if (e.kind == Kind::Sigil) sigils.push_back(e.name.front());
    }
    EXPECT_EQ(in->dictionaryNames(), words);
    EXPECT_EQ(in->aliasNames(), aliases);
    EXPECT_EQ(in->sigilChars(), sigils);
}

TEST_F(TurtleTest, TheStartIsAnOpaqueBlackImageWithTheTurtleHomeAndAWhitePen) {
    EXPECT_EQ(run("pos heading pendown? shown?"), (V{320, 200, 0, 1, 1}));
    EXPECT_EQ(run("pencolor background pensize"), (V{255, 255, 255, 0, 0, 0, 1}));
    EXPECT_EQ(t.image->width(), 640);
    EXPECT_EQ(t.image->height(), 400);
    EXPECT_TRUE(changedBox(kBlack).empty());
    EXPECT_FALSE(t.unsaved);
    EXPECT_EQ(t.canvas().fFontSize, 15.0);
    EXPECT_EQ(t.canvas().fTextColor, kWhite);
    EXPECT_TRUE(t.canvas().fFontFamily.empty());
}

TEST_F(TurtleTest, ForwardDrawsAlongTheHeadingAndSetsTheUnsavedFlag) {
    run("100 fd");
    EXPECT_TRUE(t.unsaved);
    EXPECT_EQ(run("pos"), (V{320, 100}));
    const auto b = changedBox(kBlack);
    EXPECT_EQ(b.minX, 319);
    EXPECT_EQ(b.maxX, 320);
    EXPECT_EQ(b.minY, 100);
    EXPECT_EQ(b.maxY, 199);
    for (int y = 101; y < 199; ++y) EXPECT_TRUE(lit(320, y)) << y;
    // Then right: from (320, 100) to (420, 100).
    run("90 rt 100 fd");
    EXPECT_EQ(run("pos"), (V{420, 100}));
    for (int x = 321; x < 419; ++x) EXPECT_TRUE(lit(x, 100)) << x;
    EXPECT_FALSE(lit(370, 102));
    EXPECT_FALSE(lit(421, 100));
}

TEST_F(TurtleTest, BackWalksAgainstTheHeadingWithoutTurning) {
    run("90 rt 50 bk");
    EXPECT_EQ(run("pos heading"), (V{270, 200, 90}));
    EXPECT_TRUE(lit(300, 200));
    EXPECT_FALSE(lit(330, 200));
}

TEST_F(TurtleTest, PositionsKeepFullPrecisionAndAreTruncatedOnlyForDrawing) {
    run("0.4 fd 0.4 fd 0.4 fd");
    EXPECT_NEAR(t.y, 198.8, 1e-12);
    EXPECT_EQ(t.x, 320);
    EXPECT_EQ(run("10.5 20.25 setxy pos"), (V{10.5, 20.25}));
    // -0.5 is drawn at column 0, not -1: the 1-pixel line covers columns -1 and 0.
    run("pu -0.5 100 setxy pd 300 sety");
    EXPECT_TRUE(px(0, 200).r > 0);
    run("pu 10 -0.7 setxy pd 100 setx");
    EXPECT_TRUE(px(50, 0).r > 0);
    EXPECT_EQ(run("pos"), (V{100, -0.7}));
}

TEST_F(TurtleTest, PenUpMovesWithoutDrawingOrMarkingTheDrawingChanged) {
    EXPECT_EQ(run("penup pendown?"), (V{0}));
    run("100 fd 50 50 setxy 10 setx 10 sety home");
    EXPECT_TRUE(changedBox(kBlack).empty());
    EXPECT_FALSE(t.unsaved);
    EXPECT_EQ(run("pos heading"), (V{320, 200, 0}));
    EXPECT_EQ(run("pendown pendown? ht shown? st shown?"), (V{1, 0, 1}));
}

TEST_F(TurtleTest, PlacementsDrawFromTheOldToTheNewPosition) {
    run("100 200 setxy");
    EXPECT_TRUE(lit(200, 200));
    run("100 sety");
    EXPECT_TRUE(lit(100, 150));
    run("30 rt home");
    EXPECT_EQ(run("pos heading"), (V{320, 200, 0}));
    EXPECT_TRUE(lit(210, 150));  // on the line from (100, 100) to (320, 200)
}

TEST_F(TurtleTest, TurnsWrapOnceAndSetheadingKeepsTheSign) {
    EXPECT_EQ(run("100 setheading 350 right heading"), (V{90}));
    EXPECT_EQ(run("0 seth 10 left heading"), (V{350}));
    EXPECT_EQ(run("0 seth 90 rt 90 rt 90 rt 90 rt heading"), (V{0}));
    EXPECT_EQ(run("0 seth 720 lt heading"), (V{-360}));
    EXPECT_EQ(run("0 seth 800 rt heading"), (V{440}));
    EXPECT_EQ(run("-90 setheading heading"), (V{-90}));
    EXPECT_EQ(run("450 seth heading 360 seth heading 720.5 seth heading"), (V{90, 0, 0.5}));
}

TEST_F(TurtleTest, TowardsPointsFromTheTurtleWithoutTurningIt) {
    const auto h = run("0 0 towards");
    ASSERT_EQ(h.size(), 1u);
    EXPECT_NEAR(h[0], -57.99, 0.005);
    EXPECT_EQ(run("320 100 towards 420 200 towards 320 300 towards 220 200 towards"), (V{0, 90, 180, 270}));
    EXPECT_EQ(run("320 200 towards heading"), (V{90, 0}));
}

TEST_F(TurtleTest, EllipsesDrawWhateverThePenAndFillWithTheBackground) {
    run("pu 50 25 ellipse");
    EXPECT_TRUE(t.unsaved);
    EXPECT_TRUE(lit(270, 200));   // left end of the outline
    // Top: the stroke is only half a pixel wide there (pen size x ry / rx).
    EXPECT_GT(px(320, 174).r + px(320, 175).r, 80);
    EXPECT_FALSE(lit(320, 200));  // inside stays black
    const auto b = changedBox(kBlack);
    EXPECT_GE(b.minX, 268);
    EXPECT_LE(b.maxX, 371);
    EXPECT_GE(b.minY, 173);
    EXPECT_LE(b.maxY, 226);
    // Filled in the background colour, not the pen colour.
    run("30 30 fillellipse");
    EXPECT_EQ(px(320, 200), kBlack);
    run("255 0 0 setbackground 30 30 fillellipse");
    EXPECT_EQ(px(320, 200), kRed);
    EXPECT_EQ(px(320, 232), kBlack);  // background shows only where painted
    EXPECT_EQ(px(0, 0), kBlack);
    run("clean");
    EXPECT_EQ(px(0, 0), kRed);
    EXPECT_EQ(px(639, 399), kRed);
}

TEST_F(TurtleTest, EllipseOutlineUsesPenColourAndSize) {
    run("0 0 255 setpc 5 setpensize 40 40 ellipse");
    EXPECT_EQ(px(280, 200), kBlue);
    EXPECT_EQ(px(278, 200), kBlue);
    EXPECT_EQ(px(276, 200), kBlack);
    // Negative radii are used as they are: the same circle.
    run("clean -40 -40 ellipse");
    EXPECT_EQ(px(280, 200), kBlue);
}

TEST_F(TurtleTest, CleanRepaintsQuietlyWhileClearscreenCountsAndGoesHome) {
    run("100 fd");
    t.unsaved = false;
    run("clean");
    EXPECT_TRUE(changedBox(kBlack).empty());
    EXPECT_FALSE(t.unsaved);
    EXPECT_EQ(run("pos"), (V{320, 100}));
    run("90 rt 0 0 255 setbg cs");
    EXPECT_TRUE(t.unsaved);
    EXPECT_TRUE(changedBox(kBlue).empty());  // nothing drawn on the way home
    EXPECT_EQ(run("pos heading pendown?"), (V{320, 200, 0, 1}));
}

TEST_F(TurtleTest, ColourChannelsWrapAtEightBits) {
    EXPECT_EQ(run("255 0 0 setpencolor pencolor"), (V{255, 0, 0}));
    EXPECT_EQ(run("-1 0 0 setpencolor pencolor"), (V{255, 0, 0}));
    EXPECT_EQ(run("256 0 0 setpencolor pencolor"), (V{0, 0, 0}));
    EXPECT_EQ(run("300 44.9 -0.9 setpc pc"), (V{44, 44, 0}));
    EXPECT_EQ(run("1e300 -1e300 0 setbg bg"), (V{255, 0, 0}));
    EXPECT_EQ(t.canvas().fLineColor.a, 255);
    // The pen colour is the label colour too.
    run("1 2 3 setpc");
    EXPECT_EQ(t.canvas().fTextColor, raster::Color(1, 2, 3, 255));
    run("256 0 0 setpencolor 100 fd");
    EXPECT_TRUE(changedBox(kBlack).empty());
}

TEST_F(TurtleTest, PaletteChangesButColourNamesStayFixed) {
    for (std::size_t i = 0; i < 16; ++i)
        EXPECT_EQ(run(std::to_string(i) + " palette"),
                  (V{double(turtle::kColorNames[i].color.r), double(turtle::kColorNames[i].color.g),
                     double(turtle::kColorNames[i].color.b)}))
            << i;
    EXPECT_EQ(run("2 palette #green"), (V{0, 80, 0, 0, 80, 0}));
    EXPECT_EQ(run("#forest #red"), (V{34, 139, 34, 255, 0, 0}));
    EXPECT_EQ(run("1 2 3 0 setpalette 0 palette #black"), (V{1, 2, 3, 0, 0, 0}));
    EXPECT_EQ(run("15.9 palette -0.5 palette"), (V{128, 128, 128, 1, 2, 3}));
    EXPECT_EQ(run("#orange setpc pc 14 palette"), (V{255, 165, 0, 255, 165, 0}));
}

TEST_F(TurtleTest, PaletteIndexOutOfRangeIsAStackUnderflowAfterTakingTheInputs) {
    EXPECT_THROW(run("16 palette"), forth::StackUnderflow);
    EXPECT_TRUE(in->stack().empty());
    EXPECT_THROW(run("-1 palette"), forth::StackUnderflow);
    in->stack().clear();
    EXPECT_THROW(run("7 1 2 3 16 setpalette"), forth::StackUnderflow);
    EXPECT_EQ(in->stack(), (V{7}));
    in->stack().clear();
    EXPECT_EQ(run("15 palette"), (V{128, 128, 128}));
    EXPECT_THROW(run("0 0 0 -1 setpalette"), forth::StackUnderflow);
    in->stack().clear();
    EXPECT_EQ(run("0 palette"), (V{0, 0, 0}));
}

TEST_F(TurtleTest, UnknownColourNamesAreScriptErrors) {
    auto message = [&](std::string_view line) {
        try {
            run(line);
        } catch (const forth::ScriptError& e) {
            in->stack().clear();
            return std::string(e.what());
        }
        return std::string("(no error)");
    };
    EXPECT_EQ(message("#pink"), "key not found: pink");
    EXPECT_EQ(message("#Red"), "key not found: Red");
    EXPECT_EQ(message("#"), "key not found: ");
    EXPECT_THROW(run("red"), forth::ScriptError);
}

TEST_F(TurtleTest, TooFewValuesStopAWordBeforeItChangesAnything) {
    EXPECT_THROW(run("fd"), forth::StackUnderflow);
    EXPECT_THROW(run("5 setxy"), forth::StackUnderflow);
    EXPECT_TRUE(in->stack().empty());
    EXPECT_THROW(run("1 2 setpc"), forth::StackUnderflow);
    EXPECT_THROW(run("10 ellipse"), forth::StackUnderflow);
    EXPECT_THROW(run("towards"), forth::StackUnderflow);
    EXPECT_EQ(run("pos pencolor"), (V{320, 200, 255, 255, 255}));
    EXPECT_TRUE(changedBox(kBlack).empty());
    EXPECT_FALSE(t.unsaved);
}

TEST_F(TurtleTest, PenSizeAndLabelHeightAreStoredAsGiven) {
    EXPECT_EQ(run("2.5 setpensize pensize"), (V{2.5}));
    EXPECT_EQ(run("-3 setpensize pensize"), (V{-3}));
    run("22 setlabelheight");
    EXPECT_EQ(t.canvas().fFontSize, 22);
    EXPECT_EQ(t.canvas().fLineWidth, -3);
}

TEST_F(TurtleTest, LabelsStartAtTheTurtleInTheLabelColourAndMatchLabelsize) {
    in->setTextBuffer("Hello");
    run("pu 100 50 setxy 255 0 0 setpc label");
    EXPECT_TRUE(t.unsaved);
    EXPECT_EQ(run("pos"), (V{100, 50}));
    const auto b = changedBox(kBlack);
    ASSERT_FALSE(b.empty());
    const auto size = run("labelsize");
    ASSERT_EQ(size.size(), 2u);
    EXPECT_GE(b.minX, 100);
    EXPECT_LE(b.minX, 103);
    EXPECT_GE(b.minY, 50);
    EXPECT_LE(b.maxX, 100 + size[0]);
    EXPECT_GE(b.maxX, 100 + size[0] - 4);
    EXPECT_LE(b.maxY, 50 + size[1]);
    for (int y = b.minY; y <= b.maxY; ++y)
        for (int x = b.minX; x <= b.maxX; ++x) EXPECT_EQ(px(x, y).g, 0);  // only shades of red
    // Bigger labels are bigger; the widest line counts.
    run("30 setlabelheight");
    const auto big = run("labelsize");
    EXPECT_GT(big[0], size[0]);
    EXPECT_GT(big[1], size[1]);
    in->setTextBuffer("Hi\nHello\r\nHo");
    EXPECT_EQ(run("labelsize"), big);
    in->setTextBuffer("");
    EXPECT_EQ(run("labelsize"), (V{0, big[1]}));
}

TEST_F(TurtleTest, ZeroRadiusEllipsesDrawNothingAndTheImageStaysDrawable) {
    run("0 10 ellipse 10 0 fillellipse 0 0 ellipse");
    EXPECT_TRUE(changedBox(kBlack).empty());
    run("100 fd");
    EXPECT_TRUE(lit(320, 150));
}

TEST_F(TurtleTest, HugeValuesNeitherWrapNorBreakTheImage) {
    run("1e300 fd");
    EXPECT_TRUE(lit(320, 0));
    EXPECT_TRUE(lit(320, 199));
    EXPECT_FALSE(lit(318, 100));
    // Far ends keep the line's direction: up and to the right at 45 degrees.
    run("cs 45 rt 1e19 fd");
    EXPECT_TRUE(lit(419, 100));
    EXPECT_TRUE(lit(518, 1));
    EXPECT_FALSE(lit(518, 20));
    run("cs 30 rt 1e30 fd");  // through (320 + 200 tan 30, 0) = (435.5, 0)
    EXPECT_TRUE(lit(435, 0));
    EXPECT_FALSE(lit(420, 0));
    EXPECT_FALSE(lit(450, 0));
    run("cs -1e300 -1e300 setxy");
    EXPECT_TRUE(lit(120, 0) || lit(121, 0) || lit(119, 0));
    try {
        run("home 1e300 1e300 ellipse");
        FAIL();
    } catch (const forth::ScriptError& e) {
        EXPECT_STREQ(e.what(), "Ellipse is too large to draw.");
    }
    in->stack().clear();
    // Far away and small: just clipped.
    run("pu 1e300 1e300 setxy 5 5 ellipse 5 5 fillellipse label");
    // Thin ellipses reaching across the image from afar are refused too.
    EXPECT_THROW(run("cs 1e18 5 ellipse"), forth::ScriptError);
    EXPECT_THROW(run("5 -1e18 fillellipse"), forth::ScriptError);
    in->stack().clear();
    run("clean pd 100 fd");
    EXPECT_TRUE(lit(320, 150));
}

TEST_F(TurtleTest, NotANumberNamesNoPixel) {
    t.x = std::nan("");
    in->setTextBuffer("x");
    run("100 fd 5 5 ellipse 5 5 fillellipse label");
    EXPECT_TRUE(changedBox(kBlack).empty());
    t.x = 320;
    t.y = 200;
    t.canvas().fLineWidth = std::nan("");
    run("10 10 ellipse 100 fd");
    EXPECT_TRUE(changedBox(kBlack).empty());
    t.canvas().fLineWidth = 1;
    run("100 fd");
    EXPECT_TRUE(lit(320, 50));
}

TEST_F(TurtleTest, TwoTurtlesAreIndependent) {
    turtle::TurtleState other(raster());
    auto second = forth::makeCoreInterp();
    turtle::registerTurtleWords(*second, other);
    second->runLine("90 rt 100 fd");
    run("100 fd");
    EXPECT_EQ(other.x, 420);
    EXPECT_EQ(t.x, 320);
    EXPECT_TRUE(other.image->pixel(400, 200).r > 100);
    EXPECT_FALSE(lit(400, 200));
}

TEST_F(TurtleTest, HeadingMarkPointsAlongTheHeading) {
    raster::Canvas& c = t.canvas();
    c.fLineWidth = 2;
    turtle::headingMark(c, 100, 100, 90);  // right: to (112, 100)
    EXPECT_TRUE(lit(111, 100));
    EXPECT_FALSE(lit(113, 100));
    turtle::headingMark(c, 200, 100, 0);  // up: to (200, 88)
    EXPECT_TRUE(lit(200, 89));
    EXPECT_FALSE(lit(200, 86));
}

TEST_F(TurtleTest, ConversionsSaturateInsteadOfOverflowing) {
    EXPECT_EQ(turtle::toPixel(3.9), 3);
    EXPECT_EQ(turtle::toPixel(-3.9), -3);
    EXPECT_EQ(turtle::toPixel(1e300), turtle::limits::kMaxPixel);
    EXPECT_EQ(turtle::toPixel(-INFINITY), -turtle::limits::kMaxPixel);
    EXPECT_EQ(turtle::toPixel(NAN), 0);
    EXPECT_EQ(turtle::toChannel(300), 44);
    EXPECT_EQ(turtle::toChannel(-1), 255);
    EXPECT_EQ(turtle::toChannel(1e300), 255);
    EXPECT_EQ(turtle::toChannel(NAN), 0);
    EXPECT_EQ(turtle::toPaletteIndex(-0.5), 0);
    EXPECT_EQ(turtle::toPaletteIndex(15.9), 15);
    EXPECT_FALSE(turtle::toPaletteIndex(16));
    EXPECT_FALSE(turtle::toPaletteIndex(-1));
    EXPECT_FALSE(turtle::toPaletteIndex(NAN));
}

}  // namespace
