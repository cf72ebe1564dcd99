// Word lists: source text split into words. The words' bytes sit back to
// back in one buffer of the list, and each word is a small token pointing
// into it with a resolution cache, so that running the same list again
// needs no hashing, string comparison or number parsing, and a long line
// costs a few times its own size rather than a string per word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace forth {

using Value = double;

// The core words the dispatch loop runs in place, as X(kind, function):
// their token kinds below, their table (inline_words.h) and their handlers
// in runWords all come from these lists, in their order. The two-value
// words are listed apart: a literal right before one of them runs with it
// as one token (the literal's kind Literal<kind>, inline_words.h).
#define FORTH_STACK_WORDS(X) \
    X(Drop, drop) X(Dup, dup) X(Over, over) X(Swap, swap) X(OnePlus, onePlus) X(OneMinus, oneMinus)
#define FORTH_TWO_VALUE_WORDS(X)                                                                         \
    X(Add, add) X(Sub, sub) X(Mul, mul) X(Less, less) X(Greater, greater) X(LessEq, lessEq)            \
    X(GreaterEq, greaterEq) X(Equal, equal)
#define FORTH_INLINE_WORDS(X) FORTH_STACK_WORDS(X) FORTH_TWO_VALUE_WORDS(X)

class Interp;
struct DictEntry;
struct SigilSlot;

// What a word resolved to. Valid while the list's resolvedAt equals the
// generation of the interpreter running it; the interpreter bumps its
// generation whenever a lookup could come out differently.
enum class Resolved : std::uint8_t {
    None,      // not resolved, or no meaning at the time (raises when run)
    // A dictionary word that was the core [ or { when resolved. Next to
    // None, so that the dispatch tests for these three with one compare.
    Opener,
    // An Opener whose block has been collected: the cache points at it.
    Block,
    Comment,   // the word "\": stops the list
    Word,      // dictionary word (directly, or an alias's target)
    Sigil,     // sigil handler with the rest of the word
    VarFetch,  // core "$" sigil: push a variable
    VarStore,  // core "=" sigil: pop into a variable
    Number,    // a literal
    // A dictionary word whose record was a user word's: its frame is pushed
    // without asking. Valid like Word while its entry holds a user word;
    // storing a word of another kind in it changes the generation.
    Call,
    // A dictionary word whose record was one of the core words the
    // dispatch loop runs in place (FORTH_INLINE_WORDS). Valid like Word
    // while its entry keeps that record: replacing it changes the
    // generation, so the token resolves again before it runs next.
#define FORTH_INLINE_KIND(kind, function) kind,
    FORTH_INLINE_WORDS(FORTH_INLINE_KIND)
#undef FORTH_INLINE_KIND
    // A literal whose next token in the same list is that word run in
    // place (FORTH_TWO_VALUE_WORDS): both run as one. Only a whole list's
    // resolution makes it; a token copied alone is a Number again
    // (portable()).
#define FORTH_LITERAL_KIND(kind, function) Literal##kind,
    FORTH_TWO_VALUE_WORDS(FORTH_LITERAL_KIND)
#undef FORTH_LITERAL_KIND
};
#define FORTH_COUNT_ONE(kind, function) +1
inline constexpr std::size_t kResolvedKinds = static_cast<std::size_t>(Resolved::Call) + 1 FORTH_INLINE_WORDS(FORTH_COUNT_ONE)
    FORTH_TWO_VALUE_WORDS(FORTH_COUNT_ONE);
#undef FORTH_COUNT_ONE
// The literal kinds come last.
inline constexpr bool isLiteralPair(Resolved k) {
#define FORTH_FIRST_LITERAL(kind, function) Resolved::Literal##kind,
    constexpr Resolved kinds[] = {FORTH_TWO_VALUE_WORDS(FORTH_FIRST_LITERAL)};
#undef FORTH_FIRST_LITERAL
    return k >= kinds[0];
}

// 16 bytes: where the word's bytes are in its list, and its resolution.
struct Token {
    std::uint32_t offset = 0;
    std::uint32_t length : 24 = 0;
    // Mutable because running a list never changes what it means, only how
    // fast it is found again.
    mutable Resolved kind : 8 = Resolved::None;
    mutable union {
        DictEntry* entry;
        const struct CollectedBlock* block;  // of the token's own list
        SigilSlot* sigil;
        Value* var;  // may be null until the variable exists
        Value number;
    } cache{nullptr};
};
static_assert(sizeof(Token) == 16);

class WordList;

// A block that a list opens and closes within itself ([ ... ] or { ... }),
// collected the first time it runs and reused after: a list's words never
// change, so neither does what collecting them makes.
struct CollectedBlock {
    std::uint32_t opener = 0;  // index of the opening token
    std::uint32_t next = 0;    // index after the closing word
    DictEntry* openerEntry = nullptr;  // what the opening token resolved to
    bool brace = false;                // { ... } rather than [ ... ]
    std::shared_ptr<WordList> block;
    // What the interpreter's last check of the opener found (valid while
    // its bindings stamp is checkedAt): which control word follows the
    // block (a core::BodyUse) and how many tokens it takes, 0 for none, 2
    // with a literal between.
    mutable std::uint64_t checkedAt = 0;
    mutable std::uint8_t use = 0;
    mutable std::uint8_t follower = 0;
};

