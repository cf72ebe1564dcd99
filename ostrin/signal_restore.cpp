// The signal handler and the state it reads. The state is written only
// outside the handler, and each piece is published through a flag after it
// is complete, so the handler never sees half of it.
#include "signal_restore.h"

#include <atomic>
#include <csignal>
#include <cstddef>
#include <cstring>
#include <new>

#include <termios.h>
#include <unistd.h>

#define NCURSES_NOMACROS
#include <curses.h>
#include <term.h>

#include "ostrin_limits.h"

namespace {

struct restore_state {
    termios modes{};                        // the shell's terminal settings
    volatile std::sig_atomic_t tty_fd = -1; // where they go back; -1: none kept
    char leave[ostrin_leave_sequence_max]{};
    volatile std::sig_atomic_t leave_length = 0;
    volatile std::sig_atomic_t showing = 0;
};

// A signal handler receives no context, so what it needs lives in this one
// record, written only through the functions below.
restore_state state;

extern "C" void restore_and_end(int sig)
{
    if (state.showing != 0 && state.leave_length > 0) {
        [[maybe_unused]] ssize_t ignored =
            write(STDOUT_FILENO, state.leave, static_cast<std::size_t>(state.leave_length));
    }
    const int fd = state.tty_fd;
    if (fd >= 0)
        tcsetattr(fd, TCSANOW, &state.modes);
    // The handler was reset to the default on entry and every signal is
    // blocked while it runs: the re-raised signal is delivered, and ends the
    // process, as soon as this handler returns.
    raise(sig);
}

// Every signal whose default action ends the process can arrive while a
// script holds the screen: from the user (HUP, INT, QUIT, TERM), from other
// programs (USR1, USR2, PWR, real-time signals), timers (ALRM, VTALRM,
// PROF), resource limits (XCPU, XFSZ), a closed pipe (PIPE), I/O
// notification (IO), or a fault in the engine or a library (ILL, ABRT, BUS,
// FPE, SEGV, SYS, STKFLT). Each would leave the terminal without echo or
// line editing and on the alternate screen.
// Not listed: SIGKILL (cannot be caught), SIGTRAP (a breakpoint: a debugger
// must see the process untouched), the stop signals (curses itself leaves
// and re-enters the screen around a stop) and those ignored by default
// (WINCH, which curses handles, CHLD, URG, CONT).
constexpr int ending_signals[] = {
    SIGHUP,  SIGINT,  SIGQUIT, SIGILL,    SIGABRT, SIGBUS,  SIGFPE,
    SIGSEGV, SIGUSR1, SIGUSR2, SIGPIPE,   SIGALRM, SIGTERM, SIGSTKFLT,
    SIGXCPU, SIGXFSZ, SIGIO,   SIGVTALRM, SIGPROF, SIGPWR,  SIGSYS,
};

// A signal ignored by whoever started us (nohup, a background job) stays
// ignored, and a handler installed before us (a sanitizer's) stays in place.
void restore_on(int sig, const struct sigaction& action)
{
    struct sigaction current {};
    if (sigaction(sig, nullptr, &current) != 0 || current.sa_handler != SIG_DFL)
        return;
    sigaction(sig, &action, nullptr);
}

// Appends a terminfo string without its padding ("$<5>"), which only
// tputs understands and the handler cannot run.
void append_capability(const char* name, std::size_t& length)
{
    const char* cap = tigetstr(name);
    if (cap == nullptr || cap == reinterpret_cast<char*>(-1))
        return;
    for (const char* p = cap; *p != '\0'; ++p) {
        if (p[0] == '$' && p[1] == '<') {
            const char* close = std::strchr(p, '>');
            if (close != nullptr) {
                p = close;
                continue;
            }
        }
        if (length == sizeof state.leave)
            return;
        state.leave[length++] = *p;
    }
}

} // namespace

void ostrin_restore_on_signals()
{
    struct sigaction action {};
    action.sa_handler = restore_and_end;
    sigfillset(&action.sa_mask);
    // SA_ONSTACK: on a thread with a signal stack, a fault from a stack
    // overflow can still be handled.
    action.sa_flags = SA_RESETHAND | SA_ONSTACK;
    for (int sig : ending_signals)
        restore_on(sig, action);
    for (int sig = SIGRTMIN; sig <= SIGRTMAX; ++sig)
        restore_on(sig, action);
}

ostrin_signal_stack::ostrin_signal_stack()
{
    stack_t current {};
    if (sigaltstack(nullptr, &current) != 0 || (current.ss_flags & SS_DISABLE) == 0)
        return;
    // Without the memory the handlers run on the thread's own stack, as
    // they would without this object.
    memory_.reset(new (std::nothrow) char[ostrin_signal_stack_size]);
    if (!memory_)
        return;
    stack_t own {};
    own.ss_sp = memory_.get();
    own.ss_size = ostrin_signal_stack_size;
    if (sigaltstack(&own, nullptr) != 0)
        memory_.reset();
}

ostrin_signal_stack::~ostrin_signal_stack()
{
    if (!memory_)
        return;
    stack_t off {};
    off.ss_flags = SS_DISABLE;
    sigaltstack(&off, nullptr);
}

void ostrin_restore_keep_modes()
{
    if (state.tty_fd >= 0)
        return;
    // Curses sets its modes on standard output, or on standard error when
    // output is redirected; the three usually share one terminal.
    for (int fd : {STDOUT_FILENO, STDERR_FILENO, STDIN_FILENO}) {
        if (tcgetattr(fd, &state.modes) == 0) {
            std::atomic_signal_fence(std::memory_order_seq_cst);
            state.tty_fd = fd;
            return;
        }
    }
}

void ostrin_restore_keep_leave_sequence()
{
    state.leave_length = 0;
    std::atomic_signal_fence(std::memory_order_seq_cst);
    std::size_t length = 0;
    // What endwin sends, in its order: attributes and colours back to
    // normal, the cursor visible, the keypad local, the main screen.
    for (const char* name : {"sgr0", "op", "cnorm", "rmkx", "rmcup"})
        append_capability(name, length);
    std::atomic_signal_fence(std::memory_order_seq_cst);
    state.leave_length = static_cast<std::sig_atomic_t>(length);
}

void ostrin_restore_showing(bool showing)
{
    state.showing = showing ? 1 : 0;
}
