// Key input from real descriptors (pipes and pseudo-terminals), signal
// handling during raw mode, and the seeding of the generator.
#include "game.h"
#include "random.h"
#include "poll.h"
#include "terminal.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <set>
#include <sys/resource.h>
#include <sys/wait.h>
#include <termios.h>
#include <thread>
#include <unistd.h>

namespace verdigrove::test {
namespace {

struct Fd {
    int fd = -1;
    explicit Fd(int f) : fd(f) {}
    ~Fd() {
        if (fd >= 0) close(fd);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
};

struct Pty {
    Fd master{posix_openpt(O_RDWR | O_NOCTTY)};
    Fd slave{-1};
    Pty() {
        if (master.fd < 0 || grantpt(master.fd) != 0 || unlockpt(master.fd) != 0) return;
        slave.fd = open(ptsname(master.fd), O_RDWR | O_NOCTTY);
    }
};

termios settingsOf(int fd) {
    termios t{};
    tcgetattr(fd, &t);
    return t;
}

// Waits until the terminal leaves canonical mode; `seen` gets its settings.
testing::AssertionResult waitForRawMode(int fd, termios& seen) {
    return poll::untilEqual(
        "the terminal's mode",
        [&] {
            seen = settingsOf(fd);
            return std::string(seen.c_lflag & ICANON ? "canonical" : "raw");
        },
        std::string("raw"));
}

void expectSameMode(const termios& a, const termios& b) {
    EXPECT_EQ(a.c_iflag, b.c_iflag);
    EXPECT_EQ(a.c_oflag, b.c_oflag);
    EXPECT_EQ(a.c_cflag, b.c_cflag);
    EXPECT_EQ(a.c_lflag, b.c_lflag);
    EXPECT_EQ(a.c_cc[VMIN], b.c_cc[VMIN]);
    EXPECT_EQ(a.c_cc[VTIME], b.c_cc[VTIME]);
}

TEST(KeyInput, APipeIsReadByteByByteWithoutATerminal) {
    int fds[2];
    ASSERT_EQ(pipe(fds), 0);
    Fd in(fds[0]);
    {
        Fd out(fds[1]);
        ASSERT_EQ(write(out.fd, "5\x1b", 2), 2);
    }
    TerminalKeys keys(in.fd);
    EXPECT_EQ(keys.readKey(), '5');
    EXPECT_EQ(keys.readKey(), 27);
    try {
        keys.readKey();
        FAIL() << "read past the end of input";
    } catch (const EndOfInput& e) {
        EXPECT_STREQ(e.what(), "EOF reached");
    }
    EXPECT_THROW(keys.readKey(), EndOfInput);  // and again: never a silent loop
}

TEST(KeyInput, ABadDescriptorIsAnErrorNotEndOfInput) {
    TerminalKeys keys(-1);
    try {
        keys.readKey();
        FAIL() << "read from a bad descriptor";
    } catch (const EndOfInput&) {
        FAIL() << "reported as end of input";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("Could not read a key"), std::string::npos);
    }
}

TEST(KeyInput, ATerminalIsRawForExactlyTheOneByte) {
    Pty pty;
    ASSERT_GE(pty.slave.fd, 0) << "no pseudo-terminal available";
    const termios before = settingsOf(pty.slave.fd);
    ASSERT_TRUE(before.c_lflag & ICANON);
    ASSERT_TRUE(before.c_iflag & ICRNL);

    TerminalKeys keys(pty.slave.fd);
    std::atomic<int> got{-1};
    std::thread reader([&] { got = keys.readKey(); });
    termios during{};
    const auto raw = waitForRawMode(pty.slave.fd, during);
    // Return is delivered as itself, not translated to newline.
    EXPECT_EQ(write(pty.master.fd, "\r", 1), 1);
    reader.join();
    ASSERT_TRUE(raw);
    EXPECT_EQ(got.load(), '\r');

    EXPECT_EQ(during.c_iflag & (BRKINT | ICRNL | INPCK | ISTRIP | IXON), 0u);
    EXPECT_EQ(during.c_oflag & OPOST, 0u);
    EXPECT_EQ(during.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(during.c_cflag & PARENB, 0u);
    EXPECT_EQ(during.c_lflag & (ECHO | ICANON | IEXTEN | ISIG), 0u);
    EXPECT_EQ(during.c_cc[VMIN], 1);
    EXPECT_EQ(during.c_cc[VTIME], 0);

    expectSameMode(settingsOf(pty.slave.fd), before);
}

// Any signal that ends the process, arriving while a key is awaited, leaves
// the terminal as it was and the attributes reset, and still ends the
// process by that signal.  Job control, timers and resource limits send
// more than the usual four.
TEST(KeyInput, EndingSignalsDuringARawReadRestoreTheTerminal) {
    for (int sig : {SIGTERM, SIGHUP, SIGINT, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGPIPE, SIGVTALRM,
                    SIGXCPU, SIGRTMIN}) {
        Pty pty;
        ASSERT_GE(pty.slave.fd, 0);
        const termios before = settingsOf(pty.slave.fd);
        int output[2];
        ASSERT_EQ(pipe(output), 0);
        const pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            const rlimit noCore{0, 0};
            setrlimit(RLIMIT_CORE, &noCore);
            dup2(output[1], STDOUT_FILENO);
            signal(sig, SIG_DFL);  // as a program started from a shell has it
            restoreTerminalOnSignals();
            static const char bright[] = "\x1b[1m";
            [[maybe_unused]] ssize_t ignored = write(STDOUT_FILENO, bright, sizeof bright - 1);
            TerminalKeys keys(pty.slave.fd);
            try {
                keys.readKey();
            } catch (...) {
            }
            _exit(3);
        }
        close(output[1]);
        Fd written(output[0]);
        termios during{};
        const auto raw = waitForRawMode(pty.slave.fd, during);
        kill(child, sig);
        int status = 0;
        ASSERT_EQ(waitpid(child, &status, 0), child);
        ASSERT_TRUE(raw);
        EXPECT_TRUE(WIFSIGNALED(status)) << "signal " << sig;
        if (WIFSIGNALED(status)) {
            EXPECT_EQ(WTERMSIG(status), sig);
        }
        expectSameMode(settingsOf(pty.slave.fd), before);
        char bytes[64] = {};
        const ssize_t got = read(written.fd, bytes, sizeof bytes - 1);
        EXPECT_EQ(std::string(bytes, got > 0 ? got : 0), "\x1b[1m\x1b[0m") << "signal " << sig;
    }
}

// A signal ignored by whoever started the game (nohup, a background job)
// stays ignored.
TEST(KeyInput, IgnoredSignalsStayIgnored) {
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        signal(SIGHUP, SIG_IGN);
        restoreTerminalOnSignals();
        raise(SIGHUP);
        _exit(0);
    }
    int status = 0;
    ASSERT_EQ(waitpid(child, &status, 0), child);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
}

TEST(Seeding, RetriesFailedOrShortReadsUpToEightTimes) {
    int calls = 0;
    auto seed = systemSeed([&](void* buffer, std::size_t length) -> ssize_t {
        ++calls;
        if (calls < 4) {
            errno = EAGAIN;
            return -1;
        }
        if (calls < 8) return static_cast<ssize_t>(length / 2);
        std::memset(buffer, 7, length);
        return static_cast<ssize_t>(length);
    });
    EXPECT_EQ(calls, 8);
    EXPECT_EQ(seed[0], 0x07070707u);
    EXPECT_EQ(seed[kSeedWords - 1], 0x07070707u);
}

TEST(Seeding, GivesUpAfterEightFailures) {
    int calls = 0;
    auto failing = [&](void*, std::size_t) -> ssize_t {
        ++calls;
        errno = ENOSYS;
        return -1;
    };
    try {
        systemSeed(failing);
        FAIL() << "seeded from a failing source";
    } catch (const std::runtime_error& e) {
        EXPECT_NE(std::string(e.what()).find("Could not seed"), std::string::npos);
    }
    EXPECT_EQ(calls, kSeedAttempts);
}

TEST(Seeding, TheSystemSourceGivesADifferentSeedEachTime) {
    EXPECT_NE(systemSeed(), systemSeed());
}

TEST(Generator, DrawsStayInTheirRangesAndCoverThem) {
    std::seed_seq seq{1u, 2u, 3u};
    MersenneRandom rng(seq);
    std::set<int> seen;
    double lowest = 1, highest = 0;
    for (int i = 0; i < 20000; ++i) {
        const double r = rng.real();
        ASSERT_GE(r, 0.0);
        ASSERT_LT(r, 1.0);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
        const int k = rng.integer(1, 10);
        ASSERT_GE(k, 1);
        ASSERT_LE(k, 10);
        seen.insert(k);
        ASSERT_LT(rng.choice(3), 3u);
    }
    EXPECT_EQ(seen.size(), 10u);
    EXPECT_LT(lowest, 0.01);
    EXPECT_GT(highest, 0.99);
    EXPECT_EQ(rng.integer(4, 4), 4);
}

}  // namespace
}  // namespace verdigrove::test
