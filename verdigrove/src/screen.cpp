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

// A game the player cannot see is no game: when the output fails (a full
// disk, a closed terminal) the program stops with the reason instead of
// playing on blind and ending with success.
void checkOutput(Game& g) {
    if (g.out) return;
    const int error = errno;
    std::string message = "Could not write the output";
    if (error != 0) message += std::string(": ") + std::strerror(error);
    throw std::runtime_error(message);
}

}  // namespace

std::string foreground(Color c, bool bright) { return colorSequence(30, c, bright); }
std::string background(Color c, bool bright) { return colorSequence(40, c, bright); }

void write(Game& g, std::string_view text) {
    g.out << text;
    checkOutput(g);
}

void line(Game& g, std::string_view text) {
    g.out << text << '\n';
    checkOutput(g);
}

void drawHeader(Game& g, std::string_view first, std::string_view second) {
    const bool color = g.state.colorEnabled;
    write(g, ansi::resetAttributes);
    if (color) write(g, background(Color::Black, false));
    write(g, ansi::eraseScreen);
    if (color) {
        write(g, foreground(Color::Yellow, true));
        write(g, background(Color::Green, false));
    } else {
        write(g, ansi::bright);
    }
    write(g, ansi::cursorHome);
    write(g, ansi::eraseLine);
    line(g, first);
    write(g, ansi::eraseLine);
    line(g, second);
}

void textColors(Game& g) {
    write(g, ansi::resetAttributes);
    if (g.state.colorEnabled) {
        write(g, foreground(Color::Magenta, true));
        write(g, background(Color::Black, false));
    }
}

int menu(Game& g, std::initializer_list<std::string_view> choices) {
    const std::size_t n = choices.size();
    if (n == 0 || n > kMaxMenuChoices) throw LogicError("Logic error.");
    write(g, ansi::resetAttributes);
    if (g.state.colorEnabled) {
        write(g, foreground(Color::White, true));
        write(g, background(Color::Black, false));
    } else {
        write(g, ansi::bright);
    }
    int number = 0;
    for (std::string_view choice : choices) line(g, std::to_string(++number) + ") " + std::string(choice));
    for (;;) {
        write(g, "\n> ");
        const unsigned char key = waitKey(g);
        // The player sees the key after the prompt, whatever it was.
        line(g, std::string(1, static_cast<char>(key)));
        if (key == kEscape || key == '0') {
            write(g, ansi::resetAttributes);
            return 0;
        }
        if (key >= '1' && key <= '9' && static_cast<std::size_t>(key - '0') <= n) {
            write(g, ansi::resetAttributes);
            return key - '0';
        }
    }
}

unsigned char waitKey(Game& g) {
    g.out.flush();  // the prompt must be visible before the read blocks
    checkOutput(g);
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
