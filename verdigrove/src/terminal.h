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

// Every signal whose default action ends the process (the list and its
// reasons are in terminal.cpp) puts the saved terminal settings back if a
// raw key read is in progress, resets the attributes (unless resetAttributes
// is false: plain output writes no control sequence) and then ends the
// process by that same signal.  A stop (SIGTSTP) during a raw read gives
// the terminal back as it was before the process stops, and the continue
// (SIGCONT) makes it raw again for the read still waiting.  Signals that
// are ignored or already handled when this is called are left as they are.
void restoreTerminalOnSignals(bool resetAttributes = true);

}  // namespace verdigrove
