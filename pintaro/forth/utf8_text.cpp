#include "utf8_text.h"

namespace forth {

bool isUtf8Text(std::string_view bytes) {
    const auto* p = reinterpret_cast<const unsigned char*>(bytes.data());
    const std::size_t n = bytes.size();
    std::size_t k = 0;
    while (k < n) {
        const unsigned char c = p[k];
        if (c == 0) return false;
        if (c < 0x80) {
            ++k;
            continue;
        }
        std::size_t len;
        char32_t cp;
        if (c >= 0xC2 && c <= 0xDF) {
            len = 2;
            cp = c & 0x1F;
        } else if (c >= 0xE0 && c <= 0xEF) {
            len = 3;
            cp = c & 0x0F;
        } else if (c >= 0xF0 && c <= 0xF4) {
            len = 4;
            cp = c & 0x07;
        } else {
            return false;  // a stray continuation byte, or a lead byte no character uses
        }
        if (n - k < len) return false;
        for (std::size_t j = 1; j < len; ++j) {
            if ((p[k + j] & 0xC0) != 0x80) return false;
            cp = (cp << 6) | (p[k + j] & 0x3F);
        }
        const char32_t least = len == 3 ? 0x800 : len == 4 ? 0x10000 : 0x80;
        if (cp < least || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
        k += len;
    }
    return true;
}

}  // namespace forth
