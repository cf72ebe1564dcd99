// The Veskel Forth interpreter state: data stack, dictionary, alias, sigil and
// variable tables, registers, and the operations other parts of the program
// use to register words and run text.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <iosfwd>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "errors.h"
#include "forth_limits.h"
#include "output_sink.h"
#include "word_store.h"
#include "wordlist.h"

namespace forth {

// A sigil handler receives the rest of the word after the sigil character.
using SigilHandler = std::function<void(Interp&, std::string_view rest)>;
// Called every limits::kPollInterval runs of a word list (each loop pass, user
// word call, block and line is one) while a hook is set; it may throw (for
// example to interrupt a script).
using PollHook = std::function<void(Interp&)>;
// Called before each word of a list is run or collected while stepping is
// on (Interp::setStepping): a front end that shows a script running word by
// word. The word is `list.text(word)`; nestingDepth() tells how deep the
// list runs. It may throw, and may switch stepping off and on, but never
// reset the hook.
using StepHook = std::function<void(Interp&, const WordSpan& list, const Token& word)>;

// 24 bytes, its name kept in the interpreter's name store.
struct DictEntry {
    RecordPtr record;  // replaced on redefinition
    // The plain function the record runs, or null (user words, closures).
    void (*direct() const)(Interp&) { return directFunction(*record); }
    std::string_view name() const { return {name_, nameLength_}; }

private:
    friend class Interp;
    const char* name_ = nullptr;
    std::uint32_t nameLength_ = 0;

public:
    std::uint32_t redefinitions = 0;     // tells a snapshot the record changed
};
static_assert(sizeof(DictEntry) == 24);

struct SigilSlot {
    char ch = 0;
    SigilHandler handler;
    Resolved special = Resolved::Sigil;  // VarFetch/VarStore for the core $ and =
};

// Where the line being run comes from, for error reports.
struct SourcePosition {
    std::int64_t line = 0;
    std::string file;  // the file `included` runs; empty for a front end's own text
};

struct AliasEntry {
    std::string name;
    std::string target;
};

// Hashing that accepts std::string_view keys without building a string.
struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view s) const noexcept {
        return std::hash<std::string_view>{}(s);
    }
};
template <class V>
using NameMap = std::unordered_map<std::string, V, NameHash, std::equal_to<>>;

class Interp {
public:
    Interp();
    ~Interp();
    Interp(const Interp&) = delete;
    Interp& operator=(const Interp&) = delete;

    // ---- data stack ----
    // The stack is a plain range [base, top) of a buffer that ends at
    // `limit`: the smaller of its capacity and the depth limit, so that one
    // comparison on push covers both, and growing (or refusing with "stack
    // overflow") happens out of line. Forced inline: push sits on the hot
    // path of every literal and word.
    [[gnu::always_inline]] void push(Value v) {
        if (stackTop_ >= stackLimit_) [[unlikely]]
            growStack();
        *stackTop_++ = v;
    }
    Value pop() {
        if (stackTop_ == stackStore_.get()) [[unlikely]]
            throw StackUnderflow();
        return *--stackTop_;
    }
    std::size_t depth() const { return static_cast<std::size_t>(stackTop_ - stackStore_.get()); }
    // Throws StackUnderflow unless at least n values are on the stack.
    void require(std::size_t n) const {
        if (depth() < n) [[unlikely]]
            throw StackUnderflow();
    }
    // The value `below` places under the top (0: the top itself), to read or
    // to change in place, and the top taken off. Unchecked, so that a word
    // checks the depth once (require) for all it reads and writes.
    Value& top(std::size_t below = 0) { return stackTop_[-1 - static_cast<std::ptrdiff_t>(below)]; }
    Value top(std::size_t below = 0) const { return stackTop_[-1 - static_cast<std::ptrdiff_t>(below)]; }
    void removeTop() { --stackTop_; }
    void clearStack() { stackTop_ = stackStore_.get(); }
    // The whole stack, bottom first, to show (`.s`, the Inspector); valid
    // until the next change of the stack.
    std::span<const Value> stack() const { return {stackStore_.get(), depth()}; }
    // A push beyond `values` raises "stack overflow" (limits::kMaxStackDepth
    // by default); a host with a smaller budget (the fuzz target) lowers it.
    void setMaxStackDepth(std::size_t values);

