#include "word_reference.h"

#include <algorithm>
#include <stdexcept>

#include "console_words/console_words.h"
#include "reference_limits.h"
#include "turtle/turtle_words.h"

namespace reference {

namespace {

struct GroupText {
    std::string_view key;
    std::string_view title;
    std::string_view intro;
    bool colourNames = false;
};

// The reference's sections in reading order, from the stack to the console.
constexpr GroupText kGroups[] = {
    {"stack", "Stack",
     "Numbers wait on the stack. A word takes its inputs from the top of the stack and leaves its "
     "results there: `2 3 +` leaves 5."},
    {"arithmetic", "Arithmetic",
     "Every number is a 64-bit floating-point number. `mod` and `/mod` first cut their inputs to "
     "whole numbers, toward zero."},
    {"comparison", "Comparison and logic",
     "A flag is 1 for true and 0 for false; words that test a flag count any number but 0 as true."},
    {"control", "Control: blocks, loops and definitions",
     "A block `[ ... ]` is kept, not run; the control word after it runs it: `[ 50 fd 90 rt ] 4 times`. "
     "A definition `:name ... ;` makes a new word. A lone `\\` makes the rest of the line a comment."},
    {"text", "Text and printing",
     "There is one text at a time, set by `'word` or `( several words )`. `..`, `label`, `number`, "
     "`execute` and others use it."},
    {"variables", "Variables",
     "A variable keeps one number under a name. `times` keeps its pass number in the variable `i`."},
    {"turtle motion", "Turtle motion",
     "Positions are pixels from the top-left corner of the image, rows counted downwards. Headings are "
     "degrees: 0 is up and they grow clockwise."},
    {"pen", "Pen", "While the pen is down, the turtle draws a line wherever it goes."},
    {"colours", "Colours",
     "A colour is three numbers on the stack: red, green and blue, each from 0 to 255, blue on top.", true},
    {"image", "Image: shapes, labels and clearing",
     "Ellipses and labels are drawn where the turtle is, whether the pen is up or down."},
    {"console", "Console",
     "Only in pintaro, whose printing words write into the console window; veskel has none of these."},
};

constexpr std::string_view kEffectsNote =
    "A stack effect `( before -- after )` shows what a word takes from the stack and what it leaves "
    "there, the top of the stack on the right: `+` is `( a b -- a+b )`.";
constexpr std::string_view kColoursNote =
    "`#colour` pushes the colour of that name: `#red` pushes 255 0 0. The palette starts with the same "
    "colours, numbered 0 to 15 for `palette` and `setpalette`.";
constexpr std::string_view kAliasesNote = "Short names for turtle words; each does exactly what its word does.";
constexpr std::string_view kSigilsNote =
    "A word that starts with one of these characters, and is not itself a word or an alias, hands "
    "the rest of the word to that sigil: `=size` stores in the variable size.";

[[noreturn]] void refuse(const forth::DocumentedEntry& e, const std::string& why) {
    throw std::logic_error("word reference: " + std::string(e.name) + ": " + why);
}

// Outside `code`, the help must be plain text in every format: none of the
// characters that Markdown or scdoc would take for formatting.
void checkPlainText(const forth::DocumentedEntry& e, std::string_view text) {
    bool inCode = false;
    for (char c : text) {
        if (c == '`')
            inCode = !inCode;
        else if (!inCode && std::string_view("*_|<>[]\\#").find(c) != std::string_view::npos)
            refuse(e, std::string("'") + c + "' outside `code` in: " + std::string(text));
    }
    if (inCode) refuse(e, "unclosed ` in: " + std::string(text));
}

void checkDoc(const forth::DocumentedEntry& e) {
    if (e.name.empty()) refuse(e, "no name");
    if (!e.doc) refuse(e, "no text (an alias of a word that does not exist?)");
    const forth::WordDoc& d = *e.doc;
    if (!d.effect.starts_with("( ") || !d.effect.ends_with(" )") || d.effect.find(" -- ") == std::string_view::npos)
        refuse(e, "stack effect not written ( before -- after ): " + std::string(d.effect));
    if (d.help.empty() || !d.help.ends_with('.')) refuse(e, "help must be one sentence ending in a full stop");
    if (d.help.size() > limits::kMaxHelpLength)
        refuse(e, "help longer than " + std::to_string(limits::kMaxHelpLength) + " characters: " + std::string(d.help));
    checkPlainText(e, d.help);
}

}  // namespace

WordReference gatherWordReference() {
    using Kind = forth::DocumentedEntry::Kind;
    WordReference ref{kEffectsNote, kColoursNote, kAliasesNote, kSigilsNote, {}, {}, {}};
    for (const GroupText& g : kGroups) ref.groups.push_back({g.key, g.title, g.intro, g.colourNames, {}});
    for (const auto table : {forth::coreWordDocs(), turtle::turtleWordDocs(), console_words::consoleWordDocs()}) {
        for (const auto& e : table) {
            checkDoc(e);
            if (e.kind == Kind::Alias) {
                ref.aliases.push_back(e);
                continue;
            }
            if (e.kind == Kind::Sigil) ref.sigils.push_back(e);
            auto g = std::find_if(ref.groups.begin(), ref.groups.end(),
                                  [&](const Group& group) { return group.key == e.doc->group; });
            if (g == ref.groups.end()) refuse(e, "unknown group \"" + std::string(e.doc->group) + '"');
            g->rows.push_back({e, {}});
        }
    }
    // Each word's row names its aliases.
    for (const auto& a : ref.aliases) {
        bool found = false;
        for (Group& g : ref.groups)
            for (Row& r : g.rows)
                if (r.entry.kind == Kind::Word && r.entry.name == a.target) {
                    r.aliases.push_back(a.name);
                    found = true;
                }
        if (!found) refuse(a, "stands for " + std::string(a.target) + ", which is not a word");
    }
    for (const auto& g : ref.groups)
        if (g.rows.empty()) throw std::logic_error("word reference: no words in the group " + std::string(g.key));
    return ref;
}

std::string namesOf(const Row& row, std::string_view open, std::string_view close) {
    std::string s;
    s.append(open).append(row.entry.name).append(close);
    for (auto a : row.aliases) s.append(", ").append(open).append(a).append(close);
    return s;
}

}  // namespace reference
