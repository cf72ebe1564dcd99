#include "fd_input.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

#include "errors.h"
#include "forth_limits.h"

namespace forth {

FdInputBuf::FdInputBuf(int fd, bool owned, std::function<void()> waiting)
    : fd_(fd), owned_(owned), waiting_(std::move(waiting)) {}

FdInputBuf::~FdInputBuf() {
    if (owned_ && fd_ >= 0) ::close(fd_);
}

FdInputBuf::int_type FdInputBuf::underflow() {
    if (gptr() < egptr()) return traits_type::to_int_type(*gptr());
    if (!buffer_) buffer_ = std::make_unique<char[]>(limits::kReadChunkBytes);
    for (;;) {
        if (waiting_) waiting_();
        // A FIFO opened without blocking reports nothing until a writer
        // comes, and then its data or its end: poll first, read after.
        pollfd p{fd_, POLLIN, 0};
        const int ready = ::poll(&p, 1, limits::kReadWaitMilliseconds);
        if (ready == 0 || (ready < 0 && errno == EINTR)) continue;  // the stop key is seen by waiting_
        if (ready < 0) throw std::ios_base::failure("poll", std::error_code(errno, std::generic_category()));
        const ssize_t got = ::read(fd_, buffer_.get(), limits::kReadChunkBytes);
        if (got > 0) {
            setg(buffer_.get(), buffer_.get(), buffer_.get() + got);
            return traits_type::to_int_type(*gptr());
        }
        if (got == 0) return traits_type::eof();
        if (errno == EINTR || errno == EAGAIN) continue;
        throw std::ios_base::failure("read", std::error_code(errno, std::generic_category()));
    }
}

FdInput::FdInput(int fd, bool owned, std::function<void()> waiting)
    : std::istream(nullptr), buf_(fd, owned, std::move(waiting)) {
    rdbuf(&buf_);
}

std::unique_ptr<FdInput> FdInput::open(const std::string& path, std::function<void()> waiting) {
    // Without O_NONBLOCK opening a FIFO waits for its writer inside open(2),
    // where no stop key reaches it; the wait happens in underflow instead.
    const int fd = ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return nullptr;
    return std::make_unique<FdInput>(fd, true, std::move(waiting));
}

bool readLine(std::istream& in, std::string& line, const std::string& name, std::string_view what) {
    line.clear();
    std::streambuf* b = in.rdbuf();
    try {
        using T = std::streambuf::traits_type;
        int c = b->sbumpc();
        if (c == T::eof()) return false;
        while (c != T::eof() && c != '\n') {
            if (line.size() == limits::kMaxLineBytes) {
                std::string message = "line too long: more than " + std::to_string(limits::kMaxLineBytes) + " bytes";
                if (!what.empty()) message.append(" ").append(what);
                throw ScriptError(message);
            }
            line.push_back(T::to_char_type(c));
            c = b->sbumpc();
        }
    } catch (const std::ios_base::failure&) {
        throw ScriptError("cannot read: " + name);
    }
    if (!line.empty() && line.back() == '\r') line.pop_back();
    return true;
}

}  // namespace forth
