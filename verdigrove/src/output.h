// The game's output to a file descriptor, held until it is flushed.
#pragma once

#include "verdigrove_limits.h"

#include <array>
#include <streambuf>

namespace verdigrove {

// A stream buffer that writes only when flushed (or full).  The game flushes
// before every key read, so a whole screen or prompt goes out in one write
// call instead of one a line: a terminal or a screen reader gets it at once,
// and a pipe is not woken for every line.  A failed write leaves errno set
// and fails the stream, as a file stream would.
class DescriptorOutput final : public std::streambuf {
public:
    explicit DescriptorOutput(int fd);
    ~DescriptorOutput() override;
    DescriptorOutput(const DescriptorOutput&) = delete;
    DescriptorOutput& operator=(const DescriptorOutput&) = delete;

protected:
    int_type overflow(int_type c) override;
    int sync() override;

private:
    // Writes everything held; false (errno set) if the descriptor fails.
    bool drain();

    int fd_;
    std::array<char, limits::kOutputBufferBytes> buffer_{};
};

}  // namespace verdigrove
