// The core words the dispatch loop runs in place: the stack and arithmetic
// words that most of a word's body is made of. Each is written once, here:
// the dictionary registers these functions, and runWords runs the same
// bodies inline when a token resolved to one of them, without a call.
#pragma once

#include <utility>

#include "interp.h"

namespace forth::core {

inline Value flag(bool b) { return b ? 1.0 : 0.0; }

// Each body is written against a stack: the interpreter itself for the
// dictionary's function, or the dispatch loop's copy of the stack's top,
// kept in a register while words run in place (Interp::LoopStack). Both
// give the same push, pop, require, top and removeTop.

// Applies op to the two top values in place: one depth check instead of two
// pops and a push. With one value on the stack it is consumed, as two pops
// would consume it, before the underflow is raised.
template <class Stack, class Op>
[[gnu::always_inline]] inline void binary(Stack& s, Op op) {
    if (s.depth() < 2) [[unlikely]] {
        s.clearStack();
        throw StackUnderflow();
    }
    Value& a = s.top(1);
    a = op(a, s.top());
    s.removeTop();
}

template <class Stack>
[[gnu::always_inline]] inline void dropOn(Stack& s) { s.pop(); }

template <class Stack>
[[gnu::always_inline]] inline void dupOn(Stack& s) {
    s.require(1);
    s.push(s.top());
}

template <class Stack>
[[gnu::always_inline]] inline void overOn(Stack& s) {
    s.require(2);
    s.push(s.top(1));
}

template <class Stack>
[[gnu::always_inline]] inline void swapOn(Stack& s) {
    s.require(2);
    std::swap(s.top(), s.top(1));
}

template <class Stack>
[[gnu::always_inline]] inline void onePlusOn(Stack& s) {
    s.require(1);
    s.top() += 1.0;
}

template <class Stack>
[[gnu::always_inline]] inline void oneMinusOn(Stack& s) {
    s.require(1);
    s.top() -= 1.0;
}

// The two-value words, in the order of FORTH_TWO_VALUE_WORDS: each
// applies its operation to the two top values.
[[gnu::always_inline]] inline Value addOp(Value a, Value b) { return a + b; }
[[gnu::always_inline]] inline Value subOp(Value a, Value b) { return a - b; }
[[gnu::always_inline]] inline Value mulOp(Value a, Value b) { return a * b; }
[[gnu::always_inline]] inline Value lessOp(Value a, Value b) { return flag(a < b); }
[[gnu::always_inline]] inline Value greaterOp(Value a, Value b) { return flag(a > b); }
[[gnu::always_inline]] inline Value lessEqOp(Value a, Value b) { return flag(a <= b); }
[[gnu::always_inline]] inline Value greaterEqOp(Value a, Value b) { return flag(a >= b); }
[[gnu::always_inline]] inline Value equalOp(Value a, Value b) { return flag(a == b); }
#define FORTH_TWO_VALUE_BODY(kind, function)                   \
    template <class Stack>                                      \
    [[gnu::always_inline]] inline void function##On(Stack& s) { \
        binary(s, function##Op);                                \
    }
FORTH_TWO_VALUE_WORDS(FORTH_TWO_VALUE_BODY)
#undef FORTH_TWO_VALUE_BODY

// A literal and the two-value word after it (`2 -`, `1 >=`), run as one:
// the literal meets the top value without being pushed. The same steps as
// the two words: with an empty stack the underflow is raised and the stack
// left empty, as the word would leave it after the push; the caller runs
// the pair as two words where the push itself would grow the stack or fail.
template <class Stack, class Op>
[[gnu::always_inline]] inline void literalThen(Stack& s, Value literal, Op op) {
    if (s.depth() < 1) [[unlikely]] {
        s.clearStack();
        throw StackUnderflow();
    }
    Value& a = s.top();
    a = op(a, literal);
}

// The dictionary's functions: one address each, by which a token that
// names one of them is found to run in place.
#define FORTH_INLINE_FUNCTION(kind, function) \
    inline void function(Interp& in) { function##On(in); }
FORTH_INLINE_WORDS(FORTH_INLINE_FUNCTION)
#undef FORTH_INLINE_FUNCTION

// Which word a token runs in place.
struct InlineWord {
    void (*word)(Interp&);
    Resolved kind;
};
inline constexpr InlineWord kInlineWords[] = {
#define FORTH_INLINE_ENTRY(kind, function) {function, Resolved::kind},
    FORTH_INLINE_WORDS(FORTH_INLINE_ENTRY)
#undef FORTH_INLINE_ENTRY
};

// The kind a token naming a word with this function runs as: its own
// inline kind, or Resolved::Word.
inline Resolved inlineKindOf(void (*word)(Interp&)) {
    if (!word) return Resolved::Word;  // a user word or a closure
    for (const InlineWord& w : kInlineWords)
        if (w.word == word) return w.kind;
    return Resolved::Word;
}

}  // namespace forth::core
