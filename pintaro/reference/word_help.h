// Help on one word as a learner has it at hand: what the word reference
// says of it (the same rows as `veskel --words`), what an alias stands
// for, the code of a word the script defined, the value of a variable.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "forth/interp.h"
#include "word_reference.h"

namespace reference {

struct WordHelp {
    // "forward, fd ( d -- ) Turtle motion"; empty when the word is unknown.
    std::string heading;
    // The help line, the definition or the value; plain text.
    std::string text;
};

// Help on `word` as the interpreter knows it now. A word the script
// defined (or redefined) shows its code; an alias first says what it
// stands for; $name and =name show the variable's value.
WordHelp helpOn(const forth::Interp& in, const WordReference& ref, std::string_view word);

// The word of UTF-8 `text` around the cursor at character `at` (a word is
// a run of characters other than white space; a cursor just after one is
// on it), with its place in characters, as the editors count. Empty when
// the cursor touches no word.
struct WordSpan {
    std::size_t start = 0;  // characters
    std::size_t end = 0;
    std::string word;
};
WordSpan wordAt(std::string_view text, std::size_t at);

// What a partly typed word can become: dictionary words and aliases, and
// after the $ and = sigils the names of the variables set so far; sorted,
// each once.
std::vector<std::string> completionsFor(const forth::Interp& in, std::string_view partial);

// The longest start the candidates share (the candidates are not empty).
std::string commonStart(const std::vector<std::string>& candidates);

}  // namespace reference
