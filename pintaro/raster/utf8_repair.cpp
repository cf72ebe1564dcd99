#include "utf8_repair.h"

namespace raster {
namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The length of the well-formed prefix of a sequence starting at p[0] >=
// 0x80 (the lead byte and the continuation bytes that fit it), and whether
// it is a whole character. The second byte's range depends on the lead:
// it excludes overlong forms, surrogates and code points above U+10FFFF.
struct Prefix {
    std::size_t length;
    bool whole;
};

Prefix wellFormedPrefix(const unsigned char* p, std::size_t available) {
    const unsigned char c = p[0];
    std::size_t need;
    unsigned char low = 0x80, high = 0xBF;  // the second byte's range
    if (c >= 0xC2 && c <= 0xDF) {
        need = 2;
    } else if (c >= 0xE0 && c <= 0xEF) {
        need = 3;
        if (c == 0xE0) low = 0xA0;
        if (c == 0xED) high = 0x9F;
    } else if (c >= 0xF0 && c <= 0xF4) {
        need = 4;
        if (c == 0xF0) low = 0x90;
        if (c == 0xF4) high = 0x8F;
    } else {
        return {1, false};  // a stray continuation byte, or a lead no character uses
    }
    std::size_t k = 1;
    for (; k < need && k < available; ++k) {
        const unsigned char b = p[k];
        if (k == 1 ? (b < low || b > high) : (b & 0xC0) != 0x80) break;
    }
    return {k, k == need};
}

}  // namespace

std::optional<std::string> repairedUtf8(std::string_view text) {
    const auto* p = reinterpret_cast<const unsigned char*>(text.data());
    const std::size_t n = text.size();
    std::optional<std::string> out;
    std::size_t copied = 0;  // bytes of `text` already in `out`
    for (std::size_t k = 0; k < n;) {
        if (p[k] < 0x80) {
            ++k;
            continue;
        }
        const Prefix prefix = wellFormedPrefix(p + k, n - k);
        if (!prefix.whole) {
            if (!out) out.emplace();
            out->append(text.substr(copied, k - copied));
            out->append(kReplacement);
            copied = k + prefix.length;
        }
        k += prefix.length;
    }
    if (out) out->append(text.substr(copied));
    return out;
}

}  // namespace raster
