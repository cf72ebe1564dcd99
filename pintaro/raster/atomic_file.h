// Writing a file so that it is either replaced whole or not at all: the
// bytes go to a new file beside the target, which is flushed to the disk
// and then renamed over the target. A save that fails half-way (a full
// disk, a device error) leaves the old file exactly as it was.
#pragma once

#include <cstddef>
#include <functional>
#include <string>

namespace raster {

// Where a writer puts the file's bytes. The first failure is kept and makes
// every later write fail, so a writer may simply stop when write() says no.
class FileOutput {
public:
    explicit FileOutput(int fd) : fFd(fd) {}
    FileOutput(const FileOutput&) = delete;
    FileOutput& operator=(const FileOutput&) = delete;

    // All `size` bytes, or false (errno kept in error()). Safe to call from
    // a C callback: it never throws.
    bool write(const void* data, std::size_t size) noexcept;
    int error() const { return fError; }

private:
    int fFd;
    int fError = 0;
};

// Replaces the file at `path` with what `write` puts into the output.
//
// - A symbolic link is followed: the file it points to is replaced and the
//   link stays a link.
// - The new file keeps the old one's permission bits (and, where allowed,
//   its owner and group); a new name gets the usual 0666 less the umask.
// - A path naming something other than a regular file (a device, a pipe) is
//   written in place, since it cannot be replaced by renaming.
// - When the folder does not let a new file be made beside the target but
//   the target itself is writable, it is written in place as well.
//
// Raises RasterError when the file cannot be made, written, flushed or
// renamed ("Failed to open “PATH” for writing: REASON", "Failed to write
// “PATH”: REASON"), or with what `write` itself raised; nothing is left
// behind then and an existing file is untouched (except when written in
// place).
void writeFileAtomically(const std::string& path, const std::function<void(FileOutput&)>& write);

// The file a save to `path` writes: symbolic links followed, a dangling one
// to the name it points to. A path that cannot be examined is returned as
// it is.
std::string saveTarget(const std::string& path);

}  // namespace raster
