// The word reference as scdoc: the WORDS section of veskel-forth(7).
#include <string>

#include "turtle/turtle.h"
#include "word_reference.h"

namespace reference {

namespace {

std::string str(std::string_view s) { return std::string(s); }

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

}  // namespace

std::string renderScdoc(const WordReference& ref) {
    std::string out = "# WORDS\n\n" + scdocProse(ref.effectsNote) + "\n";
    for (const Group& g : ref.groups) {
        out += "\n## " + str(g.title) + "\n\n" + scdocProse(g.intro) + "\n";
        for (const Row& r : g.rows) {
            std::string names = scdocBold(r.entry.name);
            for (auto a : r.aliases) names += ", " + scdocBold(a);
            out += "\n" + names + " " + scdocEscaped(r.entry.doc->effect) + "\n\t" + scdocProse(r.entry.doc->help) + "\n";
        }
        if (g.colourNames) {
            out.append("\n").append(scdocProse(ref.coloursNote)).append("\n\n");
            for (std::size_t i = 0; i < turtle::kColorNames.size(); ++i) {
                const auto& c = turtle::kColorNames[i];
                out += std::to_string(i) + " " + scdocBold(c.name) + " (" + std::to_string(c.color.r) + " " +
                       std::to_string(c.color.g) + " " + std::to_string(c.color.b) + ")" +
                       (i + 1 < turtle::kColorNames.size() ? ",\n" : ".\n");
            }
        }
    }
    out += "\n## Aliases\n\n" + scdocProse(ref.aliasesNote) + "\n\n";
    for (std::size_t i = 0; i < ref.aliases.size(); ++i)
        out += scdocBold(ref.aliases[i].name) + " for " + scdocBold(ref.aliases[i].target) +
               (i + 1 < ref.aliases.size() ? ",\n" : ".\n");
    out += "\n## Sigils\n\n" + scdocProse(ref.sigilsNote) + "\n\n";
    for (std::size_t i = 0; i < ref.sigils.size(); ++i)
        out += scdocBold(ref.sigils[i].name) + (i + 1 < ref.sigils.size() ? ",\n" : ".\n");
    return out;
}

}  // namespace reference
