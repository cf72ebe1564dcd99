// Random draws of the game: one real, integer and list-choice source.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <random>
#include <sys/types.h>

namespace verdigrove {

class Random {
public:
    virtual ~Random() = default;
    // Uniform real in [0, 1).
    virtual double real() = 0;
    // Uniform integer in the closed range [lo, hi].
    virtual int integer(int lo, int hi) = 0;
    // Starts the draws afresh from a seed: the same seed, the same draws.
    virtual void reseed(std::uint64_t seed) = 0;
    // Uniform index into a list of n items.
    std::size_t choice(std::size_t n) { return static_cast<std::size_t>(integer(0, static_cast<int>(n) - 1)); }
};

// The shipped generator: 64-bit Mersenne Twister (std::mt19937_64).  The
// engine, std::seed_seq and both draws are fully specified, so a seed gives
// the same game with any compiler and library.
class MersenneRandom final : public Random {
public:
    explicit MersenneRandom(std::seed_seq& seed) : engine_(seed) {}
    explicit MersenneRandom(std::uint64_t seed) { reseed(seed); }
    double real() override;
    int integer(int lo, int hi) override;
    void reseed(std::uint64_t seed) override;

private:
    std::mt19937_64 engine_;
};

// Fills a buffer from the operating system's entropy; same contract as
// getrandom(2): bytes written, or -1 with errno set.
using EntropyReader = std::function<ssize_t(void* buffer, std::size_t length)>;

ssize_t readSystemEntropy(void* buffer, std::size_t length);

// 32-bit words: a 64-bit seed, short enough for the player to read in the
// end report and type back with --seed.
inline constexpr std::size_t kSeedWords = 2;
inline constexpr int kSeedAttempts = 8;

// Seed material from the operating system; throws after kSeedAttempts
// reads that fail or come up short.
std::array<std::uint32_t, kSeedWords> systemSeed(const EntropyReader& read = readSystemEntropy);
// The same as one number.
std::uint64_t systemSeedNumber();

}  // namespace verdigrove
