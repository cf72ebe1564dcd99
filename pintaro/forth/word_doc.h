// What the word reference says about an entry of a registration table. The
// text lives in the entry itself, next to the name it describes, so the
// reference (docs/reference.md, `veskel --words`, veskel-forth(7)) is made
// from the very tables that build the dictionary and cannot drift from them.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace forth {

struct WordDoc {
    // The reference's section, by key: "stack", "turtle motion", ... The
    // reference knows the sections and their order, and refuses an unknown key.
    std::string_view group;
    // The stack effect, "( before -- after )", the top of the stack on the right.
    std::string_view effect;
    // One line for a learner; `backticks` mark words and code.
    std::string_view help;
};

// One documented entry of a registration table, whatever table it is in.
struct DocumentedEntry {
    enum class Kind : std::uint8_t { Word, Sigil, Alias };
    Kind kind = Kind::Word;
    // The word; a sigil as it is written ("=name"); the alias.
    std::string_view name;
    // An alias has no text of its own: it shares that of its word.
    const WordDoc* doc = nullptr;
    // For an alias, the word it stands for.
    std::string_view target;
};

// The core words and sigils, in registration order (corewords.cpp). Each
// table's listing is made when the program is compiled: no code runs for it.
std::span<const DocumentedEntry> coreWordDocs();

}  // namespace forth
