#include "word_help.h"

#include <algorithm>
#include <set>

namespace reference {

namespace {

// The reference marks code with backticks; help shown as plain text drops them.
std::string plain(std::string_view text) {
    std::string s;
    for (char c : text)
        if (c != '`') s += c;
    return s;
}

const Row* findRow(const WordReference& ref, std::string_view name, const Group** group) {
    for (const Group& g : ref.groups)
        for (const Row& r : g.rows)
            if (r.entry.name == name) {
                *group = &g;
                return &r;
            }
    return nullptr;
}

WordHelp fromRow(const Row& row, const Group& group) {
    return {namesOf(row, "", "") + " " + std::string(row.entry.doc->effect) + " " + std::string(group.title),
            plain(row.entry.doc->help)};
}

bool whiteSpace(char c) { return c == ' ' || (c >= 9 && c <= 13); }
bool continuationByte(char c) { return (static_cast<unsigned char>(c) & 0xC0) == 0x80; }

}  // namespace

WordHelp helpOn(const forth::Interp& in, const WordReference& ref, std::string_view word) {
    if (word.empty()) return {};
    // The script's own words first: a redefined built-in runs the new code.
    if (const forth::WordRecord* rec = in.findWord(word); rec && rec->kind == forth::WordKind::userWord) {
        const std::string definition = std::string(":").append(word);
        return {definition + " ... ; defined by the script", definition + " " + forth::joinWords(*rec->code) + " ;"};
    }
    const Group* group = nullptr;
    if (in.findWord(word))
        if (const Row* row = findRow(ref, word, &group)) return fromRow(*row, *group);
    if (const std::string* target = in.findAlias(word)) {
        WordHelp help = helpOn(in, ref, *target);
        help.text = std::string(word) + " stands for " + *target + ". " + help.text;
        if (help.heading.empty()) help.heading = std::string(word) + " stands for " + *target;
        return help;
    }
    // A sigil and what follows it: the sigil's row, and for the variable
    // sigils the variable's value.
    for (const auto& sigil : ref.sigils) {
        if (sigil.name.empty() || word[0] != sigil.name[0]) continue;
        const Row* row = findRow(ref, sigil.name, &group);
        if (!row) break;
        WordHelp help = fromRow(*row, *group);
        const std::string name(word.substr(1));
        if ((word[0] == '$' || word[0] == '=') && !name.empty()) {
            const auto vars = in.variableNames();
            if (std::find(vars.begin(), vars.end(), name) != vars.end())
                help.text += " The variable " + name + " holds " + forth::formatShort(in.variable(name)) + ".";
            else
                help.text += " The variable " + name + " has no value yet.";
        }
        return help;
    }
    // A bare variable name, as a learner may point at it.
    const auto vars = in.variableNames();
    if (std::find(vars.begin(), vars.end(), word) != vars.end())
        return {"variable " + std::string(word),
                "The variable " + std::string(word) + " holds " + forth::formatShort(in.variable(word)) +
                    ": $" + std::string(word) + " pushes it, =" + std::string(word) + " stores."};
    return {};
}

WordSpan wordAt(std::string_view text, std::size_t at) {
    // The cursor's byte offset.
    std::size_t pos = 0;
    for (std::size_t chars = 0; pos < text.size(); ++pos)
        if (!continuationByte(text[pos]) && chars++ == at) break;
    std::size_t start = pos, end = pos;
    while (start > 0 && !whiteSpace(text[start - 1])) --start;
    while (end < text.size() && !whiteSpace(text[end])) ++end;
    if (start == end) return {};
    auto charsUpTo = [&](std::size_t bytes) {
        return static_cast<std::size_t>(
            std::count_if(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(bytes),
                          [](char c) { return !continuationByte(c); }));
    };
    return {charsUpTo(start), charsUpTo(end), std::string(text.substr(start, end - start))};
}

std::vector<std::string> completionsFor(const forth::Interp& in, std::string_view partial) {
    std::set<std::string> found;
    auto offer = [&](std::string_view prefix, const std::vector<std::string>& names) {
        for (const auto& n : names)
            if (!n.empty() && n.starts_with(partial.substr(prefix.size()))) found.insert(std::string(prefix) + n);
    };
    offer("", in.dictionaryNames());
    offer("", in.aliasNames());
    // = and $ are words too; what follows them names a variable.
    if (partial.starts_with('$')) offer("$", in.variableNames());
    if (partial.starts_with('=')) offer("=", in.variableNames());
    return {found.begin(), found.end()};
}

std::string commonStart(const std::vector<std::string>& candidates) {
    std::string start = candidates.front();
    for (const auto& c : candidates) {
        std::size_t n = 0;
        while (n < start.size() && n < c.size() && start[n] == c[n]) ++n;
        start.resize(n);
    }
    return start;
}

}  // namespace reference
