#include "random.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <limits>
#include <stdexcept>
#include <string>
#include <sys/random.h>

namespace verdigrove {

double MersenneRandom::real() {
    // The top 53 bits scaled by 2^-53: never 1.0, unlike
    // std::generate_canonical on some library versions.
    return static_cast<double>(engine_() >> 11) * 0x1.0p-53;
}

int MersenneRandom::integer(int lo, int hi) {
    if (hi < lo) throw std::invalid_argument("empty random range");
    const std::uint64_t span = static_cast<std::uint64_t>(static_cast<std::int64_t>(hi) - lo) + 1;
    // Reject the top partial block so every value is equally likely.
    const std::uint64_t limit = std::numeric_limits<std::uint64_t>::max() - std::numeric_limits<std::uint64_t>::max() % span;
    std::uint64_t x;
    do {
        x = engine_();
    } while (x >= limit);
    return static_cast<int>(lo + static_cast<std::int64_t>(x % span));
}

void MersenneRandom::reseed(std::uint64_t seed) {
    std::seed_seq words{static_cast<std::uint32_t>(seed), static_cast<std::uint32_t>(seed >> 32)};
    engine_.seed(words);
}

ssize_t readSystemEntropy(void* buffer, std::size_t length) {
    return getrandom(buffer, length, 0);
}

std::array<std::uint32_t, kSeedWords> systemSeed(const EntropyReader& read) {
    std::array<std::uint32_t, kSeedWords> seed{};
    int lastError = 0;
    for (int attempt = 0; attempt < kSeedAttempts; ++attempt) {
        errno = 0;
        const ssize_t got = read(seed.data(), sizeof seed);
        if (got == static_cast<ssize_t>(sizeof seed)) return seed;
        lastError = got < 0 ? errno : 0;
    }
    std::string message = "Could not seed the random generator from the operating system";
    if (lastError != 0) message += std::string(": ") + std::strerror(lastError);
    throw std::runtime_error(message);
}

std::uint64_t systemSeedNumber() {
    static_assert(kSeedWords == 2, "the seed is two 32-bit words");
    const auto words = systemSeed();
    return words[0] | static_cast<std::uint64_t>(words[1]) << 32;
}

}  // namespace verdigrove
