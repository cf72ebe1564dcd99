// Interpreter state, tables and the per-word dispatch of runWords.
#include "interp.h"

#include <pthread.h>
#include <sys/resource.h>

#include <algorithm>
#include <atomic>
#include <iostream>
#include <limits>

#include "corewords.h"
#include "fd_input.h"
#include "inline_words.h"

namespace forth {

namespace {

// Generations are unique across every interpreter in the process, so a word
// list cached by one interpreter is never mistaken as resolved by another.
std::atomic<std::uint64_t> gNextGeneration{1};

// The lowest address the calling thread's stack may grow down to, or 0
// when the system cannot say.
std::uintptr_t stackLimitAddress() {
    pthread_attr_t attr;
    if (pthread_getattr_np(pthread_self(), &attr) != 0) return 0;
    void* low = nullptr;
    std::size_t size = 0;
    const int got = pthread_attr_getstack(&attr, &low, &size);
    pthread_attr_destroy(&attr);
    return got == 0 ? reinterpret_cast<std::uintptr_t>(low) : 0;
}

// The lowest frame address a run may have: kMaxNativeStackBytes below
// `top`, but never within kNativeStackReserveBytes of the stack's end; where
// the end is unknown, half the stack size limit below `top`.
std::uintptr_t stackFloorBelow(std::uintptr_t top) {
    std::size_t budget = limits::kMaxNativeStackBytes;
    if (const std::uintptr_t end = stackLimitAddress(); end != 0 && end < top) {
        const std::size_t room = top - end;
        budget = std::min(budget, room > limits::kNativeStackReserveBytes ? room - limits::kNativeStackReserveBytes : 0);
    } else {
        rlimit rl{};
        if (getrlimit(RLIMIT_STACK, &rl) == 0 && rl.rlim_cur != RLIM_INFINITY)
            budget = std::min<std::size_t>(budget, rl.rlim_cur / 2);
    }
    return top - budget;
}

[[noreturn]] void keyNotFound(std::string_view name) {
    throw ScriptError("key not found: " + std::string(name));
}

}  // namespace

Interp::Interp()
    : output_(std::make_unique<OutputSink>(streamSink(std::cout))),
      err_(&std::cerr),
      generation_(gNextGeneration++),
      watchedGeneration_(generation_),
      stackFloor_(stackFloorBelow(reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0)))),
      // Not std::cin: its reads block in stdio, where Control+C or Escape
      // cannot reach them and a read error looks like the end of input.
      standardInput_(std::make_unique<FdInput>(0, false, [this] { pollNow(); })) {
    in_ = standardInput_.get();
    bindings_ = generation_;
}

Interp::~Interp() = default;

void Interp::bumpGeneration() {
    generation_ = gNextGeneration++;
    bindings_ = generation_;
    watch();
}

void Interp::rebind() { bindings_ = gNextGeneration++; }

void Interp::throwTooDeep() const {
    throw ScriptError("nesting too deep (runaway recursion?)");
}

void Interp::refuseNesting() const {
    // The outermost run is always let in: only nesting can be refused.
    if (nesting_ > 0) throwTooDeep();
}

void Interp::throwStackFull() const {
    throw ScriptError("stack overflow: more than " + std::to_string(maxStackDepth_) +
                      " values on the stack");
}

void Interp::setStackLimit() {
    stackLimit_ = stackStore_.get() + std::min(stackCapacity_, maxStackDepth_);
}

void Interp::setMaxStackDepth(std::size_t values) {
    maxStackDepth_ = values;
    setStackLimit();
}

void Interp::growStack() {
    const std::size_t used = depth();
    if (used >= maxStackDepth_) throwStackFull();
    // Doubling keeps pushes amortised constant; the first buffer holds what
    // an ordinary script ever has on the stack.
    constexpr std::size_t kFirstCapacity = 256;
    const std::size_t capacity =
        std::min(std::max(stackCapacity_ * 2, kFirstCapacity), maxStackDepth_);
    auto store = std::make_unique_for_overwrite<Value[]>(capacity);
    std::copy(stackStore_.get(), stackTop_, store.get());
    stackStore_ = std::move(store);
    stackCapacity_ = capacity;
    stackTop_ = stackStore_.get() + used;
    setStackLimit();
}

// ---------------------------------------------------------------- tables

// The slot that holds `name`, or the free slot where it would go.
std::size_t Interp::slotOf(std::string_view name) const {
    const std::size_t mask = dictIndex_.size() - 1;
    for (std::size_t at = std::hash<std::string_view>{}(name) & mask;; at = (at + 1) & mask) {
        const std::uint32_t held = dictIndex_[at];
        if (held == 0 || dictOrder_[held - 1].name() == name) return at;
    }
}

void Interp::indexEntry(std::uint32_t index) {
    if (dictOrder_.size() * 2 > dictIndex_.size()) {
        rebuildIndex();
        return;
    }
    dictIndex_[slotOf(dictOrder_[index].name())] = index + 1;
}

void Interp::rebuildIndex() {
    std::size_t slots = limits::kMinDictionarySlots;
    while (slots < dictOrder_.size() * 2) slots *= 2;
    dictIndex_.assign(slots, 0);
    for (std::uint32_t i = 0; i < dictOrder_.size(); ++i) dictIndex_[slotOf(dictOrder_[i].name())] = i + 1;
}

