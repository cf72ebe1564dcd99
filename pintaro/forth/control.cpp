// The words that run other words: execute, interpret, included and the
// block-driven loops and conditionals.
#include "corewords.h"
#include "line_runner.h"

namespace forth::core {

namespace {

// Blocks are captured when a control word starts, so a body that builds new
// blocks keeps running as it was.
std::shared_ptr<const WordList> captureLastBlock(Interp& in) {
    auto b = in.lastBlock();
    return b ? b : std::make_shared<const WordList>();
}

}  // namespace

// run the dictionary word named by the text buffer
void execute(Interp& in) { in.runWord(in.lookupWord(in.textBuffer())); }

// run the text buffer as one line
void interpret(Interp& in) {
    // Copied: the line's own words may change the text buffer while the
    // rest of the line is still to be split.
    const std::string line = in.textBuffer();
    in.runLine(line);
}

// run the file named by the text buffer
void included(Interp& in) {
    // Copied: the file's own lines may change the text buffer.
    const std::string path = in.textBuffer();
    includeFile(in, path);
}

namespace {

void runTimes(Interp& in, const WordSpan& body) {
    std::int64_t count = truncateToInt64(in.pop());
    if (count < 1) return;
    Value& pass = in.passCounter();
    for (std::int64_t k = 1; k <= count; ++k) {
        pass = static_cast<Value>(k);
        in.runWords(body);
    }
}

void runIfTrue(Interp& in, const WordSpan& body) {
    if (in.pop() != 0.0) in.runWords(body);
}

void runIfFalse(Interp& in, const WordSpan& body) {
    if (in.pop() == 0.0) in.runWords(body);
}

}  // namespace

// run the last block n times with the pass number in "i"
void times(Interp& in) { runTimes(in, *captureLastBlock(in)); }

// run the last block unless flag is 0.0 (NaN runs it)
void ifTrue(Interp& in) { runIfTrue(in, *captureLastBlock(in)); }

// run the last block when flag is 0.0 or -0.0
void ifFalse(Interp& in) { runIfFalse(in, *captureLastBlock(in)); }

BodyUse bodyUseOf(void (*word)(Interp&)) {
    if (word == &ifTrue) return BodyUse::IfTrue;
    if (word == &ifFalse) return BodyUse::IfFalse;
    if (word == &times) return BodyUse::Times;
    return BodyUse::None;
}

// the last block becomes the loop condition
void whileWord(Interp& in) {
    in.setLoopCondition(captureLastBlock(in));
    in.push(0.0);
}

// the last block becomes the loop condition
void untilWord(Interp& in) {
    in.setLoopCondition(captureLastBlock(in));
    in.push(1.0);
}

// condition, body, then stop when the popped flag equals sense
void repeat(Interp& in) {
    auto cond = in.loopCondition() ? in.loopCondition() : std::make_shared<const WordList>();
    auto body = captureLastBlock(in);
    in.runRepeat(*cond, *body, in.pop());
}

}  // namespace forth::core
