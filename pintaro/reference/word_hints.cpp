#include "word_hints.h"

#include <algorithm>
#include <vector>

#include "reference_limits.h"

namespace reference {

namespace {

// What other Forths write, and what Veskel writes for it. A learner who
// knows one Forth types these first; each is a word Veskel does not have,
// so the message alone ("invalid float: do") says only that it is no number.
constexpr std::string_view kLoop = "Veskel repeats a block: [ 50 fd 90 rt ] 4 times, the pass number in $i.";
constexpr std::string_view kPrint = "Veskel prints a text with 'word .. or ( several words ) ..";
constexpr std::string_view kIf = "Veskel runs a block on a flag: $x 0 > [ 'big .. ] iftrue (or iffalse).";
constexpr std::string_view kBegin = "Veskel loops with [ condition ] while [ ... ] repeat.";
constexpr std::string_view kVariable = "A variable needs no declaration: 10 =size stores, $size fetches.";
constexpr std::string_view kMemory = "Veskel has no memory cells: keep each number in a variable, as in 10 =size.";

struct ForeignWord {
    std::string_view word;
    std::string_view hint;
};

constexpr ForeignWord kForeignWords[] = {
    {"do", kLoop},
    {"?do", kLoop},
    {"loop", kLoop},
    {"+loop", kLoop},
    {"i", "The pass number of times is the variable i: write $i."},
    {".\"", kPrint},
    {".(", kPrint},
    {"emit", kPrint},
    {"type", kPrint},
    {"s\"", "Veskel sets the text with 'word or ( several words )."},
    {"if", kIf},
    {"else", kIf},
    {"then", kIf},
    {"endif", kIf},
    {"begin", kBegin},
    {"again", kBegin},
    {"variable", kVariable},
    {"constant", kVariable},
    {"value", kVariable},
    {"to", kVariable},
    {"!", kVariable},
    {"create", kMemory},
    {"allot", kMemory},
    {"cells", kMemory},
    {"here", kMemory},
    {",", kMemory},
    {"**", "Veskel has no power word: multiply, as in dup * for a square."},
    {"invert", "Veskel writes not."},
    {"0=", "Veskel writes 0 = with a space."},
    {"0<", "Veskel writes 0 < with a space."},
    {"0>", "Veskel writes 0 > with a space."},
    {"2drop", "Veskel writes drop drop."},
    {"nip", "Veskel writes swap drop."},
    {"tuck", "Veskel writes swap over."},
    {"spaces", "space prints one space: [ space ] 4 times prints four."},
    {"see", "?name prints a word's definition: ?square."},
    {"help", "veskel --words lists every word; in pintaro, F2 explains the word under the cursor."},
};

// Words that run the block just closed: a block followed by none of them
// is left unused, and what comes after it finds the stack without it.
constexpr std::string_view kBlockWords[] = {"times", "iftrue", "iffalse", "while", "until", "repeat"};

constexpr std::string_view kBlockNotOnStack =
    "A block [ ... ] does not go on the stack: the word after it runs it, as in [ 50 fd 90 rt ] 4 times.";
constexpr std::string_view kTimesCount = "times takes its count from the stack: [ 50 fd 90 rt ] 4 times.";

constexpr std::string_view kInvalidFloat = "invalid float: ";
constexpr std::string_view kKeyNotFound = "key not found: ";
constexpr std::string_view kUnderflow = "Stack underflow";

std::vector<std::string_view> wordsOf(std::string_view line) {
    std::vector<std::string_view> words;
    std::size_t pos = 0;
    auto space = [](char c) { return c == ' ' || (c >= 9 && c <= 13); };
    while (pos < line.size()) {
        while (pos < line.size() && space(line[pos])) ++pos;
        std::size_t end = pos;
        while (end < line.size() && !space(line[end])) ++end;
        if (end > pos) words.push_back(line.substr(pos, end - pos));
        pos = end;
    }
    return words;
}

bool isNumber(std::string_view word) {
    forth::Value v;
    return forth::tryParseNumber(word, v);
}

bool isBlockWord(std::string_view word) {
    return std::find(std::begin(kBlockWords), std::end(kBlockWords), word) != std::end(kBlockWords);
}

// The nearest of `names` to `word` within the slip distance, or empty.
std::string_view nearest(std::string_view word, const std::vector<std::string>& names) {
    if (word.size() < 2) return {};  // one character is a slip away from every other
    const std::size_t allowed =
        word.size() <= limits::kNearMissShortLength ? limits::kNearMissShortEdits : limits::kNearMissEdits;
    std::string_view best;
    std::size_t bestEdits = allowed + 1;
    for (const std::string& name : names) {
        if (name.empty() || name == word) continue;
        const std::size_t edits = editDistance(word, name);
        if (edits < bestEdits) {  // the first registered wins a tie
            best = name;
            bestEdits = edits;
        }
    }
    return best;
}

// `: sq dup * ;` defines the word with the empty name (the colon sigil
// with nothing after it), whose code then starts with sq; sq itself is
// unknown when used.
bool definedUnderEmptyName(const forth::Interp& in, std::string_view word) {
    const forth::WordRecord* rec = in.findWord("");
    return rec && rec->kind == forth::WordKind::userWord && !rec->code->empty() && rec->code->text(0) == word;
}

std::string missingVariableHint(const forth::Interp& in, std::string_view name, std::string_view line) {
    // "key not found" also comes from colour names and ?name: only a
    // fetched variable gets this hint.
    const std::vector<std::string_view> words = wordsOf(line);
    const std::string fetch = std::string("$").append(name);
    if (std::find(words.begin(), words.end(), fetch) == words.end()) return {};
    const std::string_view near = nearest(name, in.variableNames());
    if (!near.empty()) return "Did you mean $" + std::string(near) + "?";
    return std::string(name) + " has no value yet: store one first, as in 10 =" + std::string(name) + ".";
}

std::string underflowHint(std::string_view line) {
    const std::vector<std::string_view> words = wordsOf(line);
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (words[i] != "]") continue;
        // `[ ... ] times` with nothing before the block to count with.
        if (i + 1 < words.size() && words[i + 1] == "times") {
            std::size_t open = i;
            for (int depth = 0; open-- > 0;) {
                if (words[open] == "]") ++depth;
                else if (words[open] == "[" && depth-- == 0) break;
            }
            if (open == static_cast<std::size_t>(-1) || open == 0 || !isNumber(words[open - 1]))
                return std::string(kTimesCount);
        }
        // A block that no word after it runs, before the next block or the
        // end of a definition.
        bool used = false;
        for (std::size_t k = i + 1; k < words.size() && words[k] != "[" && words[k] != "]" && words[k] != ";"; ++k)
            used = used || isBlockWord(words[k]);
        const bool endsDefinition = std::find(words.begin() + static_cast<std::ptrdiff_t>(i), words.end(), ";") != words.end();
        if (!used && !endsDefinition) return std::string(kBlockNotOnStack);
    }
    return {};
}

}  // namespace

