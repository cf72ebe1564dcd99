#include "png_text.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstring>

#include "veskel_limits.h"

namespace veskel {

namespace {

constexpr std::array<unsigned char, 8> kSignature{0x89, 'P', 'N', 'G', '\r', '\n', 0x1a, '\n'};
// A chunk's length is a 31-bit number; the header is its length and type.
constexpr std::uint32_t kMaxChunkLength = 0x7fffffff;
// Keywords are 1 to 79 bytes, then a zero byte.
constexpr std::size_t kMaxKeywordBytes = 79;

struct File {
    int fd;
    explicit File(int f) : fd(f) {}
    File(const File&) = delete;
    File& operator=(const File&) = delete;
    ~File() {
        if (fd >= 0) ::close(fd);
    }
};

class Walker {
public:
    Walker(const std::string& path, int fd) : path_(path), fd_(fd) {}

    // Up to n bytes; fewer only at the end of the file.
    std::size_t read(void* data, std::size_t n) {
        auto* p = static_cast<unsigned char*>(data);
        std::size_t got = 0;
        while (got < n) {
            const ssize_t r = ::read(fd_, p + got, n - got);
            if (r < 0 && errno == EINTR) continue;
            if (r < 0) throw PngTextError("Failed to read from file “" + path_ + "”: " + std::strerror(errno));
            if (r == 0) break;
            got += static_cast<std::size_t>(r);
        }
        return got;
    }

    void readExactly(void* data, std::size_t n) {
        if (read(data, n) != n) damaged("it is cut short");
    }

    // Passes over n bytes: a seek in a file, reading in a pipe.
    void skip(std::uint64_t n) {
        if (lseek(fd_, static_cast<off_t>(n), SEEK_CUR) >= 0) return;
        unsigned char buffer[4096];
        while (n > 0) {
            const std::size_t step = n < sizeof buffer ? static_cast<std::size_t>(n) : sizeof buffer;
            readExactly(buffer, step);
            n -= step;
        }
    }

    [[noreturn]] void damaged(const std::string& why) const {
        throw PngTextError(path_ + " is a damaged PNG: " + why);
    }

private:
    const std::string& path_;
    int fd_;
};

std::uint32_t bigEndian(const unsigned char* p) {
    return std::uint32_t{p[0]} << 24 | std::uint32_t{p[1]} << 16 | std::uint32_t{p[2]} << 8 | p[3];
}

std::string fromLatin1(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x80) {
            text += c;
        } else {
            text += static_cast<char>(0xc0 | b >> 6);
            text += static_cast<char>(0x80 | (b & 0x3f));
        }
    }
    return text;
}

// The zlib stream inflated; false when it would be longer than maxBytes.
bool inflateBounded(const Walker& walker, std::string_view compressed, std::size_t maxBytes, std::string& out) {
    z_stream z{};
    if (inflateInit(&z) != Z_OK) walker.damaged("its text cannot be decompressed");
    struct End {
        z_stream& z;
        ~End() { inflateEnd(&z); }
    } end{z};
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(compressed.data()));
    z.avail_in = static_cast<uInt>(compressed.size());
    unsigned char buffer[65536];
    for (;;) {
        z.next_out = buffer;
        z.avail_out = sizeof buffer;
        const int status = inflate(&z, Z_NO_FLUSH);
        if (status != Z_OK && status != Z_STREAM_END) walker.damaged("its text cannot be decompressed");
        const std::size_t made = sizeof buffer - z.avail_out;
        if (out.size() + made > maxBytes) return false;
        out.append(reinterpret_cast<const char*>(buffer), made);
        if (status == Z_STREAM_END) return true;
        // Input used up before the stream's end: the text is cut short.
        if (z.avail_in == 0 && made == 0) walker.damaged("its text cannot be decompressed");
    }
}

// Up to the first zero byte: what gdk-pixbuf passed on as a C string.
std::string untilZero(std::string text) {
    if (const std::size_t zero = text.find('\0'); zero != std::string::npos) text.resize(zero);
    return text;
}