void Interp::unindexLast() {
    // Backward-shift deletion: the entries after the freed slot that would
    // no longer be found from their home slot move into it, so the index
    // needs no markers for removed words and costs the removed words only.
    const std::size_t mask = dictIndex_.size() - 1;
    std::size_t hole = slotOf(dictOrder_.back().name());
    dictIndex_[hole] = 0;
    for (std::size_t at = (hole + 1) & mask; dictIndex_[at] != 0; at = (at + 1) & mask) {
        const std::size_t home = std::hash<std::string_view>{}(dictOrder_[dictIndex_[at] - 1].name()) & mask;
        if (((at - home) & mask) >= ((at - hole) & mask)) {
            dictIndex_[hole] = dictIndex_[at];
            dictIndex_[at] = 0;
            hole = at;
        }
    }
}

DictEntry* Interp::findEntry(std::string_view name) const {
    if (dictIndex_.empty()) return nullptr;
    const std::uint32_t held = dictIndex_[slotOf(name)];
    // Entries are never handed out as const: the dictionary is the
    // interpreter's own.
    return held == 0 ? nullptr : const_cast<DictEntry*>(&dictOrder_[held - 1]);
}

void Interp::retire(RecordPtr old) {
    // A record that is running (a word redefining itself, or `;` storing a
    // word named ";") must outlive its run: the running call finishes the old
    // definition.
    if (old && running(*old)) parked_.push_back(std::move(old));
}

bool Interp::running(const WordRecord& rec) const {
    // A frame does not count its record's runs: calls cost nothing for
    // it, and a replaced record is looked for among them instead, which is
    // rare and at most as long as the nesting limit.
    if (rec.active > 0) return true;
    if (rec.kind != WordKind::userWord) return false;  // frames run user words only
    for (const Frame* f = frames_.get(); f != top_; ++f)
        if (f->record == &rec) return true;
    return false;
}

void Interp::releaseRecord(const WordRecord& rec) {
    // The parked records first: they are few, and a word that keeps
    // running after it replaced itself keeps one parked while every frame
    // it leaves asks.
    auto it = std::find_if(parked_.begin(), parked_.end(),
                           [&](const auto& p) { return p.get() == &rec; });
    if (it != parked_.end() && !running(rec)) parked_.erase(it);
}

bool Interp::storeRecord(std::string_view name, RecordPtr rec, RecordPtr& replaced) {
    if (DictEntry* e = findEntry(name)) {
        // The entry stays where it is, so cached resolutions pointing at it
        // see the new definition at once; a token whose kind the record
        // decided (run in place, a frame pushed) resolves again.
        const bool kindChanged = resolvedKindOf(*e->record) != resolvedKindOf(*rec);
        replaced = std::move(e->record);
        rebind();
        e->record = std::move(rec);
        ++e->redefinitions;
        return kindChanged;
    }
    // An entry counts its name's bytes in 32 bits.
    if (name.size() > limits::kMaxListBytes) throw ScriptError("name too long");
    const std::string_view kept = names_.add(name);
    DictEntry& entry = dictOrder_.emplace_back();
    entry.name_ = kept.data();
    entry.nameLength_ = static_cast<std::uint32_t>(kept.size());
    entry.record = std::move(rec);
    indexEntry(static_cast<std::uint32_t>(dictOrder_.size() - 1));
    return true;
}

void Interp::defineRecord(std::string_view name, RecordPtr rec) {
    RecordPtr replaced;
    if (storeRecord(name, std::move(rec), replaced)) bumpGeneration();
    retire(std::move(replaced));
}

void Interp::defineWord(std::string_view name, Primitive prim) { defineRecord(name, primRecord(std::move(prim))); }

void Interp::defineUserWord(std::string_view name, std::shared_ptr<const WordList> code) {
    defineRecord(name, userRecord(std::move(code)));
}

void Interp::defineFromCompileBuffer(std::string_view name) {
    // Copied, so the buffer stays the definition-maker's own and the next
    // definition fills it again without allocating; only a definition too
    // long for the store is shared, and the buffer copied on its next change.
    RecordPtr rec = userRecord(*compileBuffer_);
    if (rec->code == compileBuffer_.get()) compileBufferShared_ = true;
    defineRecord(name, std::move(rec));
}

void Interp::defineSigil(char ch, SigilHandler handler) {
    auto& slot = sigils_[static_cast<unsigned char>(ch)];
    if (!slot) {
        slot = std::make_unique<SigilSlot>();
        slot->ch = ch;
        sigilOrder_.push_back(ch);
    }
    // The core variable sigils get a dispatch of their own that caches the
    // variable's storage; any other handler, including a replacement of them,
    // goes through the general path.
    slot->special = Resolved::Sigil;
    if (auto fp = handler.target<void (*)(Interp&, std::string_view)>()) {
        if (*fp == &core::sigilFetch) slot->special = Resolved::VarFetch;
        if (*fp == &core::sigilStore) slot->special = Resolved::VarStore;
    }
    slot->handler = std::move(handler);
    bumpGeneration();
}

