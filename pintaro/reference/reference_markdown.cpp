// The word reference as Markdown: docs/reference.md.
#include <algorithm>
#include <cctype>
#include <string>

#include "turtle/turtle.h"
#include "word_reference.h"

namespace reference {

namespace {

std::string str(std::string_view s) { return std::string(s); }

// Inside a table a code span still ends its cell at '|'.
std::string mdCode(std::string_view code) {
    std::string s = "`";
    for (char c : code) s += c == '|' ? std::string("\\|") : std::string(1, c);
    return s + '`';
}

// GitHub's anchor for a heading: lower case, punctuation dropped, spaces
// made hyphens.
std::string anchorOf(std::string_view title) {
    std::string a;
    for (char c : title) {
        if (std::isalnum(static_cast<unsigned char>(c)) || c == '-')
            a += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        else if (c == ' ')
            a += '-';
    }
    return a;
}

// A link to the section with that title.
std::string mdLink(std::string_view title) {
    std::string s(1, '[');
    s.append(title).append("](#").append(anchorOf(title)).append(1, ')');
    return s;
}

}  // namespace

std::string renderMarkdown(const WordReference& ref) {
    std::string out =
        "# Veskel Forth word reference\n\n"
        "<!-- Made from the word tables by `cmake --build build --target reference`:\n"
        "     change the tables in the code, not this file. -->\n\n"
        "Every word of Veskel Forth, grouped by what it is for. " +
        str(ref.effectsNote) +
        " New to the language? [The tour](tour.md) teaches it step by step. In a terminal, "
        "`veskel --words` prints this reference.\n\n";
    for (const Group& g : ref.groups) out += mdLink(g.title) + " · ";
    out += mdLink("Aliases") + " · " + mdLink("Sigils") + '\n';

    for (const Group& g : ref.groups) {
        out += "\n## " + str(g.title) + "\n\n" + str(g.intro) + "\n\n| word | stack effect | what it does |\n|---|---|---|\n";
        for (const Row& r : g.rows)
            out += "| " + namesOf(r, "`", "`") + " | " + mdCode(r.entry.doc->effect) + " | " + str(r.entry.doc->help) + " |\n";
        if (g.colourNames) {
            out += "\n### Colour names\n\n" + str(ref.coloursNote) + "\n\n| number | name | red | green | blue |\n|---|---|---|---|---|\n";
            for (std::size_t i = 0; i < turtle::kColorNames.size(); ++i) {
                const auto& c = turtle::kColorNames[i];
                out += "| " + std::to_string(i) + " | `#" + str(c.name) + "` | " + std::to_string(c.color.r) + " | " +
                       std::to_string(c.color.g) + " | " + std::to_string(c.color.b) + " |\n";
            }
        }
    }

    out += "\n## Aliases\n\n" + str(ref.aliasesNote) + "\n\n| alias | word | stack effect |\n|---|---|---|\n";
    for (const auto& a : ref.aliases)
        out += "| `" + str(a.name) + "` | `" + str(a.target) + "` | " + mdCode(a.doc->effect) + " |\n";

    out += "\n## Sigils\n\n" + str(ref.sigilsNote) + "\n\n| sigil | written | stack effect | described under |\n|---|---|---|---|\n";
    for (const auto& s : ref.sigils) {
        const auto g = std::find_if(ref.groups.begin(), ref.groups.end(), [&](const Group& x) { return x.key == s.doc->group; });
        out += "| `" + str(s.name.substr(0, 1)) + "` | `" + str(s.name) + "` | " + mdCode(s.doc->effect) + " | " + mdLink(g->title) + " |\n";
    }
    return out;
}

}  // namespace reference
