// Reading that the stop key can end: a stream over a file descriptor that
// never blocks for long. Before every read it waits with poll(2) in short
// slices and calls its `waiting` callback between them (the interpreter's
// poll hook, which handles the GUI's events or raises "Interrupted"), so a
// FIFO whose writer stays silent, a terminal nobody types into, or a FIFO
// that has no writer yet keep the program responsive.
#pragma once

#include <functional>
#include <istream>
#include <memory>
#include <streambuf>
#include <string>

namespace forth {

class FdInputBuf : public std::streambuf {
public:
    // Reads `fd`; closes it at the end when `owned`. `waiting` runs before
    // every read and between wait slices; it may throw to stop the read.
    FdInputBuf(int fd, bool owned, std::function<void()> waiting);
    ~FdInputBuf() override;
    FdInputBuf(const FdInputBuf&) = delete;
    FdInputBuf& operator=(const FdInputBuf&) = delete;

protected:
    // Raises std::ios_base::failure when the descriptor cannot be read (a
    // directory, an I/O error); the line reader names the source then.
    int_type underflow() override;

private:
    int fd_;
    bool owned_;
    std::function<void()> waiting_;
    std::unique_ptr<char[]> buffer_;
};

// A file opened for reading without blocking on the open (a FIFO without
// a writer), or null with errno set when it cannot be opened.
class FdInput : public std::istream {
public:
    FdInput(int fd, bool owned, std::function<void()> waiting);
    static std::unique_ptr<FdInput> open(const std::string& path, std::function<void()> waiting);

private:
    FdInputBuf buf_;
};

// Reads one line (up to LF, without it; a CR before the LF dropped) into
// `line`, at most limits::kMaxLineBytes of it. False at the end of the
// input. Raises "line too long: more than N bytes" (followed by `what`, for
// a reader that has no position of its own) and "cannot read: NAME".
bool readLine(std::istream& in, std::string& line, const std::string& name, std::string_view what = {});

}  // namespace forth
