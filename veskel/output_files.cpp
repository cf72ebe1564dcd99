#include "output_files.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "raster/atomic_file.h"

namespace veskel {

const turtle::SaveFormat& pictureFormatFor(const std::string& path) {
    if (const auto* format = turtle::saveFormatFor(path, turtle::FormatChoice::WithVectors)) return *format;
    throw RefusedOutput(turtle::saveAsMessage(turtle::FormatChoice::WithVectors));
}

bool needsRecord(const std::vector<std::string>& paths) {
    for (const std::string& path : paths)
        if (pictureFormatFor(path).kind == turtle::SaveKind::Vector) return true;
    return false;
}

void checkAnimationName(const std::string& path) {
    if (turtle::lowerExtension(path) != ".webp")
        throw RefusedOutput("cannot animate as '" + path + "': the name must end in .webp");
}

namespace {

[[noreturn]] void refuse(const std::string& path, int error) {
    throw RefusedOutput("cannot write " + path + ": " + std::strerror(error));
}

}  // namespace

void checkWritable(const std::string& path) {
    struct stat st {};
    if (stat(path.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) refuse(path, EISDIR);
        if (access(path.c_str(), W_OK) != 0) refuse(path, errno);
        return;
    }
    if (errno != ENOENT) refuse(path, errno);
    // A dangling link is saved through: the file is made where it points.
    const std::string target = raster::saveTarget(path);
    const std::string folder = turtle::splitPath(target).folder;
    // "/x.png" lies in "/", which splitPath gives as an empty folder.
    const std::string dir = folder.empty() ? (target[0] == '/' ? "/" : ".") : folder;
    if (stat(dir.c_str(), &st) != 0) refuse(path, errno);
    if (!S_ISDIR(st.st_mode)) refuse(path, ENOTDIR);
    if (access(dir.c_str(), W_OK | X_OK) != 0) refuse(path, errno);
}

}  // namespace veskel
