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

// What a signal handler needs to undo raw mode, or to apply it again after
// a stop.  The descriptor is published only after both settings are stored,
// and withdrawn before they go stale.
termios gSavedSettings{};
termios gRawSettings{};
volatile std::sig_atomic_t gRawFd = -1;

// The stop and continue handlers change the terminal; while RawMode puts
// the saved settings back they wait, so a resume cannot make the terminal
// raw again after the read is over.
sigset_t stopSignals() {
    sigset_t set;
    sigemptyset(&set);
    sigaddset(&set, SIGTSTP);
    sigaddset(&set, SIGCONT);
    return set;
}

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
        gRawSettings = raw;
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
        const sigset_t stops = stopSignals();
        sigset_t before;
        pthread_sigmask(SIG_BLOCK, &stops, &before);
        tcsetattr(fd_, TCSADRAIN, &saved_);
        gRawFd = -1;
        pthread_sigmask(SIG_SETMASK, &before, nullptr);
    }
    RawMode(const RawMode&) = delete;
    RawMode& operator=(const RawMode&) = delete;

private:
    int fd_;
    termios saved_{};
    bool active_ = false;
};

volatile std::sig_atomic_t gResetAttributes = 1;

extern "C" void restoreAndEnd(int sig) {
    const int fd = gRawFd;
    if (fd >= 0) tcsetattr(fd, TCSANOW, &gSavedSettings);
    static const char reset[] = "\x1b[0m";
    if (gResetAttributes) {
        [[maybe_unused]] ssize_t ignored = write(STDOUT_FILENO, reset, sizeof reset - 1);
    }
    // The handler was reset to the default on entry and every signal is
    // blocked while it runs: the re-raised signal is delivered, and ends the
    // process, as soon as this handler returns.
    raise(sig);
}

// Whether this process may change fd's settings now: it is in the terminal's
// foreground, or fd is no controlling terminal (tcgetpgrp fails), so job
// control does not apply to it.  A handler runs with SIGTTOU blocked, and
// the kernel then lets even a background process change the terminal, which
// would break the foreground job's.
bool mayChangeTerminal(int fd) {
    const pid_t foreground = tcgetpgrp(fd);
    return foreground == -1 || foreground == getpgrp();
}

// Set when SIGTSTP was taken over: the continue handler then takes it back
// after each stop.
volatile std::sig_atomic_t gHandlesStops = 0;

struct sigaction handlerAction(void (*handler)(int), int flags) {
    struct sigaction action {};
    action.sa_handler = handler;
    sigfillset(&action.sa_mask);
    action.sa_flags = flags;
    return action;
}

// A stop (kill -TSTP, or a job control shell) in the middle of a key read
// hands the terminal back as it was, so the shell and whatever runs while
// the game is stopped get a normal terminal; then the process stops, as the
// signal's default action would.
extern "C" void restoreAndStop(int sig) {
    const int saved = errno;
    const int fd = gRawFd;
    if (fd >= 0 && mayChangeTerminal(fd)) tcsetattr(fd, TCSANOW, &gSavedSettings);
    const struct sigaction stop = handlerAction(SIG_DFL, 0);
    sigaction(sig, &stop, nullptr);
    // Blocked while this handler runs: delivered, and stops the process, as
    // soon as it returns.  The continue handler takes the signal back.
    raise(sig);
    errno = saved;
}

// After a stop, whoever had the terminal meanwhile (the shell that ran fg,
// or the sender of SIGSTOP) left it in normal mode, while the read still
// waits for one raw key: without this the next key would be echoed and wait
// for Enter.  A process continued in the background leaves the terminal to
// the foreground job; its read stops it again, and the next fg lands here.
extern "C" void reapplyRawMode(int) {
    const int saved = errno;
    if (gHandlesStops) {
        const struct sigaction stop = handlerAction(restoreAndStop, SA_RESTART);
        sigaction(SIGTSTP, &stop, nullptr);
    }
    const int fd = gRawFd;
    if (fd >= 0 && mayChangeTerminal(fd)) tcsetattr(fd, TCSANOW, &gRawSettings);
    errno = saved;
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
bool restoreOn(int sig, const struct sigaction& action) {
    struct sigaction current {};
    if (sigaction(sig, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) return false;
    return sigaction(sig, &action, nullptr) == 0;
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

void restoreTerminalOnSignals(bool resetAttributes) {
    gResetAttributes = resetAttributes;
    const struct sigaction ending = handlerAction(restoreAndEnd, SA_RESETHAND);
    for (int sig : kEndingSignals) restoreOn(sig, ending);
    for (int sig = SIGRTMIN; sig <= SIGRTMAX; ++sig) restoreOn(sig, ending);
    // Not restarting the read would do no harm, but a stop in the middle of
    // applying raw mode must not cancel it for that key.
    gHandlesStops = restoreOn(SIGTSTP, handlerAction(restoreAndStop, SA_RESTART));
    restoreOn(SIGCONT, handlerAction(reapplyRawMode, SA_RESTART));
}

}  // namespace verdigrove
