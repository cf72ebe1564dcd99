#include "atomic_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <cstdio>

#include "raster_limits.h"
#include "toolkit_error.h"

namespace toolkit {

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
    throw ToolkitError("Failed to open “" + path + "” for writing: " + std::strerror(error));
}

[[noreturn]] void cannotWrite(const std::string& path, int error) {
    throw ToolkitError("Failed to write “" + path + "”: " + std::strerror(error));
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
// created 0666 less the umask like any new file; its descriptor, or -1 with
// errno set.
int temporaryBeside(const std::string& target, std::string& name) {
    const std::string stem = folderOf(target) + "/." + nameOf(target) + "." + std::to_string(getpid()) + ".";
    for (int attempt = 0; attempt < limits::kTemporaryNameAttempts; ++attempt) {
        name = stem + std::to_string(attempt) + "~";
        const int fd = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) return fd;
    }
    return -1;
}

}  // namespace

void writeFileAtomically(const std::string& path, const std::function<void(FileOutput&)>& write) {
    const std::string target = saveTarget(path);
    struct stat old {};
    const bool exists = stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) return writeInPlace(path, target, write);

    std::string tempName;
    Descriptor temp{temporaryBeside(target, tempName)};
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
    remove.keep = true;

    // The rename itself reaches the disk with the folder; a failure here
    // cannot undo the save, so it is not reported.
    Descriptor folder{::open(folderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC)};
    if (folder.fd >= 0) fsync(folder.fd);
}

}  // namespace toolkit
