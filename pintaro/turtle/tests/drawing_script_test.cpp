// The script a picture keeps: its first line and notes read back, lines
// kept as they ran, and the words that bring a replay's start state to the
// turtle's, which must give back exactly that state.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

#include "turtle/drawing_script.h"
#include "turtle_fixture.h"

using turtle::DrawingStart;

TEST(DrawingScript, StartLinesAndNotesReadBackAndNothingElseReadsAsThem) {
    EXPECT_EQ(turtle::scriptStartLine(DrawingStart::StartImage, 640, 400),
              "\\ Drawing started from the start image: 640 x 400 pixels, black.\n");
    EXPECT_EQ(turtle::scriptStartLine(DrawingStart::New, 800, 600),
              "\\ Drawing started with New: 800 x 600 pixels, transparent.\n");
    const std::string opened = turtle::scriptStartLine(DrawingStart::Opened, 100, 50, "a: b\n.png");
    EXPECT_EQ(opened, "\\ Drawing started from the opened picture a: b?.png: 100 x 50 pixels, not in this script.\n");
    const auto back = turtle::parseStartLine(opened.substr(0, opened.size() - 1));
    ASSERT_TRUE(back);
    EXPECT_EQ(back->how, DrawingStart::Opened);
    EXPECT_EQ(back->openedName, "a: b?.png");
    EXPECT_EQ(back->width, 100);
    EXPECT_EQ(back->height, 50);
    EXPECT_EQ(turtle::parseStartLine("\\ Drawing started with New: 2 x 3 pixels, transparent.")->how, DrawingStart::New);
    for (const char* line : {"\\ Drawing started with New: 0 x 3 pixels.", "\\ Drawing started somehow: 2 x 3 pixels.",
                             "\\ Drawing started with New: 2 x 3", "100 fd"})
        EXPECT_FALSE(turtle::parseStartLine(line)) << line;

    EXPECT_EQ(turtle::resizeNote(800, 600), "\\ Resized to 800 x 600 pixels.\n");
    EXPECT_EQ(turtle::parseResizeNote("\\ Resized to 800 x 600 pixels."), std::make_pair(800, 600));
    EXPECT_FALSE(turtle::parseResizeNote("\\ Resized to 800 x 600 pixels. 100 fd"));
    EXPECT_FALSE(turtle::parseResizeNote("\\  Resized to 800 x 600 pixels."));

    // Lines as they ran: line ends inside become spaces; a comment that
    // reads like a note stays a comment but no longer reads as one.
    EXPECT_EQ(turtle::scriptLine("1 2\r\n+ ."), "1 2  + .\n");
    EXPECT_EQ(turtle::scriptLine("\\ Resized to 8 x 6 pixels."), "\\ \\ Resized to 8 x 6 pixels.\n");
    EXPECT_EQ(turtle::scriptLine("\\ Not kept: joke"), "\\ \\ Not kept: joke\n");
    EXPECT_FALSE(turtle::parseResizeNote("\\ \\ Resized to 8 x 6 pixels."));

    // A stopped command line: its steps and text read back; the bare note
    // of older pictures, a count of 0 or one too large, and a typed look-alike
    // do not, so those stay comments.
    const std::string note = turtle::stoppedNote(123456789012, "[ 1 ] while\n[ 7 rt ] repeat");
    EXPECT_EQ(note, "\\ Stopped with Escape after 123456789012 steps: [ 1 ] while [ 7 rt ] repeat\n");
    const auto stop = turtle::parseStoppedNote(std::string_view(note).substr(0, note.size() - 1));
    ASSERT_TRUE(stop);
    EXPECT_EQ(stop->steps, 123456789012u);
    EXPECT_EQ(stop->text, "[ 1 ] while [ 7 rt ] repeat");
    EXPECT_FALSE(turtle::parseStoppedNote("\\ Stopped with Escape: [ 1 ] while [ 7 rt ] repeat"));
    EXPECT_FALSE(turtle::parseStoppedNote("\\ Stopped with Escape after 0 steps: 1 fd"));
    EXPECT_FALSE(turtle::parseStoppedNote("\\ Stopped with Escape after 99999999999999999999 steps: 1 fd"));
    EXPECT_EQ(turtle::scriptLine("\\ Stopped with Escape after 5 steps: 1 fd"),
              "\\ \\ Stopped with Escape after 5 steps: 1 fd\n");
}

TEST(DrawingScript, OnlyShortUtf8ScriptsAreKeptWhole) {
    const std::string start = turtle::scriptStartLine(DrawingStart::StartImage, 640, 400);
    const std::string fine = start + "'caf\xC3\xA9 label\n";
    EXPECT_EQ(turtle::scriptToKeep(fine), fine);
    EXPECT_EQ(turtle::scriptToKeep(start + "'caf\xE9 label\n"),
              start + "\\ Not kept: the script is not UTF-8 text.\n");
    const std::string huge = start + std::string(turtle::limits::kMaxScriptBytes, ' ');
    EXPECT_EQ(turtle::scriptToKeep(huge), start + "\\ Not kept: the script is longer than 1048576 bytes.\n");
    EXPECT_TRUE(turtle::isNotKeptNote("\\ Not kept: the script is not UTF-8 text."));
}

TEST_F(TurtleTest, StateWordsBringAReplaysStartToExactlyTheTurtlesState) {
    EXPECT_EQ(turtle::stateWords(t), "") << "nothing differs at the start";
    run("pu 0.1 fd pd 123.456 rt 1e-7 fd 3 rt ht");
    run("12 34 56 setpc 1 2 3 setbg 2.75 setpensize 0.1 setlabelheight 9 8 7 15 setpalette");
    turtle::TurtleState fresh(raster());
    auto in2 = forth::makeCoreInterp();
    turtle::registerTurtleWords(*in2, fresh);
    const std::string words = turtle::stateWords(t);
    for (std::size_t at = 0, end; at < words.size(); at = end + 1) {
        end = words.find('\n', at);
        in2->runLine(words.substr(at, end - at));
    }
    EXPECT_EQ(fresh.x, t.x);
    EXPECT_EQ(fresh.y, t.y);
    EXPECT_EQ(fresh.heading, t.heading);
    EXPECT_EQ(fresh.penDown, t.penDown);
    EXPECT_EQ(fresh.visible, t.visible);
    EXPECT_EQ(fresh.canvas().fLineColor, t.canvas().fLineColor);
    EXPECT_EQ(fresh.canvas().fTextColor, t.canvas().fTextColor);
    EXPECT_EQ(fresh.canvas().fAreaColor, t.canvas().fAreaColor);
    EXPECT_EQ(fresh.canvas().fLineWidth, 2.75);
    EXPECT_EQ(fresh.canvas().fFontSize, 0.1);
    EXPECT_EQ(fresh.palette, t.palette);
    EXPECT_EQ(fresh.image->pixel(320, 199), raster::Color(0, 0, 0)) << "getting there drew nothing";
    EXPECT_TRUE(in2->stack().empty());
    // A turtle lost at NaN or infinity is put there too, and the pen stays up.
    run("pu nan inf setxy");
    EXPECT_EQ(turtle::stateWords(t).substr(0, 18), "pu nan inf setxy\n1");
}
