#include "shown_script.h"

#include <cstdint>
#include <cstdio>

namespace veskel {

namespace {

// Code points a terminal may act on: C1 controls, and the marks, embeddings,
// overrides and isolates that reorder text.
bool reordersOrControls(std::uint32_t c) {
    return (c >= 0x80 && c <= 0x9f) || c == 0x061c || c == 0x200e || c == 0x200f || (c >= 0x202a && c <= 0x202e) ||
           (c >= 0x2066 && c <= 0x2069);
}

// The length of the well-formed UTF-8 sequence at the start of `s` and its
// code point, or 0 when it is not one.
std::size_t decode(std::string_view s, std::uint32_t& c) {
    const auto b = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = b(0);
    std::size_t n = lead >= 0xf0 && lead <= 0xf4 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc2 && lead < 0xe0 ? 2 : 0;
    if (lead >= 0xf5) n = 0;
    if (n == 0 || s.size() < n) return 0;
    c = lead & (0x7f >> n);
    for (std::size_t i = 1; i < n; ++i) {
        if ((b(i) & 0xc0) != 0x80) return 0;
        c = c << 6 | (b(i) & 0x3f);
    }
    // Overlong forms, surrogates and code points beyond Unicode.
    if ((n == 3 && c < 0x800) || (n == 4 && (c < 0x10000 || c > 0x10ffff)) || (c >= 0xd800 && c <= 0xdfff)) return 0;
    return n;
}

}  // namespace

std::string withControlsShown(std::string_view text) {
    std::string shown;
    shown.reserve(text.size());
    char name[16];
    for (std::size_t i = 0; i < text.size();) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte < 0x80) {
            if (byte == '\n' || byte == '\t' || (byte >= 0x20 && byte < 0x7f)) {
                shown += text[i];
            } else {
                shown += '^';
                shown += byte == 0x7f ? '?' : static_cast<char>(byte + 0x40);
            }
            ++i;
            continue;
        }
        std::uint32_t c = 0;
        const std::size_t n = decode(text.substr(i), c);
        if (n == 0) {
            std::snprintf(name, sizeof name, "<0x%02X>", byte);
            shown += name;
            ++i;
        } else if (reordersOrControls(c)) {
            std::snprintf(name, sizeof name, "<U+%04X>", static_cast<unsigned>(c));
            shown += name;
            i += n;
        } else {
            shown.append(text.substr(i, n));
            i += n;
        }
    }
    return shown;
}

}  // namespace veskel