    // ---- registration ----
    void defineWord(std::string_view name, Primitive prim);
    void defineUserWord(std::string_view name, std::shared_ptr<const WordList> code);
    // `;`: the compile buffer's words become the word's, copied in behind
    // its record (a long definition shares the buffer instead).
    void defineFromCompileBuffer(std::string_view name);
    void defineSigil(char ch, SigilHandler handler);
    void defineAlias(std::string_view name, std::string_view target);

    // ---- lookups and listings (storage order = order of first definition) ----
    const WordRecord* findWord(std::string_view name) const;  // null if absent
    const WordRecord& lookupWord(std::string_view name) const;  // "key not found: "
    const std::string* findAlias(std::string_view name) const;
    std::size_t dictionarySize() const { return dictOrder_.size(); }
    std::size_t sigilTableSize() const { return sigilOrder_.size(); }
    std::vector<std::string> dictionaryNames() const;
    std::vector<std::string> aliasNames() const;
    std::vector<char> sigilChars() const;
    // Every variable set so far, in no particular order (for completion).
    std::vector<std::string> variableNames() const;

    // ---- variables ----
    void setVariable(std::string_view name, Value v);
    Value variable(std::string_view name) const;  // "key not found: "
    // Stable storage for a variable, created if needed.
    Value& variableSlot(std::string_view name);
    // The variable "i" that `times` counts in, found without hashing.
    Value& passCounter() {
        if (!passCounter_) passCounter_ = &variableSlot("i");
        return *passCounter_;
    }

    // ---- registers ----
    const std::string& textBuffer() const { return textBuffer_; }
    void setTextBuffer(std::string_view s);
    // `)`: the text buffer becomes the compile buffer's words joined. A
    // line of `)` words after one text costs one join, not one each.
    void setTextToCompileBuffer();
    const WordList& compileBuffer() const { return *compileBuffer_; }
    void clearCompileBuffer();
    // The compile buffer as a block or definition: shared, not copied (a
    // long definition is not held twice); the buffer keeps its contents and
    // is copied only if words are added to it again.
    std::shared_ptr<const WordList> shareCompileBuffer();
    const std::string& terminator() const { return terminator_; }
    void setTerminator(std::string_view t);
    bool collecting() const { return !terminator_.empty(); }
    const std::shared_ptr<const WordList>& lastBlock() const { return lastBlock_; }
    void setLastBlock(std::shared_ptr<const WordList> b) { lastBlock_ = std::move(b); }
    const std::shared_ptr<const WordList>& loopCondition() const { return loopCond_; }
    void setLoopCondition(std::shared_ptr<const WordList> b) { loopCond_ = std::move(b); }
    std::int64_t lineCounter() const { return position_.line; }
    void setLineCounter(std::int64_t n) { position_.line = n; }
    const SourcePosition& position() const { return position_; }
    void setPosition(SourcePosition p) { position_ = std::move(p); }
    // How many times collecting has begun (a terminator set while none was),
    // and where the line runner saw the current one begin (line_runner.h).
    std::uint64_t collectingStarts() const { return collectingStarts_; }
    struct Opening {
        std::uint64_t start = 0;  // collectingStarts() when noted
        SourcePosition where;
    };
    const Opening& opening() const { return opening_; }
    // After each line: a construct still collecting that began since the
    // last note began here (its first line is where it was opened).
    void noteOpening() {
        if (collecting() && opening_.start != collectingStarts_) opening_ = {collectingStarts_, position_};
    }
    int nestingDepth() const { return nesting_; }

    // ---- running ----
    void runWords(const WordSpan& list);
    // `repeat`: runs cond, then body, then pops a flag, until it equals
    // sense; each list a run of its own, all of them in one dispatch loop.
    void runRepeat(const WordSpan& cond, const WordSpan& body, Value sense);
    void runWord(const WordRecord& rec);
    // Runs one line of text (split, then runWords), in pieces of at most
    // limits::kLineChunkWords words; the line counter is untouched.
    void runLine(std::string_view text);