void Interp::defineAlias(std::string_view name, std::string_view target) {
    auto it = aliases_.find(name);
    if (it != aliases_.end()) {
        it->second->target.assign(target);
    } else {
        auto a = std::make_unique<AliasEntry>();
        a->name.assign(name);
        a->target.assign(target);
        aliases_.emplace(a->name, a.get());
        aliasOrder_.push_back(std::move(a));
    }
    bumpGeneration();
}

const WordRecord* Interp::findWord(std::string_view name) const {
    DictEntry* e = findEntry(name);
    return e ? e->record.get() : nullptr;
}

const WordRecord& Interp::lookupWord(std::string_view name) const {
    const WordRecord* r = findWord(name);
    if (!r) keyNotFound(name);
    return *r;
}

const std::string* Interp::findAlias(std::string_view name) const {
    auto it = aliases_.find(name);
    return it == aliases_.end() ? nullptr : &it->second->target;
}

std::vector<std::string> Interp::dictionaryNames() const {
    std::vector<std::string> names;
    names.reserve(dictOrder_.size());
    for (const auto& e : dictOrder_) names.emplace_back(e.name());
    return names;
}

std::vector<std::string> Interp::aliasNames() const {
    std::vector<std::string> names;
    names.reserve(aliasOrder_.size());
    for (const auto& a : aliasOrder_) names.push_back(a->name);
    return names;
}

std::vector<char> Interp::sigilChars() const { return sigilOrder_; }

std::vector<std::string> Interp::variableNames() const {
    std::vector<std::string> names;
    names.reserve(vars_.size());
    for (const auto& [name, value] : vars_) names.push_back(name);
    return names;
}

void Interp::setVariable(std::string_view name, Value v) { variableSlot(name) = v; }

Value Interp::variable(std::string_view name) const {
    auto it = vars_.find(name);
    if (it == vars_.end()) keyNotFound(name);
    return it->second;
}

Value& Interp::variableSlot(std::string_view name) {
    // unordered_map nodes never move and variables are never removed, so the
    // returned reference stays valid for the interpreter's life.
    auto it = vars_.find(name);
    if (it != vars_.end()) return it->second;
    return vars_.emplace(std::string(name), 0.0).first->second;
}

void Interp::setTextBuffer(std::string_view s) {
    textBuffer_.assign(s);
    textIsJoinedBuffer_ = false;
}

void Interp::setTextToCompileBuffer() {
    if (textIsJoinedBuffer_) return;
    textBuffer_ = joinWords(*compileBuffer_);
    textIsJoinedBuffer_ = true;
}

void Interp::setTerminator(std::string_view t) {
    if (terminator_.empty() && !t.empty()) ++collectingStarts_;
    terminator_.assign(t);
    watch();
}

// ---------------------------------------------------------------- running

Resolved Interp::resolvedKindOf(const WordRecord& rec) {
    if (rec.kind == WordKind::userWord) return Resolved::Call;
    return rec.direct == &core::openBlock || rec.direct == &core::openBrace ? Resolved::Opener
                                                                            : core::inlineKindOf(rec.direct);
}

// Fills the token's cache for the current generation; false, with the
// kind None, when the word has no meaning now.
bool Interp::tryResolve(const WordSpan& list, const Token& t) {
    const std::string_view text = list.text(t);
    if (text == "\\") {
        t.kind = Resolved::Comment;
    } else if (auto a = aliases_.find(text); a != aliases_.end()) {
        // Only the dictionary is consulted for the target: an alias of an
        // alias fails.
        DictEntry* e = findEntry(a->second->target);
        if (!e) {
            t.kind = Resolved::None;
            return false;
        }
        // (An alias of [ or { runs as the word: only the word itself opens
        // a block the loop collects.)
        const Resolved kind = resolvedKindOf(*e->record);
        t.kind = kind == Resolved::Opener ? Resolved::Word : kind;
        t.cache.entry = e;
    } else if (DictEntry* e = findEntry(text)) {
        t.kind = resolvedKindOf(*e->record);
        t.cache.entry = e;
    } else if (SigilSlot* s = text.empty() ? nullptr : sigils_[static_cast<unsigned char>(text[0])].get()) {
        t.kind = s->special;
        if (t.kind == Resolved::Sigil) {
            t.cache.sigil = s;
        } else {
            auto v = vars_.find(text.substr(1));
            t.cache.var = v == vars_.end() ? nullptr : &v->second;
        }
    } else {
        Value v;
        if (!tryParseNumber(text, v)) {
            t.kind = Resolved::None;
            return false;
        }
        t.cache.number = v;
        t.kind = Resolved::Number;
    }
    return true;
}

void Interp::resolveFrom(const WordSpan& list, const Token* from) {
    for (const Token* t = from; t != list.end(); ++t) tryResolve(list, *t);
    pairLiterals(from, list.end());
}

void Interp::pairLiterals(const Token* from, const Token* end) {
    // (An empty list's tokens may be a null range.)
    if (from == end) return;
    for (const Token* t = from; t + 1 != end; ++t) {
        if (t->kind != Resolved::Number) continue;
        switch (t[1].kind) {
#define FORTH_PAIR_CASE(op, function) \
    case Resolved::op:                  \
        t->kind = Resolved::Literal##op; \
        break;
            FORTH_TWO_VALUE_WORDS(FORTH_PAIR_CASE)
#undef FORTH_PAIR_CASE
            default:
                break;
        }
    }
}

