// The word reference written out: Markdown for docs/reference.md, plain
// text for the terminal, scdoc for the manual page. All three show the same
// groups, rows, colour names, aliases and sigils in the same order.
#include <algorithm>
#include <cctype>
#include <cstdio>
#include <string>

#include "reference_limits.h"
#include "turtle.h"
#include "word_reference.h"

namespace reference {

namespace {

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

std::string str(std::string_view s) { return std::string(s); }

// A word's names as a row shows them: "forward, fd".
std::string namesOf(const Row& row, std::string_view open, std::string_view close) {
    std::string s = str(open) + str(row.entry.name) + str(close);
    for (auto a : row.aliases) s += ", " + str(open) + str(a) + str(close);
    return s;
}

std::string sigilChar(const forth::DocumentedEntry& e) { return std::string(1, e.name[0]); }

// ---- Markdown ----

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

std::string markdown(const WordReference& ref) {
    std::string out =
        "# Veskel Forth word reference\n\n"
        "<!-- Made from the word tables by `cmake --build build --target reference`:\n"
        "     change the tables in the code, not this file. -->\n\n"
        "Every word of Veskel Forth, grouped by what it is for. " +
        str(kEffectsNote) +
        " New to the language? [The tour](tour.md) teaches it step by step. In a terminal, "
        "`veskel --words` prints this reference.\n\n";
    for (const Group& g : ref.groups) out += mdLink(g.title) + " · ";
    out += mdLink("Aliases") + " · " + mdLink("Sigils") + '\n';

    for (const Group& g : ref.groups) {
        out += "\n## " + str(g.title) + "\n\n" + str(g.intro) + "\n\n| word | stack effect | what it does |\n|---|---|---|\n";
        for (const Row& r : g.rows)
            out += "| " + namesOf(r, "`", "`") + " | " + mdCode(r.entry.doc->effect) + " | " + str(r.entry.doc->help) + " |\n";
        if (g.colourNames) {
            out += "\n### Colour names\n\n" + str(kColoursNote) + "\n\n| number | name | red | green | blue |\n|---|---|---|---|---|\n";
            for (std::size_t i = 0; i < turtle::kColorNames.size(); ++i) {
                const auto& c = turtle::kColorNames[i];
                out += "| " + std::to_string(i) + " | `#" + str(c.name) + "` | " + std::to_string(c.color.r) + " | " +
                       std::to_string(c.color.g) + " | " + std::to_string(c.color.b) + " |\n";
            }
        }
    }

    out += "\n## Aliases\n\n" + str(kAliasesNote) + "\n\n| alias | word | stack effect |\n|---|---|---|\n";
    for (const auto& a : ref.aliases)
        out += "| `" + str(a.name) + "` | `" + str(a.target) + "` | " + mdCode(a.doc->effect) + " |\n";

    out += "\n## Sigils\n\n" + str(kSigilsNote) + "\n\n| sigil | written | stack effect | described under |\n|---|---|---|---|\n";
    for (const auto& s : ref.sigils) {
        const auto g = std::find_if(ref.groups.begin(), ref.groups.end(), [&](const Group& x) { return x.key == s.doc->group; });
        out += "| `" + sigilChar(s) + "` | `" + str(s.name) + "` | " + mdCode(s.doc->effect) + " | " + mdLink(g->title) + " |\n";
    }
    return out;
}

// ---- plain text ----

// The paragraph broken into lines of at most limits::kTextWidth columns,
// each starting with `indent`; a `code` span is never broken.
std::string wrap(std::string_view text, std::string_view indent) {
    std::string out, line = str(indent);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        bool inCode = false;
        for (; end < text.size() && (inCode || text[end] != ' '); ++end)
            if (text[end] == '`') inCode = !inCode;
        const std::string_view word = text.substr(pos, end - pos);
        if (line.size() > indent.size() && line.size() + 1 + word.size() > limits::kTextWidth) {
            out += line + '\n';
            line = str(indent);
        }
        if (line.size() > indent.size()) line += ' ';
        line += word;
        pos = end + 1;
    }
    return out + line + '\n';
}

std::string padded(std::string s, std::size_t width) {
    s.resize(std::max(s.size(), width), ' ');
    return s;
}

std::string heading(std::string_view title) {
    std::string s(1, '\n');
    s.append(title).append(1, '\n').append(title.size(), '-').append(1, '\n');
    return s;
}

std::string text(const WordReference& ref) {
    std::string out = "VESKEL FORTH WORDS\n\n" + wrap(kEffectsNote, "");
    for (const Group& g : ref.groups) {
        out += heading(g.title) + wrap(g.intro, "") + '\n';
        std::size_t width = 0;
        for (const Row& r : g.rows) width = std::max(width, namesOf(r, "", "").size());
        for (const Row& r : g.rows)
            out += "  " + padded(namesOf(r, "", ""), width) + "  " + str(r.entry.doc->effect) + "\n      " +
                   str(r.entry.doc->help) + '\n';
        if (g.colourNames) {
            out += '\n' + wrap(kColoursNote, "") + '\n';
            for (std::size_t i = 0; i < turtle::kColorNames.size(); ++i) {
                const auto& c = turtle::kColorNames[i];
                char line[64];
                std::snprintf(line, sizeof line, "  %2zu  %-8s %3d %3d %3d\n", i, str(c.name).c_str(), c.color.r,
                              c.color.g, c.color.b);
                out += line;
            }
        }
    }
    out += heading("Aliases") + wrap(kAliasesNote, "") + '\n';
    for (const auto& a : ref.aliases) out += "  " + padded(str(a.name), 6) + " " + padded(str(a.target), 14) + "  " + str(a.doc->effect) + '\n';
    out += heading("Sigils") + wrap(kSigilsNote, "") + '\n';
    for (const auto& s : ref.sigils) out += "  " + sigilChar(s) + "  " + padded(str(s.name), 8) + "  " + str(s.doc->effect) + '\n';
    return out;
}

// ---- scdoc ----

std::string scdocEscaped(std::string_view s) {
    std::string out;
    for (char c : s) {
        if (c == '*' || c == '_' || c == '\\') out += '\\';
        out += c;
    }
    return out;
}

std::string scdocBold(std::string_view s) { return '*' + scdocEscaped(s) + '*'; }

// Running text with its `code` in bold, the way the manual pages show words.
std::string scdocProse(std::string_view s) {
    std::string out;
    std::size_t pos = 0;
    while (pos < s.size()) {
        const std::size_t open = s.find('`', pos);
        if (open == std::string_view::npos) {
            out += scdocEscaped(s.substr(pos));
            break;
        }
        const std::size_t close = s.find('`', open + 1);
        out += scdocEscaped(s.substr(pos, open - pos)) + scdocBold(s.substr(open + 1, close - open - 1));
        pos = close + 1;
    }
    return out;
}

std::string scdoc(const WordReference& ref) {
    std::string out = "# WORDS\n\n" + scdocProse(kEffectsNote) + "\n";
    for (const Group& g : ref.groups) {
        out += "\n## " + str(g.title) + "\n\n" + scdocProse(g.intro) + "\n";
        for (const Row& r : g.rows) {
            std::string names = scdocBold(r.entry.name);
            for (auto a : r.aliases) names += ", " + scdocBold(a);
            out += "\n" + names + " " + scdocEscaped(r.entry.doc->effect) + "\n\t" + scdocProse(r.entry.doc->help) + "\n";
        }
        if (g.colourNames) {
            out += "\n" + scdocProse(kColoursNote) + "\n\n";
            for (std::size_t i = 0; i < turtle::kColorNames.size(); ++i) {
                const auto& c = turtle::kColorNames[i];
                out += std::to_string(i) + " " + scdocBold(c.name) + " (" + std::to_string(c.color.r) + " " +
                       std::to_string(c.color.g) + " " + std::to_string(c.color.b) + ")" +
                       (i + 1 < turtle::kColorNames.size() ? ",\n" : ".\n");
            }
        }
    }
    out += "\n## Aliases\n\n" + scdocProse(kAliasesNote) + "\n\n";
    for (std::size_t i = 0; i < ref.aliases.size(); ++i)
        out += scdocBold(ref.aliases[i].name) + " for " + scdocBold(ref.aliases[i].target) +
               (i + 1 < ref.aliases.size() ? ",\n" : ".\n");
    out += "\n## Sigils\n\n" + scdocProse(kSigilsNote) + "\n\n";
    for (std::size_t i = 0; i < ref.sigils.size(); ++i)
        out += scdocBold(ref.sigils[i].name) + (i + 1 < ref.sigils.size() ? ",\n" : ".\n");
    return out;
}

}  // namespace

std::string render(const WordReference& ref, Format format) {
    switch (format) {
        case Format::Markdown: return markdown(ref);
        case Format::Text: return text(ref);
        case Format::Scdoc: return scdoc(ref);
    }
    return {};
}

}  // namespace reference
