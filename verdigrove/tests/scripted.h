// Scripted stand-ins for the keyboard and the random generator, so tests
// can play the rules with known keys and draws and read back every byte.
#pragma once

#include "game.h"
#include "random.h"
#include "terminal.h"

#include <deque>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

namespace verdigrove::test {

struct Draw {
    bool isReal;
    double value;
};
inline Draw R(double v) { return {true, v}; }
inline Draw I(int v) { return {false, static_cast<double>(v)}; }

// Hands out the scripted draws in order and fails loudly on a draw of the
// wrong kind, outside its range, or beyond the script.
class ScriptedRandom final : public Random {
public:
    std::deque<Draw> draws;

    double real() override {
        const Draw d = next("real");
        if (!d.isReal) throw std::logic_error("scripted an integer draw, the game drew a real");
        return d.value;
    }
    int integer(int lo, int hi) override {
        const Draw d = next("integer");
        if (d.isReal) throw std::logic_error("scripted a real draw, the game drew an integer");
        const int v = static_cast<int>(d.value);
        if (v < lo || v > hi)
            throw std::logic_error("scripted integer " + std::to_string(v) + " outside [" + std::to_string(lo) +
                                   ", " + std::to_string(hi) + "]");
        return v;
    }
    // The scripted draws stand for whatever a seed would give.
    void reseed(std::uint64_t) override {}

private:
    Draw next(const char* kind) {
        if (draws.empty()) throw std::logic_error(std::string("no scripted draw left for a ") + kind + " draw");
        Draw d = draws.front();
        draws.pop_front();
        return d;
    }
};

// Hands out the scripted bytes; past the end it behaves like closed input.
class ScriptedKeys final : public KeySource {
public:
    std::string keys;
    std::size_t next = 0;

    unsigned char readKey() override {
        if (next >= keys.size()) throw EndOfInput();
        return static_cast<unsigned char>(keys[next++]);
    }
    bool allRead() const { return next == keys.size(); }
};

struct Harness {
    std::ostringstream out;
    ScriptedKeys keys;
    ScriptedRandom rng;
    Game game{GameState{}, out, keys, rng};

    Harness(std::string keyScript = "", std::vector<Draw> drawScript = {}) {
        keys.keys = std::move(keyScript);
        rng.draws.assign(drawScript.begin(), drawScript.end());
    }
    GameState& state() { return game.state; }
    std::string output() const { return out.str(); }
};

// Escape bytes spelled out, for readable expectations and failure reports.
inline std::string visible(const std::string& bytes) {
    std::string text;
    for (char c : bytes) {
        if (c == '\x1b') text += "\\e";
        else text += c;
    }
    return text;
}

// The lines printed after the last attribute reset: what an outcome wrote
// once its menu returned.
inline std::vector<std::string> linesAfterLastReset(const std::string& bytes) {
    const std::string reset = "\x1b[0m";
    const auto at = bytes.rfind(reset);
    std::string tail = at == std::string::npos ? bytes : bytes.substr(at + reset.size());
    std::vector<std::string> lines;
    std::istringstream in(tail);
    for (std::string l; std::getline(in, l);) lines.push_back(l);
    return lines;
}

using Lines = std::vector<std::string>;

}  // namespace verdigrove::test