std::string unknownWordHint(const forth::Interp& in, std::string_view word) {
    if (definedUnderEmptyName(in, word))
        return "\": " + std::string(word) + "\" defined a word with no name: write :" + std::string(word) +
               ", without the space.";
    for (const ForeignWord& f : kForeignWords)
        if (f.word == word) return std::string(f.hint);
    std::vector<std::string> names = in.dictionaryNames();
    for (auto& a : in.aliasNames()) names.push_back(std::move(a));
    std::string_view near = nearest(word, names);
    // The start of one word only, as "setpens" of setpensize.
    if (near.empty() && word.size() >= limits::kNearMissShortLength) {
        const auto starts = [&](const std::string& n) { return n.starts_with(word); };
        if (std::count_if(names.begin(), names.end(), starts) == 1) near = *std::find_if(names.begin(), names.end(), starts);
    }
    if (!near.empty()) return "Did you mean " + std::string(near) + "?";
    return {};
}

std::size_t editDistance(std::string_view a, std::string_view b) {
    // Optimal string alignment: three rows of the table are enough.
    std::vector<std::size_t> before(b.size() + 1), last(b.size() + 1), row(b.size() + 1);
    for (std::size_t j = 0; j <= b.size(); ++j) last[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const std::size_t cost = a[i - 1] == b[j - 1] ? 0 : 1;
            row[j] = std::min({last[j] + 1, row[j - 1] + 1, last[j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                row[j] = std::min(row[j], before[j - 2] + 1);
        }
        std::swap(before, last);
        std::swap(last, row);
    }
    return last[b.size()];
}

std::string hintFor(const forth::Interp& in, std::string_view message, std::string_view line) {
    if (message.starts_with(kInvalidFloat)) return unknownWordHint(in, message.substr(kInvalidFloat.size()));
    if (message.starts_with(kKeyNotFound))
        return missingVariableHint(in, message.substr(kKeyNotFound.size()), line);
    if (message == kUnderflow) return underflowHint(line);
    return {};
}

}  // namespace reference