void Interp::throwUnresolved(const WordSpan& list, const Token& t) {
    const std::string_view text = list.text(t);
    if (const std::string* target = findAlias(text)) keyNotFound(*target);
    parseNumber(text);  // throws "invalid float: "
    throw ScriptError("invalid float: " + std::string(text));
}

void Interp::runWord(const WordRecord& rec) {
    ++rec.active;
    struct Release {
        Interp& in;
        const WordRecord& rec;
        ~Release() {
            if (--rec.active == 0 && !in.parked_.empty()) in.releaseRecord(rec);
        }
    } release{*this, rec};
    if (rec.kind == WordKind::userWord)
        runWords(*rec.code);
    else
        primitive(rec)(*this);
}

inline void Interp::runEntry(DictEntry& e) {
    if (const auto direct = e.direct())
        direct(*this);
    else
        runWord(*e.record);
}

WordList& Interp::ownCompileBuffer() {
    if (compileBufferShared_) {
        // Copy on write: a block or definition made from the buffer stays
        // as it was.
        compileBuffer_ = std::make_shared<WordList>(*compileBuffer_);
        compileBufferShared_ = false;
    }
    return *compileBuffer_;
}

void Interp::clearCompileBuffer() {
    textIsJoinedBuffer_ = false;
    if (!compileBufferShared_ && compileBuffer_->capacity() <= limits::kKeptCompileTokens) {
        compileBuffer_->clear();
        return;
    }
    // A fresh buffer, with room for as many words as the last one held (up
    // to a bound): blocks rebuilt on every call then allocate once.
    auto fresh = std::make_shared<WordList>();
    fresh->reserveMore(std::min(compileBuffer_->size(), limits::kKeptCompileTokens), 0);
    compileBuffer_ = std::move(fresh);
    compileBufferShared_ = false;
}

std::shared_ptr<const WordList> Interp::shareCompileBuffer() {
    compileBufferShared_ = true;
    return compileBuffer_;
}

void Interp::collect(const WordSpan& list, const Token& t) {
    // Collected words count towards the poll too: a block whose run starts
    // collecting the rest of itself again grows on every pass, and a few
    // passes over millions of words would otherwise keep the hook (and a
    // user's Escape or Control+C) away for minutes.
    tick();
    if (list.text(t) != terminator_) {
        // The token keeps its resolution, made for the current generation,
        // so every block built from it (a block inside a definition is
        // rebuilt on each call) starts warm.
        WordList& buffer = compileBufferShared_ ? ownCompileBuffer() : *compileBuffer_;
        textIsJoinedBuffer_ = false;
        if (buffer.empty())
            buffer.resolvedAt = generation_;
        else if (buffer.resolvedAt != generation_)
            buffer.resolvedAt = 0;
        buffer.append(list, t);
        return;
    }
    // The closing word is an ordinary dictionary word; it runs while the
    // reader is still collecting.
    DictEntry* e = findEntry(terminator_);
    if (!e) keyNotFound(terminator_);
    runEntry(*e);
    terminator_.clear();
    watch();
}

DictEntry* Interp::closerEntry(int which) {
    // Entries stay where they are until restore(), which takes a new
    // generation.
    if (closersAt_ != generation_) {
        closers_[0] = findEntry("]");
        closers_[1] = findEntry("}");
        closersAt_ = generation_;
    }
    return closers_[which];
}

const CollectedBlock* Interp::checkOpener(const WordSpan& list, const Token* t) {
    const CollectedBlock* made = t->kind == Resolved::Block ? t->cache.block : nullptr;
    DictEntry& opener = made ? *made->openerEntry : *t->cache.entry;
    // The word may have been redefined since it was resolved.
    const auto direct = opener.direct();
    const int which = direct == &core::openBlock ? 0 : direct == &core::openBrace ? 1 : -1;
    DictEntry* closer = which < 0 ? nullptr : closerEntry(which);
    if (!closer || closer->direct() != (which == 0 ? &core::closeBlock : &core::closeBrace)) {
        runEntry(opener);
        return nullptr;
    }
    const auto at = static_cast<std::uint32_t>(t - list.begin());
    if (!made) {
        made = list.blocks.find(at);
        if (!made) made = collectBlock(list, at, opener, which == 1);
        if (!made) {
            runEntry(opener);
            return nullptr;
        }
        // Found without searching from now on (until the list resolves again).
        t->kind = Resolved::Block;
        t->cache.block = made;
    }
    if (made->brace != (which == 1)) {  // "[" made to open a "}" block
        runEntry(opener);
        return nullptr;
    }
    // A control word right after the block ([ ... ] iftrue) runs it as the
    // last block, but from the list's own collected block: this list is
    // running, so it and its blocks stay alive, and the reference the word
    // would take is not needed. Nothing ran since this token was resolved
    // for the current generation.
    // The same with a literal between them ([ ... ] 5 times), the most
    // common loop: the literal is pushed as it would be.
    const Token* next = list.begin() + made->next;
    const Token* const end = list.end();
    core::BodyUse use = core::BodyUse::None;
    std::uint8_t follower = 0;
    if (next != end && next->kind == Resolved::Word) {
        use = core::bodyUseOf(next->cache.entry->direct());
        follower = 1;
    } else if (!stepping_ && next != end && next->kind == Resolved::Number && next + 1 != end &&
               next[1].kind == Resolved::Word) {
        // (A run shown word by word still marks the count and the loop word.)
        use = core::bodyUseOf(next[1].cache.entry->direct());
        follower = 2;
    }
    made->use = static_cast<std::uint8_t>(use);
    made->follower = use == core::BodyUse::None ? 0 : follower;
    // Until a word is replaced, a name or a sigil is stored, or stepping
    // changes, every test above comes out the same.
    made->checkedAt = bindings_;
    return made;
}

