#include "atomic_file.h"

#include <fcntl.h>
#include <pthread.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <cstdio>

#include "raster_limits.h"
#include "raster_error.h"

namespace raster {

bool FileOutput::write(const void* data, std::size_t size) noexcept {
    if (fError) return false;
    const char* p = static_cast<const char*>(data);
    while (size > 0) {
        const ssize_t n = ::write(fFd, p, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            fError = errno;
            return false;
        }
        p += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

namespace {

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

std::string nameOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

[[noreturn]] void cannotOpen(const std::string& path, int error) {
    throw RasterError("Failed to open “" + path + "” for writing: " + std::strerror(error));
}

[[noreturn]] void cannotWrite(const std::string& path, int error) {
    throw RasterError("Failed to write “" + path + "”: " + std::strerror(error));
}

}  // namespace

// Also a dangling link is followed: saving through it creates its target.
// Opening a path that cannot be examined will say why.
std::string saveTarget(const std::string& path) {
    std::string current = path;
    for (int hops = 0; hops < limits::kMaxSymlinkHops; ++hops) {
        struct stat st {};
        if (lstat(current.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return current;
        std::string target(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1, '\0');
        const ssize_t n = readlink(current.c_str(), target.data(), target.size());
        if (n < 0 || static_cast<std::size_t>(n) >= target.size()) return current;
        target.resize(static_cast<std::size_t>(n));
        current = target.front() == '/' || current.find('/') == std::string::npos
                      ? target
                      : folderOf(current) + "/" + target;
    }
    return current;  // a loop: opening it fails with "Too many levels of symbolic links"
}

namespace {

struct Descriptor {
    int fd = -1;
    explicit Descriptor(int f) : fd(f) {}
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    ~Descriptor() {
        if (fd >= 0) ::close(fd);
    }
    // close(2) reports late write errors (NFS, quotas); they count.
    int release() {
        const int result = ::close(fd);
        fd = -1;
        return result == 0 ? 0 : errno;
    }
};

// Runs the writer on an open descriptor; raises the write error, the
// writer's own error, or nothing.
void runWriter(const std::string& path, int fd, const std::function<void(FileOutput&)>& write) {
    FileOutput out(fd);
    try {
        write(out);
    } catch (...) {
        // The writer gave up because its output failed: that is the reason.
        if (out.error()) cannotWrite(path, out.error());
        throw;
    }
    if (out.error()) cannotWrite(path, out.error());
}

// Writes straight into an existing target: a device or pipe, or a file
// whose folder admits no new file.
void writeInPlace(const std::string& path, const std::string& target,
                  const std::function<void(FileOutput&)>& write) {
    Descriptor file{::open(target.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC)};
    if (file.fd < 0) cannotOpen(path, errno);
    runWriter(path, file.fd, write);
    if (const int error = file.release()) cannotWrite(path, error);
}

// A new, empty file beside `target` that no other file has the name of,
// created with `mode` less the umask; its descriptor, or -1 with errno set.
int temporaryBeside(const std::string& target, std::string& name, mode_t mode) {
    const std::string stem = folderOf(target) + "/." + nameOf(target) + "." + std::to_string(getpid()) + ".";
    for (int attempt = 0; attempt < limits::kTemporaryNameAttempts; ++attempt) {
        name = stem + std::to_string(attempt) + "~";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

// The signals that end a program from its terminal or its session. While a
// save runs, each one whose action is still the default first removes the
// temporary file and then ends the program by the same signal, as it would
// have; one that the program catches or ignores is left to the program,
// whose save goes on.
constexpr int kEndingSignals[] = {SIGINT, SIGTERM, SIGHUP};

// The temporary file of the save in progress, for the handler: a fixed
// buffer, since a handler may only read memory that is already there.
char gTemporaryName[limits::kMaxTemporaryPathBytes];
std::atomic<bool> gTemporaryNamed{false};
// One save at a time has the handlers; a save on another thread meanwhile
// goes without them.
std::atomic<bool> gGuardTaken{false};

extern "C" void removeTemporaryAndEnd(int signal) {
    if (gTemporaryNamed.load()) ::unlink(gTemporaryName);
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(signal, &fallback, nullptr);
    // Still blocked inside the handler: delivered, with the default action,
    // as soon as the handler returns.
    raise(signal);
}

// Sets the ending signals' handlers for one save and gives the old ones
// back after it; names the temporary file once it exists.
class TemporaryFileGuard {
public:
    TemporaryFileGuard() {
        if (gGuardTaken.exchange(true)) return;
        owner_ = true;
        struct sigaction handler {};
        handler.sa_handler = removeTemporaryAndEnd;
        sigemptyset(&handler.sa_mask);
        for (std::size_t i = 0; i < std::size(kEndingSignals); ++i) {
            struct sigaction old {};
            if (sigaction(kEndingSignals[i], nullptr, &old) != 0) continue;
            if ((old.sa_flags & SA_SIGINFO) || old.sa_handler != SIG_DFL) continue;
            if (sigaction(kEndingSignals[i], &handler, nullptr) == 0) installed_[i] = true;
        }
    }
    TemporaryFileGuard(const TemporaryFileGuard&) = delete;
    TemporaryFileGuard& operator=(const TemporaryFileGuard&) = delete;
    ~TemporaryFileGuard() {
        if (!owner_) return;
        gTemporaryNamed.store(false);
        struct sigaction fallback {};
        fallback.sa_handler = SIG_DFL;
        sigemptyset(&fallback.sa_mask);
        for (std::size_t i = 0; i < std::size(kEndingSignals); ++i)
            if (installed_[i]) sigaction(kEndingSignals[i], &fallback, nullptr);
        gGuardTaken.store(false);
    }

    // Creates the temporary file with the ending signals held back, so that
    // none can come between its creation and the handler knowing its name.
    int create(const std::string& target, std::string& name, mode_t mode) {
        sigset_t ending, old;
        sigemptyset(&ending);
        for (const int signal : kEndingSignals) sigaddset(&ending, signal);
        pthread_sigmask(SIG_BLOCK, &ending, &old);
        const int fd = temporaryBeside(target, name, mode);
        const int error = errno;
        if (fd >= 0 && owner_ && name.size() < sizeof gTemporaryName) {
            std::memcpy(gTemporaryName, name.c_str(), name.size() + 1);
            gTemporaryNamed.store(true);
        }
        pthread_sigmask(SIG_SETMASK, &old, nullptr);
        errno = error;
        return fd;
    }

    // After the rename: the name is the saved file's now.
    void forget() { gTemporaryNamed.store(false); }

private:
    bool owner_ = false;
    bool installed_[std::size(kEndingSignals)] = {};
};

}  // namespace

void writeFileAtomically(const std::string& path, const std::function<void(FileOutput&)>& write) {
    const std::string target = saveTarget(path);
    struct stat old {};
    const bool exists = stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return writeInPlace(path, target, write);

    // Made with the old file's permission bits (less the umask, restored
    // below), so that a private file is never readable by others while it
    // is written; a new name gets the usual 0666 less the umask.
    TemporaryFileGuard guard;
    std::string tempName;
    Descriptor temp{guard.create(target, tempName, exists ? (old.st_mode & 0777) : 0666)};
    if (temp.fd < 0) {
        const int error = errno;
        // A folder closed to new files: an existing, writable file can still
        // be written, without the protection of the rename.
        if (exists && (error == EACCES || error == EPERM) && access(target.c_str(), W_OK) == 0)
            return writeInPlace(path, target, write);
        cannotOpen(path, error);
    }
    struct Remove {
        const std::string& name;
        bool keep = false;
        ~Remove() {
            if (!keep) ::unlink(name.c_str());
        }
    } remove{tempName};

    if (exists) {
        // The owner may only be kept where the system allows it (root, or a
        // group the user belongs to); the permission bits always are.
        if ((old.st_uid != geteuid() || old.st_gid != getegid()) && fchown(temp.fd, old.st_uid, old.st_gid) != 0) {
            // Kept as the saving user's: the file is still theirs to use.
        }
        if (fchmod(temp.fd, old.st_mode & 07777) != 0) cannotWrite(path, errno);
    }
    runWriter(path, temp.fd, write);
    if (fsync(temp.fd) != 0) cannotWrite(path, errno);
    if (const int closeError = temp.release()) cannotWrite(path, closeError);
    if (std::rename(tempName.c_str(), target.c_str()) != 0) cannotWrite(path, errno);
    guard.forget();
    remove.keep = true;

    // The rename itself reaches the disk with the folder; a failure here
    // cannot undo the save, so it is not reported.
    Descriptor folder{::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (folder.fd >= 0) fsync(folder.fd);
}

}  // namespace raster
