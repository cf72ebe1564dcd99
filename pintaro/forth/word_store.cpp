// Records, and a definition's words copied in behind its record.
#include "word_store.h"

#include <algorithm>
#include <cstring>
#include <functional>
#include <mutex>
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
};

// The view of words copied in right behind the record.
struct StoredSpan : WordSpan {
    explicit StoredSpan(std::size_t size) : WordSpan(size) {}
};

struct StoredRecord : WordRecord {
    StoredSpan span;
};
// The view is the record's last bytes, so its tokens start right after
// the record.
static_assert(sizeof(StoredRecord) == sizeof(WordRecord) + sizeof(StoredSpan));

struct KeptRecord : WordRecord {
    std::shared_ptr<const WordList> list;
};

constexpr std::size_t kAlign = alignof(StoredRecord);
static_assert(alignof(Token) <= kAlign);

constexpr std::size_t roundUp(std::size_t n) { return (n + kAlign - 1) & ~(kAlign - 1); }

static_assert(limits::kPooledRecordBytes % kAlign == 0 && limits::kPooledRecordBytes <= UINT16_MAX);
static_assert(limits::kRecordChunkBytes >= limits::kPooledRecordBytes);

// Blocks for small records, each of its exact size, carved out of chunks;
// a freed block waits on a list for the next record of its size, so that
// redefining words over and over reuses them. Chunks are never handed back,
// as malloc keeps its arenas.
class RecordPool {
public:
    void* take(std::size_t size) {
        const std::lock_guard<std::mutex> hold(lock_);
        void*& head = free_[size / kAlign];
        if (head) {
            void* block = head;
            head = *static_cast<void**>(block);
            return block;
        }
        if (left_ < size) {
            // The rest of the old chunk, smaller than this block, is not used.
            // Not zeroed: a page costs memory only once a block is put on it.
            chunks_.emplace_back(new char[limits::kRecordChunkBytes]);
            next_ = chunks_.back().get();
            left_ = limits::kRecordChunkBytes;
        }
        void* block = next_;
        next_ += size;
        left_ -= size;
        return block;
    }

    void give(void* block, std::size_t size) {
        const std::lock_guard<std::mutex> hold(lock_);
        void*& head = free_[size / kAlign];
        *static_cast<void**>(block) = head;
        head = block;
    }

private:
    std::mutex lock_;
    void* free_[limits::kPooledRecordBytes / kAlign + 1] = {};
    std::vector<std::unique_ptr<char[]>> chunks_;
    char* next_ = nullptr;
    std::size_t left_ = 0;
};

// Under AddressSanitizer each record keeps its own allocation, so that a
// record used after it is freed is still caught.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kPoolRecords = false;
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
constexpr bool kPoolRecords = false;
#else
constexpr bool kPoolRecords = true;
#endif
#else
constexpr bool kPoolRecords = true;
#endif

// One pool for every interpreter, threads included. It is never destroyed:
// a record held by a static object may be freed after any static pool would
// be gone.
RecordPool& recordPool() {
    static RecordPool* const pool = new RecordPool;
    return *pool;
}

}  // namespace

RecordPtr primRecord(Primitive fn) {
    auto* rec = new PrimRecord;
    rec->kind = WordKind::primWord;
    rec->storage = kPrim;
    auto fp = fn.target<void (*)(Interp&)>();
    rec->direct = fp ? *fp : nullptr;
    rec->fn = std::move(fn);
    return RecordPtr(rec);
}

const Primitive& primitive(const WordRecord& rec) { return static_cast<const PrimRecord&>(rec).fn; }

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
    const std::size_t pooled = stored->pooledBytes;
    stored->~StoredRecord();
    if (pooled != 0)
        recordPool().give(stored, pooled);
    else
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
    const std::size_t size = copiedSize(code.size(), bytes);
    const bool pooled = kPoolRecords && size <= limits::kPooledRecordBytes;
    void* at = pooled ? recordPool().take(size) : ::operator new(size);
    auto* rec = new (at) StoredRecord{{}, StoredSpan(code.size())};
    auto* tokens = reinterpret_cast<Token*>(rec + 1);
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
    rec->kind = WordKind::userWord;
    rec->storage = kStored;
    rec->pooledBytes = static_cast<std::uint16_t>(pooled ? size : 0);
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
