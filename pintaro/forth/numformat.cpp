// The two number formats of the printing words and integer truncation.
#include <cmath>
#include <cstdio>
#include <limits>

#include "wordlist.h"

namespace forth {

namespace {

// printf follows the C locale's decimal point; the output must not.
void pointsOnly(std::string& s) {
    for (char& c : s)
        if (c == ',') c = '.';
}

}  // namespace

std::string formatShort(Value v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%g", v);
    std::string s(buf);
    pointsOnly(s);
    return s;
}

std::string formatFull(Value v) {
    if (std::isnan(v)) return "nan";
    if (std::isinf(v)) return v > 0 ? "inf" : "-inf";
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.16g", v);
    std::string s(buf);
    pointsOnly(s);
    bool pointOrLetter = false;
    for (char c : s)
        if (c == '.' || (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z')) pointOrLetter = true;
    if (!pointOrLetter) s += ".0";
    return s;
}

std::int64_t truncateToInt64(Value v) {
    constexpr Value two63 = 9223372036854775808.0;
    if (!(v >= -two63 && v < two63)) return std::numeric_limits<std::int64_t>::min();
    return static_cast<std::int64_t>(v);
}

}  // namespace forth
