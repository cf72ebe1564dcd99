// The word reference as plain text for a terminal: veskel --words.
#include <algorithm>
#include <cstdio>
#include <string>

#include "reference_limits.h"
#include "turtle/turtle.h"
#include "word_reference.h"

namespace reference {

namespace {

std::string str(std::string_view s) { return std::string(s); }

std::string wrap(std::string_view text, std::string_view indent) { return wrapParagraph(text, indent, limits::kTextWidth); }

}  // namespace

std::string wrapParagraph(std::string_view text, std::string_view indent, std::size_t width) {
    std::string out, line = str(indent);
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t end = pos;
        bool inCode = false;
        for (; end < text.size() && (inCode || text[end] != ' '); ++end)
            if (text[end] == '`') inCode = !inCode;
        const std::string_view word = text.substr(pos, end - pos);
        if (line.size() > indent.size() && line.size() + 1 + word.size() > width) {
            out += line + '\n';
            line = str(indent);
        }
        if (line.size() > indent.size()) line += ' ';
        line += word;
        pos = end + 1;
    }
    return out + line + '\n';
}

namespace {

std::string padded(std::string s, std::size_t width) {
    s.resize(std::max(s.size(), width), ' ');
    return s;
}

std::string heading(std::string_view title) {
    std::string s(1, '\n');
    s.append(title).append(1, '\n').append(title.size(), '-').append(1, '\n');
    return s;
}

}  // namespace

std::string renderText(const WordReference& ref) {
    std::string out = "VESKEL FORTH WORDS\n\n" + wrap(ref.effectsNote, "");
    for (const Group& g : ref.groups) {
        out += heading(g.title) + wrap(g.intro, "") + '\n';
        std::size_t width = 0;
        for (const Row& r : g.rows) width = std::max(width, namesOf(r, "", "").size());
        for (const Row& r : g.rows)
            out += "  " + padded(namesOf(r, "", ""), width) + "  " + str(r.entry.doc->effect) + "\n      " +
                   str(r.entry.doc->help) + '\n';
        if (g.colourNames) {
            out += '\n' + wrap(ref.coloursNote, "") + '\n';
            for (std::size_t i = 0; i < turtle::kColorNames.size(); ++i) {
                const auto& c = turtle::kColorNames[i];
                char line[64];
                std::snprintf(line, sizeof line, "  %2zu  %-8s %3d %3d %3d\n", i, str(c.name).c_str(), c.color.r,
                              c.color.g, c.color.b);
                out += line;
            }
        }
    }
    out += heading("Aliases") + wrap(ref.aliasesNote, "") + '\n';
    for (const auto& a : ref.aliases) out += "  " + padded(str(a.name), 6) + " " + padded(str(a.target), 14) + "  " + str(a.doc->effect) + '\n';
    out += heading("Sigils") + wrap(ref.sigilsNote, "") + '\n';
    for (const auto& s : ref.sigils) out += "  " + str(s.name.substr(0, 1)) + "  " + padded(str(s.name), 8) + "  " + str(s.doc->effect) + '\n';
    return out;
}

}  // namespace reference
