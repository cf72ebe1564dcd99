#include "output.h"

#include <cerrno>
#include <unistd.h>

namespace verdigrove {

DescriptorOutput::DescriptorOutput(int fd) : fd_(fd) { setp(buffer_.data(), buffer_.data() + buffer_.size()); }

DescriptorOutput::~DescriptorOutput() { drain(); }

DescriptorOutput::int_type DescriptorOutput::overflow(int_type c) {
    if (!drain()) return traits_type::eof();
    if (traits_type::eq_int_type(c, traits_type::eof())) return traits_type::not_eof(c);
    *pptr() = traits_type::to_char_type(c);
    pbump(1);
    return c;
}

int DescriptorOutput::sync() { return drain() ? 0 : -1; }

bool DescriptorOutput::drain() {
    const char* next = pbase();
    const char* const end = pptr();
    bool written = true;
    while (next < end) {
        const ssize_t n = ::write(fd_, next, static_cast<std::size_t>(end - next));
        if (n > 0) {
            next += n;
        } else if (n < 0 && errno == EINTR) {
            continue;
        } else {
            if (n == 0) errno = EIO;  // no progress and no reason given
            // The rest cannot be written; dropping it keeps a later flush
            // from writing it again out of order.
            written = false;
            break;
        }
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return written;
}

}  // namespace verdigrove
