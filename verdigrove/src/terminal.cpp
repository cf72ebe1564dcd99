#include "terminal.h"

#include "game.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <stdexcept>
#include <string>
#include <termios.h>
#include <unistd.h>

namespace verdigrove {

namespace {

// What a signal handler needs to undo raw mode.  The descriptor is published
// only after the settings are stored, and withdrawn before they go stale.
termios gSavedSettings{};
volatile std::sig_atomic_t gRawFd = -1;

// Raw mode for the lifetime of the object, if fd is a terminal.
class RawMode {
public:
    explicit RawMode(int fd) : fd_(fd) {
        if (tcgetattr(fd_, &saved_) != 0) return;  // not a terminal: read as is
        termios raw = saved_;
        raw.c_iflag &= ~static_cast<tcflag_t>(BRKINT | ICRNL | INPCK | ISTRIP | IXON);
        raw.c_oflag &= ~static_cast<tcflag_t>(OPOST);
        raw.c_cflag &= ~static_cast<tcflag_t>(CSIZE | PARENB);
        raw.c_cflag |= CS8;
        raw.c_lflag &= ~static_cast<tcflag_t>(ECHO | ICANON | IEXTEN | ISIG);
        raw.c_cc[VMIN] = 1;
        raw.c_cc[VTIME] = 0;
        gSavedSettings = saved_;
        std::atomic_signal_fence(std::memory_order_seq_cst);
        gRawFd = fd_;
        if (tcsetattr(fd_, TCSAFLUSH, &raw) != 0) {
            gRawFd = -1;
            return;
        }
        active_ = true;
    }
    ~RawMode() {
        if (!active_) return;
        tcsetattr(fd_, TCSADRAIN, &saved_);
        gRawFd = -1;
    }
    RawMode(const RawMode&) = delete;
    RawMode& operator=(const RawMode&) = delete;

private:
    int fd_;
    termios saved_{};
    bool active_ = false;
};

extern "C" void restoreAndEnd(int sig) {
    const int fd = gRawFd;
    if (fd >= 0) tcsetattr(fd, TCSANOW, &gSavedSettings);
    static const char reset[] = "\x1b[0m";
    [[maybe_unused]] ssize_t ignored = write(STDOUT_FILENO, reset, sizeof reset - 1);
    // The handler was reset to the default on entry; the re-raised signal
    // ends the process as soon as this handler returns.
    raise(sig);
}

}  // namespace

unsigned char TerminalKeys::readKey() {
    RawMode raw(fd_);
    unsigned char byte = 0;
    for (;;) {
        const ssize_t got = read(fd_, &byte, 1);
        if (got == 1) return byte;
        if (got == 0) throw EndOfInput();
        if (errno == EINTR) continue;
        throw std::runtime_error(std::string("Could not read a key: ") + std::strerror(errno));
    }
}

void restoreTerminalOnSignals() {
    struct sigaction action {};
    action.sa_handler = restoreAndEnd;
    sigemptyset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (int sig : {SIGTERM, SIGHUP, SIGINT, SIGQUIT}) sigaction(sig, &action, nullptr);
}

}  // namespace verdigrove
