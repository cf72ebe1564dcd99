// The core words the dispatch loop runs in place: the stack and arithmetic
// words that most of a word's body is made of. Each is written once, here:
// the dictionary registers these functions, and runWords runs the same
// bodies inline when a token resolved to one of them, without a call.
#pragma once

#include <utility>

#include "interp.h"

namespace forth::core {

inline Value flag(bool b) { return b ? 1.0 : 0.0; }

// Applies op to the two top values in place: one depth check instead of two
// pops and a push. With one value on the stack it is consumed, as two pops
// would consume it, before the underflow is raised.
template <class Op>
[[gnu::always_inline]] inline void binary(Interp& in, Op op) {
    if (in.depth() < 2) [[unlikely]] {
        in.clearStack();
        throw StackUnderflow();
    }
    Value& a = in.top(1);
    a = op(a, in.top());
    in.removeTop();
}

[[gnu::always_inline]] inline void drop(Interp& in) { in.pop(); }

[[gnu::always_inline]] inline void dup(Interp& in) {
    in.require(1);
    in.push(in.top());
}

[[gnu::always_inline]] inline void over(Interp& in) {
    in.require(2);
    in.push(in.top(1));
}

[[gnu::always_inline]] inline void swap(Interp& in) {
    in.require(2);
    std::swap(in.top(), in.top(1));
}

[[gnu::always_inline]] inline void add(Interp& in) {
    binary(in, [](Value a, Value b) { return a + b; });
}

[[gnu::always_inline]] inline void sub(Interp& in) {
    binary(in, [](Value a, Value b) { return a - b; });
}

[[gnu::always_inline]] inline void mul(Interp& in) {
    binary(in, [](Value a, Value b) { return a * b; });
}

[[gnu::always_inline]] inline void onePlus(Interp& in) {
    in.require(1);
    in.top() += 1.0;
}

[[gnu::always_inline]] inline void oneMinus(Interp& in) {
    in.require(1);
    in.top() -= 1.0;
}

[[gnu::always_inline]] inline void less(Interp& in) {
    binary(in, [](Value a, Value b) { return flag(a < b); });
}

[[gnu::always_inline]] inline void greater(Interp& in) {
    binary(in, [](Value a, Value b) { return flag(a > b); });
}

[[gnu::always_inline]] inline void lessEq(Interp& in) {
    binary(in, [](Value a, Value b) { return flag(a <= b); });
}

[[gnu::always_inline]] inline void greaterEq(Interp& in) {
    binary(in, [](Value a, Value b) { return flag(a >= b); });
}

[[gnu::always_inline]] inline void equal(Interp& in) {
    binary(in, [](Value a, Value b) { return flag(a == b); });
}

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