    // Counts one step towards the next poll.
    void tick() {
        if (--pollCountdown_ == 0) poll();
    }
    // Counts n steps at once (the words of a line piece, a block collected
    // before), as n single ticks would: the steps beyond a poll count
    // towards the next one, so that a count of steps made from the
    // countdown and the polls is exact wherever the countdown stood.
    void tick(std::uint32_t n) {
        if (n < pollCountdown_) [[likely]] {
            pollCountdown_ -= n;
            return;
        }
        while (n >= pollCountdown_ && pollCountdown_ > 0) {
            n -= pollCountdown_;
            poll();
        }
        if (pollCountdown_ > n) pollCountdown_ -= n;
    }
    // Calls the poll hook now: a read that waits for input keeps the stop
    // key working this way.
    void pollNow() {
        if (onPoll_) onPoll_(*this);
    }
    // Steps left until the next poll (limits::kPollInterval right after
    // one). A front end counts with it how far a stopped run had come, and a
    // replay sets it to stop the same line at the same step (at least 1).
    std::uint32_t pollCountdown() const { return pollCountdown_; }
    void setPollCountdown(std::uint32_t steps) { pollCountdown_ = steps; }

    // ---- starting over ----
    // Everything a script can change in the interpreter, as it is now: the
    // stack, the registers, the variables, the word records and the aliases
    // (sigils are the program's own). restore() brings it all back: words and
    // aliases defined since are dropped, redefined ones get their records
    // back, collecting ends, and the poll countdown starts afresh. For a host
    // that runs script after script on one interpreter, each from the same
    // start (the fuzz target). Not while a run is going on.
    struct Snapshot {
        std::vector<Value> stack;
        std::string textBuffer;
        std::shared_ptr<const WordList> lastBlock, loopCondition;
        NameMap<Value> variables;
        // A word as the snapshot keeps it: its function, or its words.
        struct Word {
            Primitive prim;
            std::shared_ptr<const WordList> code;  // user words
        };
        std::vector<Word> records;  // in dictionary order
        std::vector<std::uint32_t> redefinitions;
        std::vector<std::string> aliasTargets;  // in alias order
    };
    Snapshot snapshot() const;
    void restore(const Snapshot& s);

    // ---- hooks and streams ----
    // See PollHook; none by default.
    void setPollHook(PollHook hook) { onPoll_ = std::move(hook); }
    const PollHook& pollHook() const { return onPoll_; }
    // Puts `hook` in place of the poll hook while it lives; the hook before
    // comes back when it ends, by an exception too.
    class ScopedPollHook {
    public:
        ScopedPollHook(Interp& in, PollHook hook) : interp_(in), saved_(std::exchange(in.onPoll_, std::move(hook))) {}
        ~ScopedPollHook() { interp_.onPoll_ = std::move(saved_); }
        ScopedPollHook(const ScopedPollHook&) = delete;
        ScopedPollHook& operator=(const ScopedPollHook&) = delete;

    private:
        Interp& interp_;
        PollHook saved_;
    };

    // See StepHook. Stepping costs a Full-speed run nothing: the test that
    // finds a word list's generation changed mid-run also finds it stepping.
    void setStepHook(StepHook hook) { onStep_ = std::move(hook); }
    void setStepping(bool on) {
        stepping_ = on && onStep_;
        rebind();
        watch();
    }
    bool stepping() const { return stepping_; }

    // Where the printing words write: standard output until a front end
    // sets another sink (the console's output, a string in tests).
    void setOutput(OutputSink sink) { *output_ = std::move(sink); }
    void print(std::string_view text) { output_->write(text); }
    void flushOutput() {
        if (output_->flush) output_->flush();
    }

    // Where `accept` reads: standard input by default, read so that waiting
    // for it reaches the poll hook. A stream set must outlive its use.
    std::istream& input() const { return *in_; }
    void setInput(std::istream& input) { in_ = &input; }
    // Reads from `input` while it lives (a script that comes on a stream);
    // the input before comes back when it ends, by an exception too.
    class ScopedInput {
    public:
        ScopedInput(Interp& in, std::istream& input) : interp_(in), saved_(std::exchange(in.in_, &input)) {}
        ~ScopedInput() { interp_.in_ = saved_; }
        ScopedInput(const ScopedInput&) = delete;
        ScopedInput& operator=(const ScopedInput&) = delete;

    private:
        Interp& interp_;
        std::istream* saved_;
    };

    // Where warnings go (the deprecated / sigil); standard error by default.
    void setWarningStream(std::ostream& err) { err_ = &err; }
    // Writes a warning and shows it at once: it goes beside the output.
    void warn(std::string_view text) {
        *err_ << text;
        err_->flush();
    }
    // True the first time only: the deprecation notice of the / sigil is
    // written once per interpreter (a session or a run), since old scripts
    // use the sigil in every definition.
    bool firstOldDefine() { return !std::exchange(warnedOldDefine_, true); }

