#include "screen.h"

#include "terminal.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <stdexcept>

namespace verdigrove {

namespace {

std::string colorSequence(int base, Color c, bool bright) {
    return "\x1b[" + std::to_string(base + static_cast<int>(c) + (bright ? 60 : 0)) + "m";
}

// The key as it is shown after the prompt.  Plain output carries no control
// bytes, so there a control key is shown as a terminal echoes it (^[ for
// Escape, ^? for Delete) and a byte beyond ASCII in hexadecimal.
std::string echoed(const Game& g, unsigned char key) {
    if (!g.display.plain || (key >= 0x20 && key < 0x7f)) return std::string(1, static_cast<char>(key));
    if (key < 0x20) return {'^', static_cast<char>(key + 0x40)};
    if (key == 0x7f) return "^?";
    char hex[8];
    std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned>(key));
    return hex;
}

}  // namespace

// A game the player cannot see is no game: when the output fails (a full
// disk, a closed terminal) the program stops with the reason instead of
// playing on blind and ending with success.
void checkOutput(std::ostream& out) {
    if (out) return;
    const int error = errno;
    std::string message = "Could not write the output";
    if (error != 0) message += std::string(": ") + std::strerror(error);
    throw std::runtime_error(message);
}

std::string foreground(Color c, bool bright) { return colorSequence(30, c, bright); }
std::string background(Color c, bool bright) { return colorSequence(40, c, bright); }

void write(Game& g, std::string_view text) {
    g.out << text;
    checkOutput(g.out);
}

void line(Game& g, std::string_view text) {
    g.out << text << '\n';
    checkOutput(g.out);
}

void control(Game& g, std::string_view sequence) {
    if (!g.display.plain) write(g, sequence);
}

bool colorShown(const Game& g) { return g.state.colorEnabled && g.display.colorAllowed; }

void drawHeader(Game& g, std::string_view first, std::string_view second) {
    const bool color = colorShown(g);
    control(g, ansi::resetAttributes);
    if (color) control(g, background(Color::Black, false));
    control(g, ansi::eraseScreen);
    if (color) {
        control(g, foreground(Color::Yellow, true));
        control(g, background(Color::Green, false));
    } else {
        control(g, ansi::bright);
    }
    control(g, ansi::cursorHome);
    // Plain output cannot clear the screen: an empty line sets the new one
    // apart from the last.
    if (g.display.plain) line(g, "");
    control(g, ansi::eraseLine);
    line(g, first);
    control(g, ansi::eraseLine);
    line(g, second);
}

void textColors(Game& g) {
    control(g, ansi::resetAttributes);
    if (colorShown(g)) {
        control(g, foreground(Color::Magenta, true));
        control(g, background(Color::Black, false));
    }
}

int menu(Game& g, std::initializer_list<std::string_view> choices) {
    const std::size_t n = choices.size();
    if (n == 0 || n > kMaxMenuChoices) throw LogicError("Logic error.");
    control(g, ansi::resetAttributes);
    if (colorShown(g)) {
        control(g, foreground(Color::White, true));
        control(g, background(Color::Black, false));
    } else {
        control(g, ansi::bright);
    }
    int number = 0;
    for (std::string_view choice : choices) line(g, std::to_string(++number) + ") " + std::string(choice));
    for (;;) {
        write(g, "\n> ");
        const unsigned char key = waitKey(g);
        // The player sees the key after the prompt, whatever it was.
        line(g, echoed(g, key));
        if (key == kEscape || key == '0') {
            control(g, ansi::resetAttributes);
            return 0;
        }
        if (key >= '1' && key <= '9' && static_cast<std::size_t>(key - '0') <= n) {
            control(g, ansi::resetAttributes);
            return key - '0';
        }
    }
}

unsigned char waitKey(Game& g) {
    g.out.flush();  // the prompt must be visible before the read blocks
    checkOutput(g.out);
    return g.keys.readKey();
}

std::string_view healthWord(const GameState& s) {
    if (s.health < 2) return "bad";
    if (s.health < 4) return "decent";
    return "good";
}

std::string_view fatigueWord(const GameState& s) {
    const double margin = pace(s);
    if (margin <= 1) return "drained";
    if (margin <= 3) return "tired";
    return "fresh";
}

std::string_view sceneryLine(const GameState& s) {
    if (s.distance >= 35) return "Can't see the sky for the forest canopy.";
    if (s.distance >= 15) return "Shafts of sunlight mark the path ahead.";
    return "The trees are growing farther apart now.";
}

std::pair<std::string, std::string> statusLines(const GameState& s) {
    std::string status = "In " + std::string(healthWord(s)) + " health; " + std::string(fatigueWord(s)) +
                         ". Bullets: " + std::to_string(s.bullets) + ". Time: " + std::to_string(s.hours) + "h.";
    return {std::move(status), std::string(sceneryLine(s))};
}

std::string formatReal(double value) {
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.16g", value);
    std::string text = buffer;
    if (text.find_first_of(".eni") == std::string::npos) text += ".0";
    return text;
}

}  // namespace verdigrove
