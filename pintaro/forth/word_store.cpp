// Records, and a definition's words copied in behind its record.
#include "word_store.h"

#include <cstring>
#include <functional>
#include <algorithm>
#include <new>

#include "forth_limits.h"

namespace forth {

namespace {

enum Storage : std::uint8_t {
    kPrim = 0,    // PrimRecord, its own allocation
    kStored = 1,  // StoredRecord, its words behind it in the same allocation
    kKept = 2,    // KeptRecord, its own allocation sharing a list
};

struct PrimRecord : WordRecord {
    Primitive fn;
    void (*fast)(Interp&) = nullptr;
};

// The view of words copied in right behind the record.
struct StoredSpan : WordSpan {
    StoredSpan(const Token* tokens, std::size_t size) : WordSpan(tokens, size) {}
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
    stored->~StoredRecord();
    ::operator delete(stored);
}

namespace {

std::size_t copiedSize(std::size_t tokens, std::size_t bytes) {
    return roundUp(sizeof(StoredRecord) + tokens * sizeof(Token) + bytes);
}

RecordPtr keptRecord(std::shared_ptr<const WordList> list) {
    auto* rec = new KeptRecord;
    rec->kind = WordKind::userWord;
    rec->storage = kKept;
    rec->list = std::move(list);
    rec->code = rec->list.get();
    return RecordPtr(rec);
}

// One allocation: the record, its view, the tokens and their bytes.
RecordPtr copyIn(const WordSpan& code, std::size_t bytes) {
    void* at = ::operator new(copiedSize(code.size(), bytes));
    auto* tokens = reinterpret_cast<Token*>(static_cast<char*>(at) + sizeof(StoredRecord));
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
    auto* rec = new (at) StoredRecord{{}, StoredSpan(tokens, code.size())};
    rec->kind = WordKind::userWord;
    rec->storage = kStored;
    rec->code = &rec->span;
    rec->span.resolvedAt = code.resolvedAt;
    return RecordPtr(rec);
}

}  // namespace

RecordPtr userRecord(const WordSpan& code) {
    std::size_t bytes = 0;
    for (const Token& t : code) bytes += t.length;
    if (copiedSize(code.size(), bytes) > limits::kCopiedDefinitionBytes)
        return keptRecord(std::make_shared<const WordList>(code));
    return copyIn(code, bytes);
}

std::string_view NameStore::add(std::string_view name) {
    if (chunks_.empty() || chunks_.back().size - chunks_.back().used < name.size()) {
        // A name longer than a chunk gets one of its own size.
        const std::size_t size = std::max(limits::kNameChunkBytes, name.size());
        chunks_.push_back({std::make_unique<char[]>(size), size, 0});
    }
    Chunk& c = chunks_.back();
    char* at = c.bytes.get() + c.used;
    if (!name.empty()) std::memcpy(at, name.data(), name.size());
    c.used += name.size();
    return {at, name.size()};
}

void NameStore::dropFrom(const char* name) {
    const std::less<const char*> before;
    while (!chunks_.empty()) {
        Chunk& c = chunks_.back();
        if (!before(name, c.bytes.get()) && !before(c.bytes.get() + c.used, name)) {
            c.used = static_cast<std::size_t>(name - c.bytes.get());
            return;
        }
        chunks_.pop_back();
    }
}

RecordPtr userRecord(std::shared_ptr<const WordList> list) {
    if (!list) list = std::make_shared<const WordList>();
    if (copiedSize(list->size(), list->bytes()) > limits::kCopiedDefinitionBytes) return keptRecord(std::move(list));
    return copyIn(*list, list->bytes());
}

}  // namespace forth