    // Runs nested beyond `levels` raise "nesting too deep"
    // (limits::kMaxNesting by default; the fuzz target lowers it).
    void setMaxNesting(int levels);

private:
    // Held by pointer: one word of the state, like the stream pointers
    // beside it, so the state every word touches keeps its cache lines.
    std::unique_ptr<OutputSink> output_;
    std::ostream* err_;
    std::istream* in_;
    PollHook onPoll_;
    std::size_t maxStackDepth_ = limits::kMaxStackDepth;
    int maxNesting_ = limits::kMaxNesting;

    DictEntry* findEntry(std::string_view name) const;
    void resolveFrom(const WordSpan& list, const Token* from);
    // Marks each literal in [from, end) that the next token's word takes
    // with it (a Literal kind), once both are resolved.
    static void pairLiterals(const Token* from, const Token* end);
    bool tryResolve(const WordSpan& list, const Token& t);
    // The kind a token naming a word with this record resolves to.
    static Resolved resolvedKindOf(const WordRecord& rec);
    [[noreturn]] void throwUnresolved(const WordSpan& list, const Token& t);
    void runEntry(DictEntry& e);
    // Kept out of runWords: the loop stays small.
    void collect(const WordSpan& list, const Token& t);
    // The collected block the opener at t (kind Opener or Block) runs as,
    // its tests made and their outcome kept in it; null when the opener
    // has run as a word instead. A core [ or { whose block closes in the
    // same list runs as a collected block (made the first time), with a
    // control word right after it.
    const CollectedBlock* checkOpener(const WordSpan& list, const Token* t);
    // The block that the opener at `at` starts, collected into the list's
    // blocks; null when it does not close within the list.
    const CollectedBlock* collectBlock(const WordSpan& list, std::uint32_t at, DictEntry& opener, bool brace);
    // The entry of "]" (0) or "}" (1), without hashing on every block.
    DictEntry* closerEntry(int which);
    WordList& ownCompileBuffer();
    // The frames of the running lists. A user word's call and a block run
    // by the control word after it push a frame in the running dispatch
    // loop instead of a C++ call of runWords: a call costs a few stores,
    // and allocates nothing once the stack has been that deep.
    struct Frame {
        // Where the list that made the call goes on, and its end.
        const WordSpan* list;
        const Token* next;
        const Token* end;
        std::uint64_t runGeneration;   // the generation its tokens were resolved at
        // The frame's own run: the user word it runs (a replaced record is
        // kept while a frame holds it), or null; times: the pass running
        // (from 1) and the last; a frame of one run has only a last pass,
        // below every pass.
        const WordRecord* record;
        std::int64_t pass;
        std::int64_t lastPass;
    };
    // The data stack as the dispatch loop holds it (interp.cpp).
    struct LoopStack;
    // Suspends the running list (`list`, to go on at `next`, up to `end`)
    // and counts a new level as a nested run would (the nesting limit, the
    // tick), for `passes` runs of the frame's list (at least 1); a times
    // frame finds the pass counter set.
    void pushFrame(LoopStack& stack, const WordSpan* list, const Token* next, const Token* end,
                   std::uint64_t runGeneration, const WordRecord* rec, std::int64_t passes);
    // runWords, or with `second` runRepeat.
    void runLists(const WordSpan& first, const WordSpan* second, Value sense);
    [[gnu::noinline, gnu::cold]] void growFrames();
    void leaveFrame();
    // watchedGeneration_ as stepping, collecting and the generation say.
    void watch() { watchedGeneration_ = stepping_ || !terminator_.empty() ? kEveryWordGeneration : generation_; }
    void poll();
    void bumpGeneration();
    // Stores a record under name, into its entry or a new one; the record
    // it replaces goes to `replaced`. True when lookups or the tokens'
    // resolutions come out differently now (a new entry, or one whose
    // record ran in place): the generation must change.
    bool storeRecord(std::string_view name, RecordPtr rec, RecordPtr& replaced);
    void defineRecord(std::string_view name, RecordPtr rec);
    void retire(RecordPtr old);
    // Whether a run of rec is in progress: a C++ call (its count) or a frame.
    bool running(const WordRecord& rec) const;
    // Frees a parked record once it no longer runs.
    void releaseRecord(const WordRecord& rec);
    [[noreturn]] void throwStackFull() const;
    // push() found the buffer's end: doubles the buffer up to the depth
    // limit, or throws "stack overflow" at the limit.
    [[gnu::noinline, gnu::cold]] void growStack();
    void setStackLimit();
    [[noreturn]] void throwTooDeep() const;
    [[gnu::noinline, gnu::cold]] void refuseNesting() const;

