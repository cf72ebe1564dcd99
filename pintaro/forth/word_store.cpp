// Records and the chunked store of the definitions' words.
#include "word_store.h"

#include <sys/mman.h>

#include <cstring>
#include <new>

#include "forth_limits.h"

namespace forth {

namespace {

enum Storage : std::uint8_t {
    kPrim = 0,    // PrimRecord, its own allocation
    kStored = 1,  // StoredRecord, in a chunk
    kKept = 2,    // KeptRecord, its own allocation sharing a list
};

struct PrimRecord : WordRecord {
    Primitive fn;
    void (*fast)(Interp&) = nullptr;
};

// The view of words copied in right behind the record.
struct StoredSpan : WordSpan {
    StoredSpan(const Token* tokens, std::size_t size, const char* chars) : WordSpan(tokens, size, chars) {}
};

struct StoredRecord : WordRecord {
    StoredSpan span;
};

struct KeptRecord : WordRecord {
    std::shared_ptr<const WordList> list;
};

constexpr std::size_t kAlign = alignof(StoredRecord);
static_assert(alignof(Token) <= kAlign);

constexpr std::size_t roundUp(std::size_t n) { return (n + kAlign - 1) & ~(kAlign - 1); }

}  // namespace

// At the start of every chunk.
struct WordStore::Chunk {
    std::uint32_t live = 0;     // records in it
    WordStore* owner = nullptr;  // while records are still added to it
};

namespace {

constexpr std::size_t kChunkStart = roundUp(sizeof(WordStore::Chunk));

// A chunk at an address that is a multiple of its size: the mapping is
// made twice as large and trimmed to the aligned part.
WordStore::Chunk* mapChunk() {
    const std::size_t size = limits::kWordChunkBytes;
    void* p = mmap(nullptr, 2 * size, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
    if (p == MAP_FAILED) throw std::bad_alloc();
    const auto start = reinterpret_cast<std::uintptr_t>(p);
    const std::uintptr_t aligned = (start + size - 1) & ~(size - 1);
    if (aligned > start) munmap(p, aligned - start);
    if (const std::uintptr_t tail = start + 2 * size - (aligned + size); tail > 0)
        munmap(reinterpret_cast<void*>(aligned + size), tail);
    return new (reinterpret_cast<void*>(aligned)) WordStore::Chunk;
}

void unmapChunk(WordStore::Chunk* c) { munmap(c, limits::kWordChunkBytes); }

WordStore::Chunk* chunkOf(const void* rec) {
    return reinterpret_cast<WordStore::Chunk*>(reinterpret_cast<std::uintptr_t>(rec) &
                                               ~(limits::kWordChunkBytes - 1));
}

}  // namespace

RecordPtr primRecord(Primitive fn) {
    auto* rec = new PrimRecord;
    rec->kind = WordKind::primWord;
    rec->storage = kPrim;
    if (auto fp = fn.target<void (*)(Interp&)>()) rec->fast = *fp;
    rec->fn = std::move(fn);
    rec->prim = &rec->fn;
    return RecordPtr(rec);
}

void (*directFunction(const WordRecord& rec))(Interp&) {
    return rec.storage == kPrim ? static_cast<const PrimRecord&>(rec).fast : nullptr;
}

void freeRecord(WordRecord* rec) {
    if (!rec) return;
    switch (rec->storage) {
        case kPrim:
            delete static_cast<PrimRecord*>(rec);
            return;
        case kKept:
            delete static_cast<KeptRecord*>(rec);
            return;
        default:
            break;
    }
    auto* stored = static_cast<StoredRecord*>(rec);
    WordStore::Chunk* c = chunkOf(stored);
    stored->~StoredRecord();
    if (--c->live > 0) return;
    if (!c->owner) {
        unmapChunk(c);
    } else {
        // Empty, and still the one being filled: it starts over (the fuzz
        // target's restore() drops what each input defined).
        c->owner->used_ = kChunkStart;
    }
}

WordStore::~WordStore() {
    if (!current_) return;
    // The records are freed before the store (they are the dictionary's);
    // one still alive frees the chunk itself.
    if (current_->live == 0)
        unmapChunk(current_);
    else
        current_->owner = nullptr;
}

RecordPtr WordStore::userRecord(const WordSpan& code) {
    std::size_t bytes = 0;
    for (const Token& t : code) bytes += t.length;
    const std::size_t need = roundUp(sizeof(StoredRecord) + code.size() * sizeof(Token) + bytes);
    if (need > limits::kWordChunkBytes - kChunkStart) {
        auto* rec = new KeptRecord;
        rec->kind = WordKind::userWord;
        rec->storage = kKept;
        rec->list = std::make_shared<const WordList>(code);
        rec->code = rec->list.get();
        return RecordPtr(rec);
    }
    return copyIn(code, bytes);
}

RecordPtr WordStore::userRecord(std::shared_ptr<const WordList> list) {
    if (!list) list = std::make_shared<const WordList>();
    const std::size_t need = roundUp(sizeof(StoredRecord) + list->size() * sizeof(Token) + list->bytes());
    if (need > limits::kWordChunkBytes - kChunkStart) {
        auto* rec = new KeptRecord;
        rec->kind = WordKind::userWord;
        rec->storage = kKept;
        rec->list = std::move(list);
        rec->code = rec->list.get();
        return RecordPtr(rec);
    }
    return copyIn(*list, list->bytes());
}

RecordPtr WordStore::copyIn(const WordSpan& code, std::size_t bytes) {
    const std::size_t need = roundUp(sizeof(StoredRecord) + code.size() * sizeof(Token) + bytes);
    if (!current_ || used_ + need > limits::kWordChunkBytes) {
        Chunk* fresh = mapChunk();
        if (current_) {
            // Its records free it when the last of them goes.
            if (current_->live == 0)
                unmapChunk(current_);
            else
                current_->owner = nullptr;
        }
        current_ = fresh;
        current_->owner = this;
        used_ = kChunkStart;
    }
    char* at = reinterpret_cast<char*>(current_) + used_;
    auto* tokens = reinterpret_cast<Token*>(at + sizeof(StoredRecord));
    char* chars = reinterpret_cast<char*>(tokens + code.size());
    std::uint32_t offset = 0;
    for (std::size_t i = 0; i < code.size(); ++i) {
        Token t = portable(code[i]);
        const std::string_view text = code.text(i);
        if (!text.empty()) std::memcpy(chars + offset, text.data(), text.size());
        t.offset = offset;
        offset += static_cast<std::uint32_t>(text.size());
        new (tokens + i) Token(t);
    }
    auto* rec = new (at) StoredRecord{{}, StoredSpan(tokens, code.size(), chars)};
    rec->kind = WordKind::userWord;
    rec->storage = kStored;
    rec->code = &rec->span;
    rec->span.resolvedAt = code.resolvedAt;
    ++current_->live;
    used_ += need;
    return RecordPtr(rec);
}

}  // namespace forth
