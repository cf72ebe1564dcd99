// verdigrove's whole game, from the title screen, played by the fuzz input:
// keys are taken from its front and random draws from its back, until the
// two meet and the keys run out (the end of input, as at a closed stdin).
//
// Besides crashes and sanitizer reports, it checks at every key read the
// facts the rules promise whatever happens: the magazine holds 0 to 6
// bullets, health never exceeds 5, fatigue never drops below 0, the
// encounter chances stay finite and non-negative, and the player never gets
// farther from safety than a new game starts. A menu result out of range
// (LogicError) or any other escaping error is a finding too.
#include "game.h"
#include "main_menu.h"
#include "random.h"
#include "terminal.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <ostream>
#include <streambuf>

namespace {

using namespace verdigrove;

// The fuzz input, consumed from both ends.
struct Input {
    const std::uint8_t* data;
    std::size_t front;
    std::size_t back;  // one past the last unread byte

    std::size_t left() const { return back - front; }
};

// Output is not looked at; discarding it keeps every input fast.
class DiscardBuffer final : public std::streambuf {
protected:
    int_type overflow(int_type c) override { return traits_type::not_eof(c); }
    std::streamsize xsputn(const char*, std::streamsize n) override { return n; }
};

constexpr double kFarthest = 54.0;  // a new game starts 45 to 54 km out

[[noreturn]] void broken(const char* fact) {
    std::fprintf(stderr, "verdigrove rule broken: %s\n", fact);
    std::abort();
}

void checkRules(const GameState& s) {
    if (s.bullets < 0 || s.bullets > kStartBullets) broken("0 to 6 bullets");
    if (!(s.health <= kMaxHealth)) broken("health at most 5");
    if (!(s.fatigue >= 0)) broken("fatigue at least 0");
    if (!(s.distance <= kFarthest)) broken("never farther than 54 km");
    if (s.hours < 0) broken("hours never negative");
    for (double chance : s.encounterChance)
        if (!(chance >= 0) || !std::isfinite(chance)) broken("encounter chances finite, not negative");
}

class FuzzKeys final : public KeySource {
public:
    explicit FuzzKeys(Input& in) : in_(in) {}
    const GameState* watched = nullptr;  // the game's state, checked at each read

    unsigned char readKey() override {
        if (watched != nullptr) checkRules(*watched);
        if (in_.left() == 0) throw EndOfInput();
        return in_.data[in_.front++];
    }

private:
    Input& in_;
};

// Reals from two bytes (steps of 1/65536, fine enough for every threshold
// of the rules), integers from one. Once the bytes are used up every draw is
// the lowest value, which keeps the game deterministic to the end.
class FuzzRandom final : public Random {
public:
    explicit FuzzRandom(Input& in) : in_(in) {}
    double real() override { return static_cast<double>(take() | (take() << 8)) / 65536.0; }
    int integer(int lo, int hi) override {
        const std::int64_t span = static_cast<std::int64_t>(hi) - lo + 1;
        return static_cast<int>(lo + static_cast<std::int64_t>(take()) % span);
    }
    // The draws come from the input whatever the seed.
    void reseed(std::uint64_t) override {}

private:
    unsigned take() { return in_.left() == 0 ? 0u : in_.data[--in_.back]; }
    Input& in_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Input in{data, 0, size};
    DiscardBuffer discard;
    std::ostream out(&discard);
    FuzzKeys keys(in);
    FuzzRandom rng(in);
    Game game{GameState{}, out, keys, rng};
    keys.watched = &game.state;
    try {
        mainMenu(game);
    } catch (const EndOfInput&) {
        // The keys ran out: the program would stop here with "EOF reached".
    }
    checkRules(game.state);
    return 0;
}
