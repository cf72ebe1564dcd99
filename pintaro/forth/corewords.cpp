// The core word set: stack, arithmetic, comparison and printing words, and
// the one table that registers every core word and sigil in its fixed order.
#include "corewords.h"
#include "fd_input.h"
#include "inline_words.h"
#include "word_doc.h"

#include <array>
#include <cmath>
#include <istream>
#include <limits>

namespace forth::core {

namespace {

// ---- stack words ----
// (drop, dup, over and swap, like + - * 1+ 1- < > <= >= and =, are in
// inline_words.h: the dispatch loop runs them in place.)

void twoDup(Interp& in) {
    in.require(2);
    Value a = in.top(1), b = in.top();
    in.push(a);
    in.push(b);
}

void rot(Interp& in) {
    in.require(3);
    Value a = in.top(2);
    in.top(2) = in.top(1);
    in.top(1) = in.top();
    in.top() = a;
}

// the top is taken before the depth is known
void minusRot(Interp& in) {
    Value c = in.pop();
    in.require(2);
    Value b = in.top();
    in.top() = in.top(1);
    in.top(1) = c;
    in.push(b);
}

void clear(Interp& in) { in.clearStack(); }

void depth(Interp& in) { in.push(static_cast<Value>(in.depth())); }

// ---- arithmetic ----

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

// remainder of the truncating division, sign of a
void mod(Interp& in) {
    auto [a, b] = popIntOperands(in);
    // INT64_MIN % -1 traps on x86; its remainder is 0.
    in.push(b == -1 ? 0.0 : static_cast<Value>(a % b));
}

void slashMod(Interp& in) {
    auto [a, b] = popIntOperands(in);
    if (a == std::numeric_limits<std::int64_t>::min() && b == -1)
        throw ArithmeticFault("over- or underflow");
    in.push(static_cast<Value>(a % b));
    in.push(static_cast<Value>(a / b));
}

void negate(Interp& in) { in.push(-in.pop()); }

void absWord(Interp& in) { in.push(std::fabs(in.pop())); }

void minWord(Interp& in) {
    Value b = in.pop(), a = in.pop();
    in.push(b <= a || std::isnan(a) ? b : a);
}

void maxWord(Interp& in) {
    Value b = in.pop(), a = in.pop();
    in.push(b >= a || std::isnan(a) ? b : a);
}

// ---- comparison and logic ----

void notEqual(Interp& in) {
    binary(in, [](Value a, Value b) { return flag(a != b); });
}

// both values are always taken
void andWord(Interp& in) {
    binary(in, [](Value a, Value b) { return flag(a != 0.0 && b != 0.0); });
}

void orWord(Interp& in) {
    binary(in, [](Value a, Value b) { return flag(a != 0.0 || b != 0.0); });
}

// only 0.0 and -0.0 are false; NaN is true
void notWord(Interp& in) { in.push(flag(in.pop() == 0.0)); }

void trueWord(Interp& in) { in.push(1.0); }

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

void dot(Interp& in) { in.print(formatShort(in.pop()) + ' '); }

void dotDot(Interp& in) { in.print(in.textBuffer() + ' '); }

void space(Interp& in) { in.print(" "); }

void cr(Interp& in) { in.print("\n"); }

// the stack bottom to top in the full format, as one line
void dotS(Interp& in) {
    const auto s = in.stack();
    std::string line;
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (i) line += ' ';
        line += formatFull(s[i]);
    }
    in.print(line + '\n');
    in.flushOutput();
}

// the compile buffer as one line
void buffer(Interp& in) {
    in.print(joinWords(in.compileBuffer()) + '\n');
    in.flushOutput();
}

void words(Interp& in) { printListing(in, in.dictionaryNames()); }

void aliases(Interp& in) { printListing(in, in.aliasNames()); }

void sigils(Interp& in) {
    std::string text;
    for (char c : in.sigilChars()) text += {c, ' '};
    in.print(text);
}

// one line of input into the text buffer
void accept(Interp& in) {
    // Output printed so far should be visible before the program waits.
    in.flushOutput();
    std::string line;
    if (!readLine(in.input(), line, "standard input", "read by accept")) throw ScriptError("EOF reached");
    in.setTextBuffer(line);
}

// the text buffer as a number
void number(Interp& in) { in.push(parseNumber(in.textBuffer())); }

// One row of the registration table: a word or a sigil, with what the
// reference says about it.
struct CoreEntry {
    std::string_view name;  // a word; a sigil as written, its character first ("=name")
    bool sigil;
    void (*word)(Interp&);
    void (*handler)(Interp&, std::string_view);
    WordDoc doc;
};

constexpr CoreEntry W(std::string_view name, void (*fn)(Interp&), WordDoc doc) {
    return {name, false, fn, nullptr, doc};
}
constexpr CoreEntry S(std::string_view form, void (*fn)(Interp&, std::string_view), WordDoc doc) {
    return {form, true, nullptr, fn, doc};
}

// In registration order, which the listing words show.
constexpr CoreEntry kCoreTable[] = {
    W(".s", dotS, {"stack", "( -- )", "Print the stack, bottom first, in full precision; it stays as it is."}),
    W("depth", depth, {"stack", "( -- n )", "Push how many values are on the stack."}),
    W("words", words, {"text", "( -- )", "Print the name of every word in the dictionary."}),
    W("aliases", aliases, {"text", "( -- )", "Print the name of every alias, such as `fd`."}),
    W("sigils", sigils, {"text", "( -- )", "Print every sigil, the characters that start special words."}),
    W("buffer", buffer, {"text", "( -- )", "Print the words last collected by a block, text or definition."}),
    W("/*", openComment, {"control", "( -- )", "Start a comment: the words up to `*/` are skipped, over lines too."}),
    W("*/", closeComment, {"control", "( -- )", "End a comment started by `/*`."}),
    W("[", openBlock, {"control", "( -- )", "Start a block: the words up to `]` are kept, not run."}),
    W("]", closeBlock, {"control", "( -- )", "End a block; it becomes the last block, for `times` and the rest."}),
    W("{", openBrace, {"control", "( -- )", "Start a block that ends at `}`; it may hold a `[ ... ]` block."}),
    W("}", closeBrace, {"control", "( -- )", "End a block started by `{`; it becomes the last block."}),
    W("(", openText, {"text", "( -- )", "Start a text: the words up to `)` become the text."}),
    W(")", closeText, {"text", "( -- )", "End a text: the words since `(`, one space apart, become the text."}),
    S("=name", sigilStore, {"variables", "( a -- )", "Store a in the variable name: `5 =size`."}),
    S("$name", sigilFetch, {"variables", "( -- a )", "Push the value of the variable name: `$size`."}),
    S("'text", sigilText, {"text", "( -- )", "Make one word the text: `'Hello` sets it to Hello."}),
    S("@name", sigilAlias, {"control", "( -- )", "Make name another name for the word in the text: `'forward @go`."}),
    S("/name", sigilOldDefine, {"control", "( -- )", "Old way to define name as the last block; use `:name ... ;`."}),
    S("?name", sigilShow, {"text", "( -- )", "Print the definition of the word name; built-in words are native code."}),
    W("execute", execute, {"control", "( -- )", "Run the word the text names: `'dup execute` runs `dup`."}),
    W("number", number, {"text", "( -- a )", "Read the text as a number and push it."}),
    S(":name", sigilDefine, {"control", "( -- )", "Define the word name as the words up to `;`: `:square dup * ;`."}),
    W(";", endDefinition, {"control", "( -- )", "End a definition started by `:name`."}),
    W(".", dot, {"text", "( a -- )", "Print a, then a space."}),
    W("space", space, {"text", "( -- )", "Print a space."}),
    W("..", dotDot, {"text", "( -- )", "Print the text, then a space."}),
    W("cr", cr, {"text", "( -- )", "End the line of output; what follows starts a new line."}),
    W("accept", accept, {"text", "( -- )", "Read one line from standard input into the text."}),
    W("+", add, {"arithmetic", "( a b -- a+b )", "Add a and b."}),
    W("-", sub, {"arithmetic", "( a b -- a-b )", "Subtract b from a."}),
    W("*", mul, {"arithmetic", "( a b -- a*b )", "Multiply a by b."}),
    W("/", div, {"arithmetic", "( a b -- a/b )", "Divide a by b; dividing by 0 gives inf or nan, not an error."}),
    W("mod", mod, {"arithmetic", "( a b -- r )", "Remainder of a divided by b, both cut to whole numbers; sign of a."}),
    W("/mod", slashMod, {"arithmetic", "( a b -- r q )", "Remainder and whole quotient of a divided by b; quotient on top."}),
    W("negate", negate, {"arithmetic", "( a -- -a )", "Change the sign of a."}),
    W("abs", absWord, {"arithmetic", "( a -- |a| )", "Drop the sign of a."}),
    W("min", minWord, {"arithmetic", "( a b -- m )", "Push the smaller of a and b."}),
    W("max", maxWord, {"arithmetic", "( a b -- m )", "Push the larger of a and b."}),
    W("1+", onePlus, {"arithmetic", "( a -- a+1 )", "Add 1 to a."}),
    W("1-", oneMinus, {"arithmetic", "( a -- a-1 )", "Subtract 1 from a."}),
    W("drop", drop, {"stack", "( a -- )", "Throw the top value away."}),
    W("dup", dup, {"stack", "( a -- a a )", "Copy the top value."}),
    W("2dup", twoDup, {"stack", "( a b -- a b a b )", "Copy the top two values."}),
    W("over", over, {"stack", "( a b -- a b a )", "Copy the second value onto the top."}),
    W("swap", swap, {"stack", "( a b -- b a )", "Swap the top two values."}),
    W("rot", rot, {"stack", "( a b c -- b c a )", "Bring the third value to the top."}),
    W("-rot", minusRot, {"stack", "( a b c -- c a b )", "Move the top value down under the next two."}),
    W("clear", clear, {"stack", "( ... -- )", "Empty the stack."}),
    W("<", less, {"comparison", "( a b -- flag )", "1 if a is less than b, else 0."}),
    W("<=", lessEq, {"comparison", "( a b -- flag )", "1 if a is less than or equal to b, else 0."}),
    W(">", greater, {"comparison", "( a b -- flag )", "1 if a is greater than b, else 0."}),
    W(">=", greaterEq, {"comparison", "( a b -- flag )", "1 if a is greater than or equal to b, else 0."}),
    W("=", equal, {"comparison", "( a b -- flag )", "1 if a equals b, else 0."}),
    W("<>", notEqual, {"comparison", "( a b -- flag )", "1 if a differs from b, else 0."}),
    W("and", andWord, {"comparison", "( a b -- flag )", "1 if a and b are both true (not 0), else 0."}),
    W("or", orWord, {"comparison", "( a b -- flag )", "1 if a or b is true (not 0), else 0."}),
    W("not", notWord, {"comparison", "( a -- flag )", "1 if a is 0, else 0: turns true into false and back."}),
    W("true", trueWord, {"comparison", "( -- 1 )", "Push 1, the flag for true."}),
    W("false", falseWord, {"comparison", "( -- 0 )", "Push 0, the flag for false."}),
    W("times", times, {"control", "( n -- )", "Run the last block n times; `$i` counts the passes from 1."}),
    W("iftrue", ifTrue, {"control", "( flag -- )", "Run the last block if flag is true (not 0)."}),
    W("iffalse", ifFalse, {"control", "( flag -- )", "Run the last block if flag is 0."}),
    W("while", whileWord, {"control", "( -- 0 )", "Make the last block the condition of a loop that goes on while true."}),
    W("until", untilWord, {"control", "( -- 1 )", "Make the last block the condition of a loop that ends on 1."}),
    W("repeat", repeat,
      {"control", "( sense -- )", "Loop: condition, then last block, until the flag left equals sense."}),
    W("included", included, {"control", "( -- )", "Run the script file the text names, line by line."}),
    W("interpret", interpret, {"control", "( -- )", "Run the text as one line of words."}),
};

constexpr auto kCoreDocs = [] {
    std::array<DocumentedEntry, std::size(kCoreTable)> docs{};
    for (std::size_t i = 0; i < docs.size(); ++i) {
        const CoreEntry& e = kCoreTable[i];
        docs[i] = {e.sigil ? DocumentedEntry::Kind::Sigil : DocumentedEntry::Kind::Word, e.name, &e.doc, {}};
    }
    return docs;
}();

}  // namespace

}  // namespace forth::core

namespace forth {

void registerCoreWords(Interp& in) {
    for (const auto& e : core::kCoreTable) {
        if (e.sigil)
            in.defineSigil(e.name[0], e.handler);
        else
            in.defineWord(e.name, e.word);
    }
}

std::span<const DocumentedEntry> coreWordDocs() { return core::kCoreDocs; }

}  // namespace forth
