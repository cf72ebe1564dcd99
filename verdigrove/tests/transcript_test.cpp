// Whole games played from the title screen with scripted keys and draws,
// compared byte for byte with transcripts.
//
// A transcript file holds a "keys:" line, a "draws:" line, a "---" line and
// then the expected output, with the escape byte written as \e.  Keys are
// space-separated groups of bytes (\e for Escape).  Draws are I<n> for an
// integer, R<x> for a real, with an optional *<count> to repeat.  Optional
// lines: "display:" with any of plain, show-seed and no-color, and "seed:"
// with the run's seed (the scripted draws stand for what it would give).
#include "main_menu.h"
#include "scripted.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace verdigrove::test {
namespace {

namespace fs = std::filesystem;

std::string unescape(const std::string& text) {
    std::string bytes;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text.compare(i, 2, "\\e") == 0) {
            bytes += '\x1b';
            ++i;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

struct Transcript {
    std::string keys;
    std::vector<Draw> draws;
    Display display;
    std::uint64_t seed = 0;
    std::string expected;
};

Transcript load(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    Transcript t;
    std::string line;
    while (std::getline(in, line) && line != "---") {
        std::istringstream words(line);
        std::string label, word;
        words >> label;
        while (words >> word) {
            if (label == "keys:") {
                t.keys += unescape(word);
            } else if (label == "display:") {
                if (word == "plain") t.display.plain = true;
                else if (word == "show-seed") t.display.showSeed = true;
                else if (word == "no-color") t.display.colorAllowed = false;
                else throw std::invalid_argument("unknown display word " + word);
            } else if (label == "seed:") {
                t.seed = std::stoull(word);
            } else if (label == "draws:") {
                const auto star = word.find('*');
                const int count = star == std::string::npos ? 1 : std::stoi(word.substr(star + 1));
                const double value = std::stod(word.substr(1, star == std::string::npos ? std::string::npos : star - 1));
                for (int i = 0; i < count; ++i) t.draws.push_back(word[0] == 'I' ? I(static_cast<int>(value)) : R(value));
            }
        }
    }
    std::string rest((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    t.expected = rest;
    return t;
}

TEST(Transcript, WholeGamesMatchTheirTranscripts) {
    int played = 0;
    for (const auto& entry : fs::directory_iterator(TRANSCRIPT_DIR)) {
        if (entry.path().extension() != ".txt") continue;
        SCOPED_TRACE(entry.path().filename().string());
        const Transcript t = load(entry.path());
        Harness h(t.keys, t.draws);
        h.game.display = t.display;
        h.state().seed = h.state().nextSeed = t.seed;
        mainMenu(h.game);
        const std::string actual = visible(h.output());
        if (actual != t.expected) {
            // Left next to the test binary for inspection.
            std::ofstream(entry.path().filename().string() + ".actual", std::ios::binary) << actual;
        }
        EXPECT_EQ(actual, t.expected);
        EXPECT_TRUE(h.keys.allRead());
        EXPECT_TRUE(h.rng.draws.empty());
        ++played;
    }
    EXPECT_GE(played, 2);
}

}  // namespace
}  // namespace verdigrove::test
