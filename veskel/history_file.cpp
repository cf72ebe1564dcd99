#include "history_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ostream>
#include <string>

#include <readline/history.h>

#include "program_message.h"
#include "veskel_limits.h"

namespace veskel {

namespace {

bool isAbsolute(const char* dir) { return dir && dir[0] == '/'; }

// Creates every missing folder above the file, readable by the user alone;
// the first failure's errno, or 0.
int makeParentFolders(const std::string& file) {
    for (std::size_t slash = file.find('/', 1); slash != std::string::npos; slash = file.find('/', slash + 1)) {
        const std::string folder = file.substr(0, slash);
        if (mkdir(folder.c_str(), 0700) != 0 && errno != EEXIST) return errno;
    }
    return 0;
}

}  // namespace

std::string historyPath(const char* xdgStateHome, const char* home) {
    if (isAbsolute(xdgStateHome)) return std::string(xdgStateHome) + "/veskel/history";
    if (home && *home) return std::string(home) + "/.local/state/veskel/history";
    return {};
}

HistoryFile::HistoryFile(std::string path, std::ostream& notes) : path_(std::move(path)), notes_(notes) {}

void HistoryFile::load() {
    stifle_history(limits::kHistoryLines);
    if (path_.empty()) return fail("");
    // readline reads anything it can open: a folder failed with "Invalid
    // argument", and a FIFO would wait for a writer before the first prompt.
    struct stat st {};
    if (stat(path_.c_str(), &st) == 0 && !S_ISREG(st.st_mode))
        return S_ISDIR(st.st_mode) ? fail(EISDIR) : fail("not a regular file");
    const int error = read_history(path_.c_str());
    if (error == ENOENT) return;
    if (error != 0) return fail(error);
    created_ = true;
}

void HistoryFile::append() {
    if (path_.empty() || failed_) return;
    if (!created_) {
        if (const int error = makeParentFolders(path_)) return fail(error);
        // append_history needs the file to exist; it is private, like the
        // folders, since it holds everything typed.
        const int fd = open(path_.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
        if (fd < 0) return fail(errno);
        close(fd);
        created_ = true;
    }
    if (const int error = append_history(1, path_.c_str())) return fail(error);
    if (const int error = history_truncate_file(path_.c_str(), limits::kHistoryLines)) return fail(error);
}

void HistoryFile::fail(int error) { fail(std::strerror(error)); }

void HistoryFile::fail(const char* reason) {
    failed_ = true;
    tell(notes_, "the history of this session is kept in memory only: " +
                     (path_.empty() ? std::string("neither XDG_STATE_HOME nor HOME names a folder")
                                    : path_ + ": " + reason));
}

}  // namespace veskel