const CollectedBlock* Interp::collectBlock(const WordSpan& list, std::uint32_t at, DictEntry& opener, bool brace) {
    // What collecting would take: the words up to the closing word, in this
    // list; a block that goes on past it (or past a "\") is collected the
    // ordinary way.
    const std::string_view close = brace ? "}" : "]";
    std::size_t end = at + 1, bytes = 0;
    for (; end < list.size(); ++end) {
        const std::string_view w = list.text(end);
        if (w == close || w == "\\") break;
        bytes += w.size();
    }
    if (end == list.size() || list.text(end) != close) return nullptr;
    auto block = std::make_shared<WordList>();
    block->reserveMore(end - at - 1, bytes);
    for (std::size_t k = at + 1; k < end; ++k) block->append(list, list[k]);
    pairLiterals(block->begin(), block->end());
    // The words from the opener on are resolved for this generation
    // (runWords resolves the rest again whenever it changes).
    block->resolvedAt = generation_;
    return &list.blocks.add({at, static_cast<std::uint32_t>(end + 1), &opener, brace, std::move(block)});
}

void Interp::poll() {
    pollCountdown_ = limits::kPollInterval;
    pollNow();
}

void Interp::growFrames() {
    // Room for more frames than there are levels now: every frame counts a
    // level, so while the levels stay below the room (frameLimit_) a frame
    // always fits.
    const std::size_t used = static_cast<std::size_t>(top_ - frames_.get());
    const std::size_t room = std::max({std::size_t{64}, 2 * frameCapacity_, static_cast<std::size_t>(nesting_) + 1});
    auto more = std::make_unique<Frame[]>(room);
    std::copy(frames_.get(), top_, more.get());
    frames_ = std::move(more);
    top_ = frames_.get() + used;
    frameCapacity_ = room;
    setFrameLimit();
}

void Interp::setFrameLimit() {
    frameLimit_ = static_cast<int>(std::min<std::size_t>(static_cast<std::size_t>(std::max(maxNesting_, 0)), frameCapacity_));
}

void Interp::setMaxNesting(int levels) {
    maxNesting_ = levels;
    setFrameLimit();
}

void Interp::leaveFrame() {
    const WordRecord* rec = (--top_)->record;
    --nesting_;
    if (!parked_.empty() && rec) [[unlikely]]
        releaseRecord(*rec);
}

// The data stack as the dispatch loop holds it: its top in a local that the
// compiler keeps in a register, so a word run in place neither reads nor
// writes the interpreter's copy. That copy (stackTop_) is what everything
// else sees; the loop writes its top back (save) before anything else can
// look at the stack, and takes it again (load) after: a word called out, a
// hook, a poll, an error thrown, the loop's end.
struct Interp::LoopStack {
    Interp& in;
    Value* sp;

    [[gnu::always_inline]] void save() { in.stackTop_ = sp; }
    [[gnu::always_inline]] void load() { sp = in.stackTop_; }

    // What the bodies of inline_words.h use, as on Interp.
    [[gnu::always_inline]] std::size_t depth() const {
        return static_cast<std::size_t>(sp - in.stackStore_.get());
    }
    [[gnu::always_inline]] void push(Value v) {
        if (sp >= in.stackLimit_) [[unlikely]] {
            save();
            in.growStack();
            load();
        }
        *sp++ = v;
    }
    [[gnu::always_inline]] Value pop() {
        if (sp == in.stackStore_.get()) [[unlikely]] {
            save();
            throw StackUnderflow();
        }
        return *--sp;
    }
    [[gnu::always_inline]] void require(std::size_t n) {
        if (depth() < n) [[unlikely]] {
            save();
            throw StackUnderflow();
        }
    }
    [[gnu::always_inline]] Value& top(std::size_t below = 0) { return sp[-1 - static_cast<std::ptrdiff_t>(below)]; }
    [[gnu::always_inline]] void removeTop() { --sp; }
    [[gnu::always_inline]] void clearStack() {
        sp = in.stackStore_.get();
        save();
    }

    // Interp::tick, with the stack written back for the poll hook, which
    // may show it or stop the run. Its own countdown, not a call of
    // Interp::tick behind a test: GCC then kept the loop's values in memory
    // (3 to 7 % more instructions in every loop).
    [[gnu::always_inline]] void tick() {
        if (--in.pollCountdown_ == 0) [[unlikely]] {
            save();
            in.poll();
            load();
        }
    }
    [[gnu::always_inline]] void tick(std::uint32_t n) {
        if (n < in.pollCountdown_) [[likely]] {
            in.pollCountdown_ -= n;
            return;
        }
        save();
        in.tick(n);
        load();
    }
};