    // The data stack: the buffer (its start is the stack's base), one past
    // the top value, and where push must stop to grow or refuse.
    std::unique_ptr<Value[]> stackStore_;
    std::size_t stackCapacity_ = 0;
    Value* stackTop_ = nullptr;
    Value* stackLimit_ = nullptr;

    // The entries' names, dropped with them (restore()).
    NameStore names_;
    // The entries in the order of first definition. A deque keeps them where
    // they are as it grows (cached resolutions point at them) and stores
    // them in blocks, not one allocation each.
    std::deque<DictEntry> dictOrder_;
    // Open addressing over dictOrder_: each slot holds an entry's index + 1,
    // or 0 when free; a power of two in size, at most half full. A script's
    // million definitions cost 8 to 16 bytes each here, where a hash map
    // node with its own copy of the name cost some 70.
    std::vector<std::uint32_t> dictIndex_;
    std::size_t slotOf(std::string_view name) const;
    void indexEntry(std::uint32_t index);
    void rebuildIndex();
    // Takes the last entry out of the index (restore() drops entries).
    void unindexLast();
    std::vector<std::unique_ptr<AliasEntry>> aliasOrder_;
    NameMap<AliasEntry*> aliases_;
    std::unique_ptr<SigilSlot> sigils_[256];
    std::vector<char> sigilOrder_;
    NameMap<Value> vars_;
    Value* passCounter_ = nullptr;
    // The closing words "]" and "}", and the generation they were found at.
    DictEntry* closers_[2] = {nullptr, nullptr};
    std::uint64_t closersAt_ = 0;

    std::string textBuffer_;
    // The text buffer holds the join of the compile buffer as it is now;
    // anything that changes either clears it.
    bool textIsJoinedBuffer_ = false;
    std::shared_ptr<WordList> compileBuffer_ = std::make_shared<WordList>();
    bool compileBufferShared_ = false;  // also a block or definition now
    std::string terminator_;
    std::shared_ptr<const WordList> lastBlock_;
    std::shared_ptr<const WordList> loopCond_;

    std::uint64_t generation_;
    // generation_, or while stepping or collecting a value no generation
    // takes: runWords compares each word's list generation with it, and
    // only then looks at which of the three it was.
    static constexpr std::uint64_t kEveryWordGeneration = 0;
    std::uint64_t watchedGeneration_;
    StepHook onStep_;
    bool stepping_ = false;
    int nesting_ = 0;
    // The frames, the running one last: top_ is one past it.
    std::unique_ptr<Frame[]> frames_;
    Frame* top_ = nullptr;
    std::size_t frameCapacity_ = 0;
    // The smaller of maxNesting_ and frameCapacity_: below it a frame may
    // be pushed without a look at either.
    int frameLimit_ = 0;
    void setFrameLimit();
    // Changes whenever an outcome of checkOpener could: a new generation,
    // a word replaced, stepping switched. Values come from the generation
    // counter, so no two interpreters or moments share one.
    std::uint64_t bindings_ = 0;
    void rebind();
    // Lowest frame address a run may have (kMaxNativeStackBytes below where
    // the interpreter was made, short of the stack's end); an interpreter
    // runs on the thread that made it.
    std::uintptr_t stackFloor_;
    std::uint32_t pollCountdown_ = limits::kPollInterval;
    // Records replaced while running; freed when their last run ends.
    std::vector<RecordPtr> parked_;

    // Used once per line at most; kept behind the state every word touches.
    SourcePosition position_;
    std::uint64_t collectingStarts_ = 0;
    Opening opening_;
    std::unique_ptr<std::istream> standardInput_;
    bool warnedOldDefine_ = false;
};

// Registers the core words and the core sigils, in their fixed order.
void registerCoreWords(Interp& in);

// Convenience for front ends: a fresh interpreter with the core words.
std::unique_ptr<Interp> makeCoreInterp();

}  // namespace forth
