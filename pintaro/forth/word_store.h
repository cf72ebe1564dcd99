// Word records, and where the definitions' words are kept. A script may
// make a million definitions: each is one block, its record with its
// tokens and bytes right behind it, with no list or buffer of its own; a
// small block comes from a pool rather than malloc (word_store.cpp).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string_view>
#include <vector>

#include "wordlist.h"

namespace forth {

// A built-in operation. It may capture its own environment (turtle, console).
using Primitive = std::function<void(Interp&)>;

enum class WordKind : std::uint8_t { primWord = 0, userWord = 1 };

struct WordRecord {
    union {
        const WordSpan* code = nullptr;  // userWord: its words, never null
        // primWord: the plain function it runs, or null when the function
        // is a closure (primitive() runs it).
        void (*direct)(Interp&);
    };
    // Number of runs of this record in progress by a call of runWord (a run
    // in a frame of the dispatch loop is found among the frames); a record
    // replaced while it runs is parked until they all finish.
    mutable std::uint32_t active = 0;
    WordKind kind = WordKind::primWord;
    // How the record is held, for freeRecord (word_store.cpp).
    std::uint8_t storage = 0;
    // A record with its words behind it: the size of its block, for the pool
    // it came from (word_store.cpp); 0 for one of its own allocation.
    std::uint16_t pooledBytes = 0;
};
static_assert(sizeof(WordRecord) == 16);

// Frees a record however it is held.
void freeRecord(WordRecord* rec);
struct RecordDeleter {
    void operator()(WordRecord* rec) const { freeRecord(rec); }
};
using RecordPtr = std::unique_ptr<WordRecord, RecordDeleter>;

// A built-in word's record. A plain function is also kept as the record's
// `direct`, so that it runs without the std::function indirection.
RecordPtr primRecord(Primitive fn);
// A built-in word's function, a plain one or a closure.
const Primitive& primitive(const WordRecord& rec);
// The plain function a record runs directly, or null (user words, closures).
inline void (*directFunction(const WordRecord& rec))(Interp&) {
    return rec.kind == WordKind::primWord ? rec.direct : nullptr;
}

// A user word's record with a copy of these words (their resolution
// kept) right behind it, in one allocation. Words too many for that
// (limits::kCopiedDefinitionBytes) get a list of their own.
RecordPtr userRecord(const WordSpan& code);
// The same, but a long list is shared rather than copied (a long
// definition is not held twice).
RecordPtr userRecord(std::shared_ptr<const WordList> list);

// The dictionary's names, back to back in chunks, so that an entry points
// at its name rather than holding a string of its own. Names are dropped
// only from the newest back: restore() drops the words defined since.
class NameStore {
public:
    std::string_view add(std::string_view name);
    // Drops the name that starts at `name` and every name kept after it.
    void dropFrom(const char* name);

private:
    struct Chunk {
        std::unique_ptr<char[]> bytes;
        std::size_t size = 0;
        std::size_t used = 0;
    };
    std::vector<Chunk> chunks_;
};

}  // namespace forth
