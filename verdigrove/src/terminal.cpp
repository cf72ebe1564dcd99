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
    // The handler was reset to the default on entry and every signal is
    // blocked while it runs: the re-raised signal is delivered, and ends the
    // process, as soon as this handler returns.
    raise(sig);
}

// Every signal whose default action ends the process can arrive during a
// key read (sent by a user, a job control shell, a timer, a resource limit,
// or a fault), and each would leave the terminal raw and the text bright.
// Not listed: SIGKILL (cannot be caught), SIGTRAP (a breakpoint: a debugger
// must see the process untouched) and the signals that stop or are ignored
// by default.  The real-time signals, which also end the process, are
// added by range.
constexpr int kEndingSignals[] = {
    SIGHUP,  SIGINT,  SIGQUIT, SIGILL,    SIGABRT, SIGBUS,  SIGFPE,
    SIGSEGV, SIGUSR1, SIGUSR2, SIGPIPE,   SIGALRM, SIGTERM, SIGSTKFLT,
    SIGXCPU, SIGXFSZ, SIGIO,   SIGVTALRM, SIGPROF, SIGPWR,  SIGSYS,
};

// Takes over a signal only while it has its default action: one ignored
// by whoever started us (nohup, a background job) stays ignored, and a
// handler someone else installed first (a sanitizer's) stays in place.
void restoreOn(int sig, const struct sigaction& action) {
    struct sigaction current {};
    if (sigaction(sig, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) return;
    sigaction(sig, &action, nullptr);
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
    sigfillset(&action.sa_mask);
    action.sa_flags = SA_RESETHAND;
    for (int sig : kEndingSignals) restoreOn(sig, action);
    for (int sig = SIGRTMIN; sig <= SIGRTMAX; ++sig) restoreOn(sig, action);
}

}  // namespace verdigrove