[[gnu::always_inline]] inline void Interp::pushFrame(LoopStack& stack, const WordSpan* list, const Token* next,
                                                     const Token* end, std::uint64_t runGeneration,
                                                     const WordRecord* rec, std::int64_t passes) {
    // One compare for both limits: the nesting limit, and the room for
    // frames, which is never below the levels reached.
    if (nesting_ >= frameLimit_) [[unlikely]] {
        stack.save();
        if (nesting_ >= maxNesting_) throwTooDeep();
        growFrames();
    }
    Frame& f = *top_++;
    f.list = list;
    f.next = next;
    f.end = end;
    f.runGeneration = runGeneration;
    f.record = rec;
    // A frame of one run stores only a last pass that no pass is below.
    if (passes > 1) {
        f.pass = 1;
        f.lastPass = passes;
    } else {
        f.lastPass = std::numeric_limits<std::int64_t>::min();
    }
    ++nesting_;
    stack.tick();
}

void Interp::runWords(const WordSpan& list) { runLists(list, nullptr, 0.0); }

void Interp::runRepeat(const WordSpan& cond, const WordSpan& body, Value sense) { runLists(cond, &body, sense); }

void Interp::runLists(const WordSpan& first, const WordSpan* second, Value sense) {
    // The stack grows downward: every level compares its frame with the
    // floor. Under a small stack limit a few levels that each hold a file
    // (an include) already reach the end.
    const auto native = reinterpret_cast<std::uintptr_t>(__builtin_frame_address(0));
    if (native < stackFloor_ || nesting_ >= maxNesting_) [[unlikely]]
        refuseNesting();
    ++nesting_;
    // The frames this loop pushed are left however it ends: an error
    // leaves every level's run count and nesting as a return would.
    const std::size_t base = static_cast<std::size_t>(top_ - frames_.get());
    struct Unwind {
        Interp& in;
        std::size_t base;
        ~Unwind() {
            while (static_cast<std::size_t>(in.top_ - in.frames_.get()) > base) in.leaveFrame();
            --in.nesting_;
        }
    } unwind{*this, base};
    // While it equals nesting_, this loop has no frame of its own running:
    // each frame counts one level.
    const int ownNesting = nesting_;
    // Every loop pass, user word and line goes through here or a frame, so
    // counting list runs (not single words) is enough to reach the hook
    // regularly and keeps the per-word path free of it.
    tick();
    LoopStack stack{*this, stackTop_};
    bool inBody = false;  // repeat: running the body, not the condition

    const WordSpan* list = &first;
    const Token* t;
    const Token* end;
    std::uint64_t runGeneration;
    const CollectedBlock* made;  // the block an opener runs
    // One handler a kind, indexed by the kind (the order of Resolved).
    // The handlers of the common kinds go on to the next word's handler
    // themselves: one indirect jump a word, each predicted from the
    // handler it leaves, rather than one shared jump or a chain of
    // compares.
#define FORTH_HANDLER_LABEL(kind, function) &&run##kind,
#define FORTH_LITERAL_LABEL(kind, function) &&runLiteral##kind,
#define FORTH_CHECKS_LABEL(kind, function) &&checks,
    static void* const kHandlers[] = {
        &&runNone,  &&runOpener,   &&runBlock,    &&runComment, &&runDictionaryWord,
        &&runSigil, &&runVarFetch, &&runVarStore, &&runNumber,  &&runCall, FORTH_INLINE_WORDS(FORTH_HANDLER_LABEL)
            FORTH_TWO_VALUE_WORDS(FORTH_LITERAL_LABEL)};
    static_assert(std::size(kHandlers) == kResolvedKinds);
    // The same, while the word after a handler must take the checks at
    // the loop's top first: every entry leads there.
    static void* const kChecking[] = {
        &&checks, &&checks, &&checks, &&checks, &&checks,
        &&checks, &&checks, &&checks, &&checks, &&checks, FORTH_INLINE_WORDS(FORTH_CHECKS_LABEL)
            FORTH_TWO_VALUE_WORDS(FORTH_CHECKS_LABEL)};
    static_assert(std::size(kChecking) == kResolvedKinds);
#undef FORTH_CHECKS_LABEL
#undef FORTH_LITERAL_LABEL
#undef FORTH_HANDLER_LABEL
    // kHandlers while the watched generation is the run's, else kChecking:
    // set at the loop's top, which a change of either always passes
    // through before a word that does not call out runs (see `plainNext`).
    void* const* handlers = kHandlers;
enter:
    // Every token is resolved for the current generation before the run
    // starts; when the generation changes during the run (a word defined,
    // an alias or sigil stored) the tokens still to come are resolved again.
    // (The tokens before stay stale, and resolvedAt keeps the old
    // generation, so the next run resolves them all.)
    if (list->resolvedAt != generation_) [[unlikely]] {
        resolveFrom(*list, list->begin());
        list->resolvedAt = generation_;
    }
    runGeneration = generation_;
    t = list->begin();
    end = t + list->size();
    for (;;) {
    checks:
        if (t == end) [[unlikely]] {
        listEnd:
            if (nesting_ == ownNesting) {
                if (!second) {
                    stack.save();
                    return;
                }
                // repeat: the condition, the body, and the flag, each list
                // a run of its own.
                if (inBody) {
                    if (stack.pop() == sense) {
                        stack.save();
                        return;
                    }
                    list = &first;
                } else {
                    list = second;
                }
                inBody = !inBody;
                stack.tick();
                goto enter;
            }
            Frame& done = top_[-1];
            if (done.pass < done.lastPass) {
                // The next pass of times, as a run of its own (the frame's
                // push found the pass counter).
                *passCounter_ = static_cast<Value>(++done.pass);
                stack.tick();
                if (list->resolvedAt != generation_) [[unlikely]]
                    goto enter;
                runGeneration = generation_;
                t = end - list->size();
                continue;
            }
            list = done.list;
            t = done.next;
            end = done.end;
            runGeneration = done.runGeneration;
            leaveFrame();
            continue;
        }
        if (watchedGeneration_ != runGeneration) [[unlikely]] {
            if (generation_ != runGeneration) {
                resolveFrom(*list, t);
                runGeneration = generation_;
            }
            if (stepping_) {
                stack.save();
                onStep_(*this, *list, *t);
                stack.load();
                // The hook may have defined words.
                if (generation_ != runGeneration) {
                    resolveFrom(*list, t);
                    runGeneration = generation_;
                }
            }
            if (!terminator_.empty()) {
                if (t->kind == Resolved::Comment) {
                    t = end;
                    continue;
                }
                stack.save();
                collect(*list, *t);
                stack.load();
                ++t;
                continue;
            }
        }
        handlers = watchedGeneration_ == runGeneration ? kHandlers : kChecking;
    dispatch:
        goto* kHandlers[static_cast<std::uint8_t>(t->kind)];

    // The core words that run in place (inline_words.h).
#define FORTH_INLINE_HANDLER(kind, function) \
    run##kind:                               \
        core::function##On(stack);           \
        goto plainNext;
    FORTH_INLINE_WORDS(FORTH_INLINE_HANDLER)
#undef FORTH_INLINE_HANDLER

    runNumber:
        stack.push(t->cache.number);
        goto plainNext;

    // A literal and the word after it as one. Run as two words while the
    // next word must take the checks (a step shown, say) or where the push
    // would grow the stack or fail.
#define FORTH_LITERAL_HANDLER(kind, function)                                  \
    runLiteral##kind:                                                          \
        if (handlers != kHandlers || stack.sp >= stackLimit_) [[unlikely]]     \
            goto runNumber;                                                    \
        core::literalThen(stack, t->cache.number, core::function##Op);        \
        ++t;                                                                   \
        goto plainNext;
    FORTH_TWO_VALUE_WORDS(FORTH_LITERAL_HANDLER)
#undef FORTH_LITERAL_HANDLER

    runDictionaryWord: {
        const WordRecord& rec = *t->cache.entry->record;
        stack.save();
        if (rec.direct)
            rec.direct(*this);
        else
            runWord(rec);
        stack.load();
        goto next;
    }

    runCall: {
        // A user word runs in a frame of this loop; its record is parked
        // if replaced before the frame ends.
        const WordRecord& rec = *t->cache.entry->record;
        pushFrame(stack, list, t + 1, end, runGeneration, &rec, 1);
        list = rec.code;
        goto enter;
    }

    runNone:
        // No meaning when the run began; what it lacks is reported.
        if (!tryResolve(*list, *t)) {
            stack.save();
            throwUnresolved(*list, *t);
        }
        goto dispatch;

    runOpener:
        stack.save();
        made = checkOpener(*list, t);
        stack.load();
        if (!made) goto next;
        goto blockChecked;

    runBlock:
        made = t->cache.block;
        if (made->checkedAt != bindings_) [[unlikely]]
            goto runOpener;
    blockChecked: {
        // What the opener, the collected words and the closer would do:
        // the same steps, the same ticks, the same registers afterwards.
        // (Not collecting here, so this collecting begins a new construct;
        // the terminator is empty before and after.)
        textIsJoinedBuffer_ = false;
        ++collectingStarts_;
        const std::uint32_t span = made->next - made->opener;
        stack.tick(span - 1);
        // A word that runs again (a loop, a recursion) finds its block
        // already in place: no reference count to touch.
        if (compileBuffer_ != made->block) compileBuffer_ = made->block;
        compileBufferShared_ = true;
        if (lastBlock_ != made->block) lastBlock_ = made->block;
        const Token* after = t + span;
        if (made->follower == 0) {
            t = after;
            continue;
        }
        // The control word's own work, with its run of the block as a
        // frame of this loop.
        const Token* resume = after + made->follower;
        Value top;
        if (made->follower == 2) {
            // The literal the word takes at once: pushing it could only
            // fail, on a full stack, as the push would.
            if (stack.sp >= stackLimit_) [[unlikely]] {
                stack.save();
                growStack();
                stack.load();
            }
            top = after->cache.number;
        } else {
            top = stack.pop();
        }
        std::int64_t passes = 0;
        const auto use = static_cast<core::BodyUse>(made->use);
        if (use == core::BodyUse::IfTrue) {
            if (top == 0.0) {
                t = resume;
                continue;
            }
        } else if (use == core::BodyUse::IfFalse) {
            if (top != 0.0) {
                t = resume;
                continue;
            }
        } else {  // Times: a follower is one of the three
            passes = truncateToInt64(top);
            if (passes < 1) {
                t = resume;
                continue;
            }
            if (!passCounter_) stack.save();  // "i" made now, which allocates
            passCounter() = 1.0;
        }
        pushFrame(stack, list, resume, end, runGeneration, nullptr, passes > 0 ? passes : 1);
        list = made->block.get();
        goto enter;
    }

    runVarFetch: {
        Value* p = t->cache.var;
        if (!p) {
            const std::string_view name = list->text(*t).substr(1);
            auto it = vars_.find(name);
            if (it == vars_.end()) {
                stack.save();
                keyNotFound(name);
            }
            p = t->cache.var = &it->second;
        }
        stack.push(*p);
        goto plainNext;
    }

    runVarStore: {
        Value v = stack.pop();
        Value* p = t->cache.var;
        if (!p) {
            // A new variable: its name is allocated, which may throw.
            stack.save();
            p = t->cache.var = &variableSlot(list->text(*t).substr(1));
        }
        *p = v;
        goto plainNext;
    }

    runSigil:
        stack.save();
        t->cache.sigil->handler(*this, list->text(*t).substr(1));
        stack.load();
        goto next;

    runComment:
        t = end;
        continue;

    next:
        // After a word that called out: the next word's handler at once,
        // unless the list ends or the generation, stepping or collecting
        // needs the checks above.
        if (++t == end) goto listEnd;
        if (watchedGeneration_ == runGeneration) [[likely]]
            goto* kHandlers[static_cast<std::uint8_t>(t->kind)];
        continue;
    plainNext:
        // After a word that calls nothing out, and so changes neither the
        // generation nor stepping nor collecting: the list's end is the
        // one check left (`handlers` holds the rest).
        if (++t != end) [[likely]]
            goto* handlers[static_cast<std::uint8_t>(t->kind)];
        goto listEnd;
    }
}

void Interp::runLine(std::string_view text) {
    WordList piece;
    std::uint64_t reservedFor = 0;  // the construct the compile buffer was sized for
    for (std::size_t at = 0;;) {
        piece.clear();
        at = splitWordsInto(piece, text, at, limits::kLineChunkWords, true);
        if (piece.empty()) return;
        // A line of built-in words runs no nested list; its own words count
        // towards the poll, so the stop key is seen within one piece.
        tick(static_cast<std::uint32_t>(piece.size()));
        runWords(piece);
        if (piece.text(piece.size() - 1) == "\\") return;
        // A construct still collecting continues into the rest of the line:
        // the buffer gets room for all of it at once, rather than doubling
        // (and holding up to twice what it needs).
        if (collecting() && reservedFor != collectingStarts_) {
            reservedFor = collectingStarts_;
            const auto [words, bytes] = countWordsUntil(text.substr(at), terminator_);
            ownCompileBuffer().reserveMore(words, bytes);
        }
    }
}

Interp::Snapshot Interp::snapshot() const {
    Snapshot s{{stack().begin(), stack().end()}, textBuffer_, lastBlock_, loopCond_, vars_, {}, {}, {}};
    s.records.reserve(dictOrder_.size());
    for (const auto& e : dictOrder_) {
        const WordRecord& r = *e.record;
        if (r.kind == WordKind::primWord)
            s.records.push_back({primitive(r), nullptr});
        else
            s.records.push_back({nullptr, std::make_shared<const WordList>(*r.code)});
        s.redefinitions.push_back(e.redefinitions);
    }
    for (const auto& a : aliasOrder_) s.aliasTargets.push_back(a->target);
    return s;
}

void Interp::restore(const Snapshot& s) {
    for (std::size_t i = 0; i < s.records.size() && i < dictOrder_.size(); ++i) {
        DictEntry& e = dictOrder_[i];
        if (e.redefinitions == s.redefinitions[i]) continue;
        const Snapshot::Word& w = s.records[i];
        e.record = w.code ? userRecord(w.code) : primRecord(w.prim);
        e.redefinitions = s.redefinitions[i];
    }
    while (dictOrder_.size() > s.records.size()) {
        unindexLast();
        names_.dropFrom(dictOrder_.back().name_);
        dictOrder_.pop_back();
    }
    for (std::size_t i = 0; i < s.aliasTargets.size() && i < aliasOrder_.size(); ++i)
        aliasOrder_[i]->target = s.aliasTargets[i];
    while (aliasOrder_.size() > s.aliasTargets.size()) {
        aliases_.erase(aliasOrder_.back()->name);
        aliasOrder_.pop_back();
    }
    clearStack();
    for (Value v : s.stack) push(v);
    textBuffer_ = s.textBuffer;
    textIsJoinedBuffer_ = false;
    terminator_.clear();
    compileBuffer_ = std::make_shared<WordList>();
    compileBufferShared_ = false;
    lastBlock_ = s.lastBlock;
    loopCond_ = s.loopCondition;
    // Cached variable slots point into the old table: the new generation
    // makes every list resolve again.
    vars_ = s.variables;
    passCounter_ = nullptr;
    position_ = {};
    opening_ = {};
    pollCountdown_ = limits::kPollInterval;
    bumpGeneration();
}

std::unique_ptr<Interp> makeCoreInterp() {
    auto in = std::make_unique<Interp>();
    registerCoreWords(*in);
    return in;
}

}  // namespace forth
