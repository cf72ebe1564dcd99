// Word lists: source text split into words, each word carrying a private
// resolution cache so that running the same list again needs no hashing,
// string comparison or number parsing.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace forth {

using Value = double;

struct Interp;
struct DictEntry;
struct SigilSlot;

// What a word resolved to the last time it ran. Valid while `generation`
// equals the generation of the interpreter running it; the interpreter bumps
// its generation whenever a lookup could come out differently.
enum class Resolved : std::uint8_t {
    None,      // not resolved yet (or stale)
    Comment,   // the word "\": stops the list
    Word,      // dictionary word (directly, or an alias's target)
    Sigil,     // sigil handler with the rest of the word
    VarFetch,  // core "$" sigil: push a variable
    VarStore,  // core "=" sigil: pop into a variable
    Number,    // a literal
};

struct Token {
    std::string text;

    // Resolution cache; mutable because running a list never changes what
    // it means, only how fast it is found again.
    mutable std::uint64_t generation = 0;
    mutable Resolved kind = Resolved::None;
    mutable union {
        DictEntry* entry;
        SigilSlot* sigil;
        Value* var;   // may be null until the variable exists
        Value number;
    } cache{nullptr};

    Token() = default;
    Token(std::string s) : text(std::move(s)) {}
    Token(std::string_view s) : text(s) {}
    Token(const char* s) : text(s) {}
};

using WordList = std::vector<Token>;

// Split text at runs of white space (space and control characters 9 to 13).
WordList splitWords(std::string_view text);

// The words of a list joined with single spaces.
std::string joinWords(const WordList& list);

// The number syntax of the dialect; throws ScriptError "invalid float: <word>".
Value parseNumber(std::string_view word);
// The same without throwing: false when the word is not a number.
bool tryParseNumber(std::string_view word, Value& out);

// Number formats: `.` prints formatShort, `.s` prints formatFull.
std::string formatShort(Value v);
std::string formatFull(Value v);

// Truncation toward zero to a signed 64-bit integer; NaN and values outside
// the range give the smallest 64-bit integer.
std::int64_t truncateToInt64(Value v);

}  // namespace forth
