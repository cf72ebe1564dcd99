// Single key presses from the terminal, one byte at a time.
#pragma once

namespace verdigrove {

class KeySource {
public:
    virtual ~KeySource() = default;
    // One byte of input; throws EndOfInput when the stream has ended.
    virtual unsigned char readKey() = 0;
};

// Reads from a file descriptor, holding a terminal in raw mode for exactly
// the one byte.  A descriptor that is no terminal (a pipe, a file) is read
// as it is.
class TerminalKeys final : public KeySource {
public:
    explicit TerminalKeys(int fd) : fd_(fd) {}
    unsigned char readKey() override;

private:
    int fd_;
};

// SIGTERM, SIGHUP, SIGINT and SIGQUIT that arrive during a raw key read put
// the saved terminal settings back, reset the attributes and then end the
// process the way the signal would have.
void restoreTerminalOnSignals();

}  // namespace verdigrove