// A list's collected blocks, sorted by opener; each stays where it is
// while the list lives unchanged (its Block tokens point at it). A copy
// starts empty: a list is copied only to be changed (copy on write of the
// compile buffer).
class CollectedBlocks {
public:
    CollectedBlocks() = default;
    CollectedBlocks(const CollectedBlocks&) {}
    CollectedBlocks& operator=(const CollectedBlocks&) {
        blocks_.reset();
        return *this;
    }
    // A move keeps them: the tokens that point at them move along.
    CollectedBlocks(CollectedBlocks&&) noexcept = default;
    CollectedBlocks& operator=(CollectedBlocks&&) noexcept = default;
    const CollectedBlock* find(std::uint32_t opener) const;
    const CollectedBlock& add(CollectedBlock b);
    // True when there were blocks to drop.
    bool clear() {
        const bool had = blocks_ != nullptr;
        blocks_.reset();
        return had;
    }
    bool any() const { return blocks_ != nullptr; }

private:
    std::unique_ptr<std::vector<std::unique_ptr<CollectedBlock>>> blocks_;
};

// Words as they run: tokens, the bytes they point into, and the list's
// resolution state. What the interpreter runs, steps through and shows;
// a WordList owns its storage, a definition's words sit behind its
// record (word_store.h).
class WordSpan {
public:
    WordSpan() = default;
    // A view shares its tokens' caches, and their Block caches point into
    // its own blocks: it is never copied.
    WordSpan(const WordSpan&) = delete;
    WordSpan& operator=(const WordSpan&) = delete;

    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    const Token* begin() const;
    const Token* end() const { return begin() + size_; }
    const Token& operator[](std::size_t i) const { return begin()[i]; }

    // The bytes of one of this list's tokens.
    std::string_view text(const Token& t) const { return {chars() + t.offset, t.length}; }
    std::string_view text(std::size_t i) const { return text((*this)[i]); }

    // The interpreter generation at which every token was resolved, or 0;
    // see Interp::runWords.
    mutable std::uint64_t resolvedAt = 0;
    // Filled by the interpreter as the list runs; emptied when it changes.
    mutable CollectedBlocks blocks;

protected:
    // Words whose tokens and bytes follow the view in memory (a
    // definition's words behind its record): the view needs no pointer to
    // them.
    explicit WordSpan(std::size_t size) : size_(static_cast<std::uint32_t>(size)), charsFollow_(true) {}
    WordSpan(WordSpan&&) = default;
    WordSpan& operator=(WordSpan&&) = default;
    const char* chars() const;

    // 24 bytes: a million definitions keep a million of these.
    std::uint32_t size_ = 0;
    bool charsFollow_ = false;
};
static_assert(sizeof(WordSpan) == 24);

// Copies of tokens for another list: a collected block belongs to its own
// list, so a copy knows only the opening word, and a literal run with the
// word after it is a plain literal again.
Token portable(const Token& t);

class WordList : public WordSpan {
public:
    WordList() = default;
    // The copy's tokens point at no block of this list's.
    WordList(const WordList& other);
    explicit WordList(const WordSpan& other);
    WordList& operator=(const WordList&) = delete;
    WordList(WordList&& other) noexcept;
    WordList& operator=(WordList&& other) noexcept;

    // Adds a word, its bytes copied; raises "word too long: ..." beyond
    // limits::kMaxWordBytes and "word list too long" when the list's bytes
    // would pass limits::kMaxListBytes.
    void append(std::string_view word);
    // Adds another list's token with its bytes and resolution.
    void append(const WordSpan& from, const Token& t);
    void clear();
    // Room for `words` more words of `bytes` more bytes.
    void reserveMore(std::size_t words, std::size_t bytes);
    std::size_t capacity() const { return ownTokens_.capacity(); }
    // The bytes of all words, back to back.
    std::size_t bytes() const { return ownChars_.size(); }

private:
    // A copy with room for `room` tokens.
    WordList(const WordSpan& other, std::size_t room);
    // The view follows the storage after every change.
    void sync() { size_ = static_cast<std::uint32_t>(ownTokens_.size()); }
    friend class WordSpan;
    std::vector<Token> ownTokens_;
    std::string ownChars_;
};

inline const Token* WordSpan::begin() const {
    return charsFollow_ ? reinterpret_cast<const Token*>(this + 1)
                        : static_cast<const WordList*>(this)->ownTokens_.data();
}

inline const char* WordSpan::chars() const {
    return charsFollow_ ? reinterpret_cast<const char*>(reinterpret_cast<const Token*>(this + 1) + size_)
                        : static_cast<const WordList*>(this)->ownChars_.data();
}

// Split text at runs of white space (space and control characters 9 to 13).
WordList splitWords(std::string_view text);

// Appends the words of text from byte `from` on, at most `maxWords` of
// them, and with stopAfterComment none after a "\" word (nothing after it
// can run); returns the byte where the next word may start.
std::size_t splitWordsInto(WordList& out, std::string_view text, std::size_t from, std::size_t maxWords,
                           bool stopAfterComment);

// The words and their bytes from the start of `text` up to (not counting)
// the first word equal to `end` or "\": what collecting up to `end` takes.
std::pair<std::size_t, std::size_t> countWordsUntil(std::string_view text, std::string_view end);

// The words of a list joined with single spaces.
std::string joinWords(const WordSpan& list);

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
