// The core word set: stack, arithmetic, comparison and printing words, and
// the one table that registers every core word and sigil in its fixed order.
#include "corewords.h"

#include <cmath>
#include <istream>
#include <limits>

namespace forth::core {

namespace {

Value flag(bool b) { return b ? 1.0 : 0.0; }

// Applies op to the two top values in place: one depth check instead of two
// pops and a push. With one value on the stack it is consumed, as two pops
// would consume it, before the underflow is raised.
template <class Op>
inline void binary(Interp& in, Op op) {
    auto& s = in.stack();
    std::size_t n = s.size();
    if (n < 2) {
        s.clear();
        throw StackUnderflow();
    }
    s[n - 2] = op(s[n - 2], s[n - 1]);
    s.pop_back();
}

// ---- stack words ----

// ( a -- )
void drop(Interp& in) { in.pop(); }

// ( a -- a a )
void dup(Interp& in) {
    in.require(1);
    in.push(in.stack().back());
}

// ( a b -- a b a b )
void twoDup(Interp& in) {
    in.require(2);
    const auto& s = in.stack();
    Value a = s[s.size() - 2], b = s.back();
    in.push(a);
    in.push(b);
}

// ( a b -- a b a )
void over(Interp& in) {
    in.require(2);
    const auto& s = in.stack();
    in.push(s[s.size() - 2]);
}

// ( a b -- b a )
void swap(Interp& in) {
    in.require(2);
    auto& s = in.stack();
    std::swap(s[s.size() - 1], s[s.size() - 2]);
}

// ( a b c -- b c a )
void rot(Interp& in) {
    in.require(3);
    auto& s = in.stack();
    std::size_t n = s.size();
    Value a = s[n - 3];
    s[n - 3] = s[n - 2];
    s[n - 2] = s[n - 1];
    s[n - 1] = a;
}

// ( a b c -- c a b ) the top is taken before the depth is known
void minusRot(Interp& in) {
    Value c = in.pop();
    in.require(2);
    auto& s = in.stack();
    std::size_t n = s.size();
    Value b = s[n - 1];
    s[n - 1] = s[n - 2];
    s[n - 2] = c;
    in.push(b);
}

// ( ... -- )
void clear(Interp& in) { in.stack().clear(); }

// ( -- n )
void depth(Interp& in) { in.push(static_cast<Value>(in.depth())); }

// ---- arithmetic ----

// ( a b -- a+b )
void add(Interp& in) {
    binary(in, [](Value a, Value b) { return a + b; });
}

// ( a b -- a-b )
void sub(Interp& in) {
    binary(in, [](Value a, Value b) { return a - b; });
}

// ( a b -- a*b )
void mul(Interp& in) {
    binary(in, [](Value a, Value b) { return a * b; });
}

// ( a b -- a/b )
void div(Interp& in) {
    binary(in, [](Value a, Value b) { return a / b; });
}

struct IntOperands {
    std::int64_t a, b;
};

IntOperands popIntOperands(Interp& in) {
    std::int64_t b = truncateToInt64(in.pop());
    std::int64_t a = truncateToInt64(in.pop());
    if (b == 0) throw ArithmeticFault("division by zero");
    return {a, b};
}

// ( a b -- r ) remainder of the truncating division, sign of a
void mod(Interp& in) {
    auto [a, b] = popIntOperands(in);
    // INT64_MIN % -1 traps on x86; its remainder is 0.
    in.push(b == -1 ? 0.0 : static_cast<Value>(a % b));
}

// ( a b -- r q )
void slashMod(Interp& in) {
    auto [a, b] = popIntOperands(in);
    if (a == std::numeric_limits<std::int64_t>::min() && b == -1)
        throw ArithmeticFault("over- or underflow");
    in.push(static_cast<Value>(a % b));
    in.push(static_cast<Value>(a / b));
}

// ( a -- -a )
void negate(Interp& in) { in.push(-in.pop()); }

// ( a -- |a| )
void absWord(Interp& in) { in.push(std::fabs(in.pop())); }

// ( a b -- m )
void minWord(Interp& in) {
    Value b = in.pop(), a = in.pop();
    in.push(b <= a || std::isnan(a) ? b : a);
}

// ( a b -- m )
void maxWord(Interp& in) {
    Value b = in.pop(), a = in.pop();
    in.push(b >= a || std::isnan(a) ? b : a);
}

// ( a -- a+1 )
void onePlus(Interp& in) {
    in.require(1);
    in.stack().back() += 1.0;
}

// ( a -- a-1 )
void oneMinus(Interp& in) {
    in.require(1);
    in.stack().back() -= 1.0;
}

// ---- comparison and logic ----

// ( a b -- f )
void less(Interp& in) {
    binary(in, [](Value a, Value b) { return flag(a < b); });
}

// ( a b -- f )
void lessEq(Interp& in) {
    binary(in, [](Value a, Value b) { return flag(a <= b); });
}

// ( a b -- f )
void greater(Interp& in) {
    binary(in, [](Value a, Value b) { return flag(a > b); });
}

// ( a b -- f )
void greaterEq(Interp& in) {
    binary(in, [](Value a, Value b) { return flag(a >= b); });
}

// ( a b -- f )
void equal(Interp& in) {
    binary(in, [](Value a, Value b) { return flag(a == b); });
}

// ( a b -- f )
void notEqual(Interp& in) {
    binary(in, [](Value a, Value b) { return flag(a != b); });
}

// ( a b -- f ) both values are always taken
void andWord(Interp& in) {
    binary(in, [](Value a, Value b) { return flag(a != 0.0 && b != 0.0); });
}

// ( a b -- f )
void orWord(Interp& in) {
    binary(in, [](Value a, Value b) { return flag(a != 0.0 || b != 0.0); });
}

// ( a -- f ) only 0.0 and -0.0 are false; NaN is true
void notWord(Interp& in) { in.push(flag(in.pop() == 0.0)); }

// ( -- 1.0 )
void trueWord(Interp& in) { in.push(1.0); }

// ( -- 0.0 )
void falseWord(Interp& in) { in.push(0.0); }

// ---- text and output ----

// Names each followed by one space, as the listing words print them.
template <class Names>
void printListing(Interp& in, const Names& names) {
    std::string text;
    for (const auto& n : names) {
        text += n;
        text += ' ';
    }
    in.print(text);
}

// ( a -- )
void dot(Interp& in) { in.print(formatShort(in.pop()) + ' '); }

// ( -- )
void dotDot(Interp& in) { in.print(in.textBuffer() + ' '); }

// ( -- )
void space(Interp& in) { in.print(" "); }

// ( -- )
void cr(Interp& in) { in.print("\n"); }

// ( -- ) the stack bottom to top in the full format, as one line
void dotS(Interp& in) {
    const auto& s = in.stack();
    std::string line;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (i) line += ' ';
        line += formatFull(s[i]);
    }
    in.print(line + '\n');
    in.flushOutput();
}

// ( -- ) the compile buffer as one line
void buffer(Interp& in) {
    in.print(joinWords(in.compileBuffer()) + '\n');
    in.flushOutput();
}

// ( -- )
void words(Interp& in) { printListing(in, in.dictionaryNames()); }

// ( -- )
void aliases(Interp& in) { printListing(in, in.aliasNames()); }

// ( -- )
void sigils(Interp& in) {
    std::string text;
    for (char c : in.sigilChars()) text += {c, ' '};
    in.print(text);
}

// ( -- ) one line of input into the text buffer
void accept(Interp& in) {
    // Output printed so far should be visible before the program waits.
    in.flushOutput();
    std::string line;
    if (!std::getline(*in.in, line)) throw ScriptError("EOF reached");
    if (!line.empty() && line.back() == '\r') line.pop_back();
    in.setTextBuffer(line);
}

// ( -- a ) the text buffer as a number
void number(Interp& in) { in.push(parseNumber(in.textBuffer())); }

// One row of the registration table: a word or a sigil.
struct CoreEntry {
    const char* name;  // null for a sigil
    void (*word)(Interp&);
    char sigil;
    void (*handler)(Interp&, std::string_view);
};

constexpr CoreEntry W(const char* name, void (*fn)(Interp&)) { return {name, fn, 0, nullptr}; }
constexpr CoreEntry S(char c, void (*fn)(Interp&, std::string_view)) { return {nullptr, nullptr, c, fn}; }

const CoreEntry kCoreTable[] = {
    W(".s", dotS), W("depth", depth), W("words", words), W("aliases", aliases),
    W("sigils", sigils), W("buffer", buffer),
    W("/*", openComment), W("*/", closeComment), W("[", openBlock), W("]", closeBlock),
    W("{", openBrace), W("}", closeBrace), W("(", openText), W(")", closeText),
    S('=', sigilStore), S('$', sigilFetch), S('\'', sigilText), S('@', sigilAlias),
    S('/', sigilOldDefine), S('?', sigilShow),
    W("execute", execute), W("number", number),
    S(':', sigilDefine),
    W(";", endDefinition), W(".", dot), W("space", space), W("..", dotDot), W("cr", cr),
    W("accept", accept),
    W("+", add), W("-", sub), W("*", mul), W("/", div), W("mod", mod), W("/mod", slashMod),
    W("negate", negate), W("abs", absWord), W("min", minWord), W("max", maxWord),
    W("1+", onePlus), W("1-", oneMinus),
    W("drop", drop), W("dup", dup), W("2dup", twoDup), W("over", over), W("swap", swap),
    W("rot", rot), W("-rot", minusRot), W("clear", clear),
    W("<", less), W("<=", lessEq), W(">", greater), W(">=", greaterEq), W("=", equal),
    W("<>", notEqual), W("and", andWord), W("or", orWord), W("not", notWord),
    W("true", trueWord), W("false", falseWord),
    W("times", times), W("iftrue", ifTrue), W("iffalse", ifFalse), W("while", whileWord),
    W("until", untilWord), W("repeat", repeat), W("included", included),
    W("interpret", interpret),
};

}  // namespace

}  // namespace forth::core

namespace forth {

void registerCoreWords(Interp& in) {
    for (const auto& e : core::kCoreTable) {
        if (e.name)
            in.defineWord(e.name, e.word);
        else
            in.defineSigil(e.sigil, e.handler);
    }
}

}  // namespace forth
