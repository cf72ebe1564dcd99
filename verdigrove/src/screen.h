// Everything the game draws: control sequences, header, status line, the
// numbered menu and key input.
#pragma once

#include "game.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace verdigrove {

// ANSI (ECMA-48) control sequences.
namespace ansi {
inline constexpr std::string_view resetAttributes = "\x1b[0m";
inline constexpr std::string_view eraseScreen = "\x1b[2J";
inline constexpr std::string_view eraseLine = "\x1b[2K\x1b[1G";
inline constexpr std::string_view cursorHome = "\x1b[1;1f";
inline constexpr std::string_view bright = "\x1b[1m";
}  // namespace ansi

enum class Color { Black = 0, Green = 2, Yellow = 3, Magenta = 5, White = 7 };

std::string foreground(Color c, bool bright);
std::string background(Color c, bool bright);

inline constexpr unsigned char kEscape = 27;
inline constexpr std::size_t kMaxMenuChoices = 9;

// Writes text without a newline.  Like line and waitKey, throws
// std::runtime_error once the output stream has failed.  Nothing is flushed
// until the next key read, so a screen or prompt goes out at once.
void write(Game& g, std::string_view text);
// Writes text and one newline.
void line(Game& g, std::string_view text);
// Writes a control sequence; plain output leaves them all out.
void control(Game& g, std::string_view sequence);
// Whether colours are shown: switched on in the main menu, and allowed.
bool colorShown(const Game& g);
// Throws std::runtime_error with the reason once the stream has failed.
void checkOutput(std::ostream& out);

// Clears the screen and draws the two header lines at its top.
void drawHeader(Game& g, std::string_view first, std::string_view second);
// Switches to the body-text colours.
void textColors(Game& g);
// Offers numbered choices; 0 for Escape or "0", else the chosen number.
int menu(Game& g, std::initializer_list<std::string_view> choices);
// Flushes pending output, then reads one key.
unsigned char waitKey(Game& g);

std::string_view healthWord(const GameState& s);
std::string_view fatigueWord(const GameState& s);
std::string_view sceneryLine(const GameState& s);
// The status line and the scenery line of the header.
std::pair<std::string, std::string> statusLines(const GameState& s);

// A real as the end report shows it: 16 significant digits, ".0" added to
// whole numbers (7 -> "7.0", 12.5 -> "12.5").
std::string formatReal(double value);

}  // namespace verdigrove
