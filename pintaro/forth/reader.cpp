// Source reader: splitting text into words and the number syntax.
#include <charconv>
#include <cmath>
#include <limits>

#include "errors.h"
#include "wordlist.h"

namespace forth {

namespace {

bool isSpace(char c) { return c == ' ' || (c >= 9 && c <= 13); }
bool isDigit(char c) { return c >= '0' && c <= '9'; }

bool equalsNoCase(std::string_view a, std::string_view lower) {
    if (a.size() != lower.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        char c = a[i];
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c != lower[i]) return false;
    }
    return true;
}

}  // namespace

WordList splitWords(std::string_view text) {
    WordList words;
    std::size_t i = 0, n = text.size();
    while (i < n) {
        while (i < n && isSpace(text[i])) ++i;
        std::size_t start = i;
        while (i < n && !isSpace(text[i])) ++i;
        if (i > start) words.emplace_back(text.substr(start, i - start));
    }
    return words;
}

std::string joinWords(const WordList& list) {
    std::string s;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i) s += ' ';
        s += list[i].text;
    }
    return s;
}

Value parseNumber(std::string_view word) {
    Value v;
    if (!tryParseNumber(word, v)) throw ScriptError("invalid float: " + std::string(word));
    return v;
}

bool tryParseNumber(std::string_view word, Value& out) {
    std::size_t i = 0, n = word.size();
    bool negative = false;
    if (i < n && (word[i] == '+' || word[i] == '-')) negative = word[i++] == '-';

    std::string_view rest = word.substr(i);
    if (equalsNoCase(rest, "nan")) {
        out = std::numeric_limits<Value>::quiet_NaN();
        return true;
    }
    if (equalsNoCase(rest, "inf")) {
        out = negative ? -std::numeric_limits<Value>::infinity() : std::numeric_limits<Value>::infinity();
        return true;
    }

    // Copy the mantissa without underscores; remember where the significant
    // digits start relative to the point to tell overflow from underflow.
    std::string mantissa;
    bool anyDigit = false, nonZero = false;
    long firstNonZero = 0, pointAt = -1;
    auto digits = [&](bool& seen) {
        while (i < n && isDigit(word[i])) {
            if (word[i] != '0' && !nonZero) {
                nonZero = true;
                firstNonZero = static_cast<long>(mantissa.size());
            }
            mantissa += word[i++];
            seen = true;
            while (i < n && word[i] == '_') ++i;
        }
    };
    digits(anyDigit);
    if (i < n && word[i] == '.') {
        pointAt = static_cast<long>(mantissa.size());
        mantissa += word[i++];
        digits(anyDigit);
    }
    if (!anyDigit) return false;
    if (pointAt < 0) pointAt = static_cast<long>(mantissa.size());

    long exponent = 0;
    if (i < n && (word[i] == 'e' || word[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < n && (word[i] == '+' || word[i] == '-')) expNegative = word[i++] == '-';
        bool expDigit = false;
        while (i < n && isDigit(word[i])) {
            if (exponent < 100000) exponent = exponent * 10 + (word[i] - '0');
            ++i;
            expDigit = true;
            while (i < n && word[i] == '_') ++i;
        }
        if (!expDigit) return false;
        if (expNegative) exponent = -exponent;
    }
    if (i != n) return false;

    const Value inf = std::numeric_limits<Value>::infinity();
    Value result;
    if (!nonZero) {
        result = 0.0;
    } else if (exponent > 999) {
        result = inf;
    } else if (exponent < -999) {
        result = 0.0;
    } else {
        std::string text = mantissa + "e" + std::to_string(exponent);
        auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
        if (ec == std::errc::result_out_of_range) {
            // Decimal magnitude of the value decides between overflow and
            // underflow; from_chars leaves the result untouched then.
            long magnitude = exponent + pointAt - firstNonZero - (firstNonZero < pointAt ? 1 : 0);
            result = magnitude > 0 ? inf : 0.0;
        } else if (ec != std::errc() || ptr != text.data() + text.size()) {
            return false;
        }
    }
    out = negative ? -result : result;
    return true;
}

}  // namespace forth
