// Source reader: splitting text into words and the number syntax.
#include <algorithm>
#include <charconv>
#include <cstdint>
#include <cmath>
#include <limits>

#include "errors.h"
#include "forth_limits.h"
#include "wordlist.h"

namespace forth {

namespace {

bool isSpace(char c) { return c == ' ' || (c >= 9 && c <= 13); }

// A value 0.D x 10^scale with scale above 309 is beyond the largest double
// (1.8e308), and one with scale below -330 is far below half the smallest
// (4.9e-324), so it rounds to zero; only the scales between need converting.
constexpr std::int64_t kOverflowScale = 310;
constexpr std::int64_t kUnderflowScale = -330;
// Exponent digits beyond this cannot change the result, but the sum with a
// word's own digit count must not overflow.
constexpr std::int64_t kExponentSaturation = std::int64_t{1} << 40;
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

const CollectedBlock* CollectedBlocks::find(std::uint32_t opener) const {
    if (!blocks_) return nullptr;
    auto it = std::lower_bound(blocks_->begin(), blocks_->end(), opener,
                               [](const auto& b, std::uint32_t at) { return b->opener < at; });
    return it != blocks_->end() && (*it)->opener == opener ? it->get() : nullptr;
}

const CollectedBlock& CollectedBlocks::add(CollectedBlock b) {
    if (!blocks_) blocks_ = std::make_unique<std::vector<std::unique_ptr<CollectedBlock>>>();
    // Blocks are met in order as a list runs, so this is nearly always the end.
    auto it = std::lower_bound(blocks_->begin(), blocks_->end(), b.opener,
                               [](const auto& c, std::uint32_t at) { return c->opener < at; });
    return **blocks_->insert(it, std::make_unique<CollectedBlock>(std::move(b)));
}

Token portable(const Token& t) {
    Token copy = t;
    if (t.kind == Resolved::Block) {
        copy.kind = Resolved::Opener;
        copy.cache.entry = t.cache.block->openerEntry;
    } else if (isLiteralPair(t.kind)) {
        // The word it ran with may not follow it in the copy.
        copy.kind = Resolved::Number;
    }
    return copy;
}

WordList::WordList(const WordList& other) : WordList(static_cast<const WordSpan&>(other), other.capacity()) {}

WordList::WordList(const WordSpan& other) : WordList(other, other.size()) {}

WordList::WordList(const WordSpan& other, std::size_t room) {
    resolvedAt = other.resolvedAt;
    ownTokens_.reserve(room);
    std::size_t bytes = 0;
    for (const Token& t : other) bytes += t.length;
    ownChars_.reserve(bytes);
    for (const Token& t : other) {
        Token copy = portable(t);
        copy.offset = static_cast<std::uint32_t>(ownChars_.size());
        ownChars_.append(other.text(t));
        ownTokens_.push_back(copy);
    }
    sync();
}

WordList::WordList(WordList&& other) noexcept
    : WordSpan(std::move(other)), ownTokens_(std::move(other.ownTokens_)), ownChars_(std::move(other.ownChars_)) {
    sync();
    other.sync();
}

WordList& WordList::operator=(WordList&& other) noexcept {
    WordSpan::operator=(std::move(other));
    ownTokens_ = std::move(other.ownTokens_);
    ownChars_ = std::move(other.ownChars_);
    sync();
    other.sync();
    return *this;
}

void WordList::append(std::string_view word) {
    // Its tokens may point at the blocks dropped: they resolve again.
    if (blocks.clear()) resolvedAt = 0;
    if (word.size() > limits::kMaxWordBytes)
        throw ScriptError("word too long: more than " + std::to_string(limits::kMaxWordBytes) + " bytes");
    if (ownChars_.size() + word.size() > limits::kMaxListBytes || ownTokens_.size() >= limits::kMaxListWords)
        throw ScriptError("word list too long");
    Token t;
    t.offset = static_cast<std::uint32_t>(ownChars_.size());
    t.length = static_cast<std::uint32_t>(word.size());
    ownChars_.append(word);
    ownTokens_.push_back(t);
    sync();
}

void WordList::append(const WordSpan& from, const Token& t) {
    if (ownChars_.size() + t.length > limits::kMaxListBytes || ownTokens_.size() >= limits::kMaxListWords)
        throw ScriptError("word list too long");
    if (blocks.clear()) resolvedAt = 0;
    Token copy = portable(t);
    copy.offset = static_cast<std::uint32_t>(ownChars_.size());
    ownChars_.append(from.text(t));
    ownTokens_.push_back(copy);
    sync();
}

void WordList::clear() {
    ownTokens_.clear();
    ownChars_.clear();
    resolvedAt = 0;
    blocks.clear();
    sync();
}

void WordList::reserveMore(std::size_t words, std::size_t bytes) {
    ownTokens_.reserve(ownTokens_.size() + words);
    ownChars_.reserve(ownChars_.size() + bytes);
    sync();
}

WordList splitWords(std::string_view text) {
    WordList words;
    splitWordsInto(words, text, 0, text.size(), false);
    return words;
}

std::size_t splitWordsInto(WordList& out, std::string_view text, std::size_t from, std::size_t maxWords,
                           bool stopAfterComment) {
    std::size_t i = from, n = text.size();
    for (std::size_t taken = 0; taken < maxWords;) {
        while (i < n && isSpace(text[i])) ++i;
        const std::size_t start = i;
        while (i < n && !isSpace(text[i])) ++i;
        if (i == start) break;
        out.append(text.substr(start, i - start));
        ++taken;
        if (stopAfterComment && i - start == 1 && text[start] == '\\') break;
    }
    return i;
}

std::pair<std::size_t, std::size_t> countWordsUntil(std::string_view text, std::string_view end) {
    std::size_t words = 0, bytes = 0, i = 0, n = text.size();
    for (;;) {
        while (i < n && isSpace(text[i])) ++i;
        const std::size_t start = i;
        while (i < n && !isSpace(text[i])) ++i;
        const std::string_view word = text.substr(start, i - start);
        if (word.empty() || word == end || word == "\\") return {words, bytes};
        ++words;
        bytes += word.size();
    }
}

std::string joinWords(const WordSpan& list) {
    std::string s;
    for (std::size_t i = 0; i < list.size(); ++i) {
        if (i) s += ' ';
        s += list.text(i);
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

    // The significant digits without underscores, leading zeros or the
    // point, and the decimal exponent that goes with them: the value is
    // 0.DIGITS x 10^scale. Words may be as long as a line, so everything
    // below is exact for any length.
    std::string significant;
    std::int64_t scale = 0;
    bool anyDigit = false, afterPoint = false;
    auto digits = [&] {
        while (i < n && isDigit(word[i])) {
            if (word[i] != '0' || !significant.empty()) significant += word[i];
            // Integer digits raise the scale once the value has begun;
            // zeros after the point lower it until it has.
            if (!afterPoint && !significant.empty()) ++scale;
            if (afterPoint && significant.empty()) --scale;
            ++i;
            anyDigit = true;
            while (i < n && word[i] == '_') ++i;
        }
    };
    digits();
    if (i < n && word[i] == '.') {
        ++i;
        afterPoint = true;
        digits();
    }
    if (!anyDigit) return false;

    std::int64_t exponent = 0;
    if (i < n && (word[i] == 'e' || word[i] == 'E')) {
        ++i;
        bool expNegative = false;
        if (i < n && (word[i] == '+' || word[i] == '-')) expNegative = word[i++] == '-';
        bool expDigit = false;
        while (i < n && isDigit(word[i])) {
            // Saturates far beyond any double; the digits still have to be valid.
            if (exponent < kExponentSaturation) exponent = exponent * 10 + (word[i] - '0');
            ++i;
            expDigit = true;
            while (i < n && word[i] == '_') ++i;
        }
        if (!expDigit) return false;
        if (expNegative) exponent = -exponent;
    }
    if (i != n) return false;

    const Value inf = std::numeric_limits<Value>::infinity();
    scale += exponent;
    Value result;
    if (significant.empty()) {
        result = 0.0;
    } else if (scale > kOverflowScale) {
        result = inf;
    } else if (scale < kUnderflowScale) {
        result = 0.0;
    } else {
        // from_chars rounds correctly whatever the number of digits.
        while (significant.back() == '0') significant.pop_back();
        const std::string text = "0." + significant + "e" + std::to_string(scale);
        auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), result);
        if (ec == std::errc::result_out_of_range)
            result = scale > 0 ? inf : 0.0;  // from_chars leaves the result untouched then
        else if (ec != std::errc() || ptr != text.data() + text.size())
            return false;
    }
    out = negative ? -result : result;
    return true;
}

}  // namespace forth