// The text of one tEXt, zTXt or iTXt chunk's data after its keyword and
// zero byte; false when it is longer than maxBytes.
bool chunkText(const Walker& walker, std::string_view type, std::string_view rest, std::size_t maxBytes,
               std::string& text) {
    if (type == "tEXt") {
        if (rest.size() > maxBytes) return false;
        text = fromLatin1(untilZero(std::string(rest)));
        return true;
    }
    if (type == "zTXt") {
        if (rest.empty() || rest[0] != 0) walker.damaged("its text chunk names an unknown compression");
        std::string raw;
        if (!inflateBounded(walker, rest.substr(1), maxBytes, raw)) return false;
        text = fromLatin1(untilZero(std::move(raw)));
        return true;
    }
    // iTXt: compression flag and method, language tag, translated keyword.
    if (rest.size() < 2) walker.damaged("its text chunk is malformed");
    const bool compressed = rest[0] != 0;
    if (compressed && rest[1] != 0) walker.damaged("its text chunk names an unknown compression");
    std::size_t at = 2;
    for (int field = 0; field < 2; ++field) {
        const std::size_t zero = rest.find('\0', at);
        if (zero == std::string_view::npos) walker.damaged("its text chunk is malformed");
        at = zero + 1;
    }
    const std::string_view body = rest.substr(at);
    if (!compressed) {
        if (body.size() > maxBytes) return false;
        text = untilZero(std::string(body));
        return true;
    }
    std::string raw;
    if (!inflateBounded(walker, body, maxBytes, raw)) return false;
    text = untilZero(std::move(raw));
    return true;
}

}  // namespace

PngText readPngText(const std::string& path, std::string_view keyword, std::size_t maxBytes) {
    // Not blocking: a FIFO without a writer opens at once and reads as empty.
    File file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st {};
    if (file.fd < 0 || fstat(file.fd, &st) != 0)
        throw PngTextError("Failed to open file “" + path + "”: " + std::strerror(errno));
    if (S_ISDIR(st.st_mode)) throw PngTextError("Failed to open file “" + path + "”: " + std::strerror(EISDIR));
    // A pipe with a writer is read as it comes.
    fcntl(file.fd, F_SETFL, fcntl(file.fd, F_GETFL) & ~O_NONBLOCK);
    Walker walker(path, file.fd);

    std::array<unsigned char, kSignature.size()> signature{};
    if (walker.read(signature.data(), signature.size()) != signature.size() || signature != kSignature)
        return {PngTextFound::NotPng, {}};
    for (;;) {
        unsigned char header[8];
        walker.readExactly(header, sizeof header);
        const std::uint32_t length = bigEndian(header);
        const std::string_view type(reinterpret_cast<const char*>(header + 4), 4);
        if (length > kMaxChunkLength) walker.damaged("a chunk declares a length beyond 2^31");
        if (type == "IEND") return {PngTextFound::NoText, {}};
        if (type != "tEXt" && type != "zTXt" && type != "iTXt") {
            walker.skip(std::uint64_t{length} + 4);  // the data and its checksum
            continue;
        }
        // The keyword first, to pass over the chunks of other keywords.
        std::string data(std::min<std::size_t>(length, kMaxKeywordBytes + 1), '\0');
        walker.readExactly(data.data(), data.size());
        const std::size_t zero = data.find('\0');
        if (zero == std::string::npos || std::string_view(data).substr(0, zero) != keyword) {
            walker.skip(std::uint64_t{length} - data.size() + 4);
            continue;
        }
        if (length - zero - 1 > maxBytes + limits::kMaxTextChunkHeaderBytes) return {PngTextFound::TooBig, {}};
        const std::size_t head = data.size();
        data.resize(length);
        walker.readExactly(data.data() + head, length - head);
        unsigned char storedCrc[4];
        walker.readExactly(storedCrc, sizeof storedCrc);
        uLong crc = crc32(0L, header + 4, 4);
        crc = crc32(crc, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size()));
        if (crc != bigEndian(storedCrc)) walker.damaged("the checksum of its text chunk is wrong");
        PngText result{PngTextFound::Text, {}};
        if (!chunkText(walker, type, std::string_view(data).substr(zero + 1), maxBytes, result.text))
            return {PngTextFound::TooBig, {}};
        return result;
    }
}

}  // namespace veskel
