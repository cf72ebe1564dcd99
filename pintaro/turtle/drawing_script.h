// The script kept inside a PNG picture: the Veskel text that drew it, in a
// text chunk under kScriptKeyword. Its first line is a comment that says
// how the drawing started (the start image, a New, an opened picture) and
// the picture's size; a few more comments mark what no word can express (a
// Resize, a script that could not be kept). Everything else is text as it
// ran, so the script also runs as an ordinary script.
#pragma once

#include <cstdint>

#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "turtle.h"

namespace turtle {

// The PNG text chunk's keyword.
inline constexpr const char* kScriptKeyword = "Veskel script";

enum class DrawingStart {
    StartImage,  // a black image, the turtle home (program start, veskel, a failed Open)
    New,         // New: a transparent image, the turtle home
    Opened,      // an opened picture, whose pixels the script cannot bring back
};

// The first line of a script, with its line feed. `openedName` is the
// opened picture's file name (control characters become '?').
std::string scriptStartLine(DrawingStart how, int width, int height, std::string_view openedName = {});

// Lines of words that bring a replay's start state (turtle home heading up,
// pen down and shown, white pen and label, black background, pen size 1,
// label height 15, the start palette) to the turtle's state now; empty when
// they already agree. Exact for headings from -360 to 360 (setheading keeps
// the remainder of a division by 360).
std::string stateWords(const TurtleState& t);

// The comment line for a Resize, which replay carries out: "\ Resized to W x H pixels.".
std::string resizeNote(int width, int height);

// The line for a command line stopped with Escape after `steps` steps of
// the interpreter (Interp::tick), which replay runs again for exactly as
// many: "\ Stopped with Escape after N steps: LINE" and its line feed.
std::string stoppedNote(std::uint64_t steps, std::string_view text);
struct StoppedLine {
    std::uint64_t steps;
    std::string_view text;
};
// The steps and the line of a stop note; empty for any other line, among
// them the bare "\ Stopped with Escape: LINE" of older pictures, which stays
// a comment.
std::optional<StoppedLine> parseStoppedNote(std::string_view line);

// One line of text as the script keeps it, with its line feed: line ends
// inside it become spaces (a command line runs them as spaces anyway), and
// a comment that reads like one of the notes above is changed so that
// replay does not take it for one (it stays a comment).
std::string scriptLine(std::string_view text);

// What goes into the picture: the script itself, or, when it is not UTF-8
// text or longer than limits::kMaxScriptBytes (readers of PNG files may
// refuse such chunks), its first line and a note that the rest is not kept.
std::string scriptToKeep(std::string_view script);

// What scriptToKeep gives for a script it does not keep, from the script's
// first line (without its newline) and whether all of it is UTF-8 text. Short
// UTF-8 text itself, so scriptToKeep keeps it as it is.
std::string scriptNotKept(std::string_view firstLine, bool text);

// The first line read back.
struct ScriptStart {
    DrawingStart how;
    int width;
    int height;
    std::string openedName;
};
std::optional<ScriptStart> parseStartLine(std::string_view line);
// The size of a resize note; empty for any other line.
std::optional<std::pair<int, int>> parseResizeNote(std::string_view line);
// True for the note that the script was not kept.
bool isNotKeptNote(std::string_view line);

}  // namespace turtle
