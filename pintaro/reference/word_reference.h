// The word reference: every word, sigil and alias of Veskel Forth, gathered
// from the registration tables of the interpreter, the turtle and the
// console, grouped by what they are for, and written out as Markdown
// (docs/reference.md), as plain text (veskel --words) or as scdoc (the word
// list of veskel-forth(7)).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forth/word_doc.h"

namespace reference {

// A word or sigil as one row of its group.
struct Row {
    forth::DocumentedEntry entry;
    std::vector<std::string_view> aliases;  // other names of the word
};

struct Group {
    std::string_view key;    // as the tables name it: "turtle motion"
    std::string_view title;  // "Turtle motion"
    std::string_view intro;  // one or two sentences; `backticks` mark code
    bool colourNames;        // the colour names follow the rows
    std::vector<Row> rows;   // in registration order
};

struct WordReference {
    // What every form of the reference says besides the rows; `backticks`
    // mark code.
    std::string_view effectsNote;  // how to read a stack effect
    std::string_view coloursNote;  // before the colour names
    std::string_view aliasesNote;
    std::string_view sigilsNote;
    std::vector<Group> groups;  // in reading order
    // In registration order (core, turtle, console), as `aliases` and
    // `sigils` list them.
    std::vector<forth::DocumentedEntry> aliases;
    std::vector<forth::DocumentedEntry> sigils;
};

// Gathers the tables. Raises std::logic_error for an entry the reference
// cannot show: an unknown group, a stack effect not written "( ... -- ... )",
// a help text that is not one short sentence of plain text.
WordReference gatherWordReference();

// A word's names as its row shows them, each between open and close:
// "forward, fd".
std::string namesOf(const Row& row, std::string_view open, std::string_view close);

// The whole reference in one form, each in its own file so that a program
// links only the one it shows. Scdoc gives the sections of the word list
// only, for the manual page to take in between its own.
// The paragraph broken into lines of at most `width` columns, each
// starting with `indent` and ending in a line feed; a `code` span is never
// broken.
std::string wrapParagraph(std::string_view text, std::string_view indent, std::size_t width);

std::string renderMarkdown(const WordReference& ref);  // reference_markdown.cpp
std::string renderText(const WordReference& ref);      // reference_text.cpp
std::string renderScdoc(const WordReference& ref);     // reference_scdoc.cpp

}  // namespace reference
