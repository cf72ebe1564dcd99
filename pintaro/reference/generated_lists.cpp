#include "generated_lists.h"

#include <algorithm>
#include <optional>
#include <stdexcept>
#include <vector>

#include "turtle/image_format.h"

namespace reference {

namespace {

using turtle::SaveKind;

std::string item(std::string_view text, Markup markup) {
    std::string_view mark;
    switch (markup) {
    case Markup::Markdown: mark = "`"; break;
    case Markup::Scdoc: mark = "*"; break;
    case Markup::Shell: return std::string(text.substr(text.starts_with('.') ? 1 : 0));
    case Markup::Plain: break;
    }
    return std::string(mark).append(text).append(mark);
}

std::string list(const std::vector<std::string>& items, Markup markup) {
    if (markup != Markup::Shell) return turtle::listInWords(items);
    std::string text;
    for (const std::string& s : items) text += (text.empty() ? "" : "|") + s;
    return text;
}

// The extensions of one kind, or of every row.
std::string extensions(std::optional<SaveKind> kind, Markup markup) {
    std::vector<std::string> items;
    for (SaveKind k : {SaveKind::Raster, SaveKind::Vector})
        if (!kind || *kind == k)
            for (std::string_view ext : turtle::saveFormatExtensions(k)) items.push_back(item(ext, markup));
    return list(items, markup);
}

std::string names(SaveKind kind, Markup markup) {
    std::vector<std::string> items;
    for (std::string_view name : turtle::saveFormatNames(kind)) items.emplace_back(name);
    return list(items, markup);
}

// "JPG at quality 80": each name saved at a quality, once.
std::string qualities(Markup markup) {
    std::vector<std::string> items, seen;
    for (const turtle::SaveFormat& f : turtle::saveFormats()) {
        if (f.quality < 0 || std::find(seen.begin(), seen.end(), f.name) != seen.end()) continue;
        seen.emplace_back(f.name);
        items.push_back(std::string(f.name) + " at quality " + std::to_string(f.quality));
    }
    return markup == Markup::Shell ? list(items, markup) : turtle::listInWords(items, " and ");
}

struct Field {
    std::string_view key;
    std::string (*make)(Markup);
};

constexpr Field kFields[] = {
    {"extensions", [](Markup m) { return extensions(std::nullopt, m); }},
    {"raster-extensions", [](Markup m) { return extensions(SaveKind::Raster, m); }},
    {"vector-extensions", [](Markup m) { return extensions(SaveKind::Vector, m); }},
    {"raster-names", [](Markup m) { return names(SaveKind::Raster, m); }},
    {"vector-names", [](Markup m) { return names(SaveKind::Vector, m); }},
    {"quality", qualities},
    {"pintaro-refusal", [](Markup) { return turtle::saveAsMessage(turtle::FormatChoice::RasterOnly); }},
    {"veskel-refusal", [](Markup) { return turtle::saveAsMessage(turtle::FormatChoice::WithVectors); }},
};

std::string knownFields() {
    std::string text;
    for (const Field& f : kFields) text += (text.empty() ? "{" : ", {") + std::string(f.key) + "}";
    return text;
}

constexpr std::string_view kMarker = "generated: ";
constexpr std::string_view kInlineOpen = "<!-- generated: ";
constexpr std::string_view kInlineClose = " -->";
constexpr std::string_view kInlineEnd = "<!-- end -->";

// One Markdown line with its inline regions refilled.
std::string refillInline(std::string_view line) {
    std::string out;
    for (std::size_t at = 0;;) {
        const std::size_t open = line.find(kInlineOpen, at);
        if (open == std::string_view::npos) return out.append(line.substr(at));
        const std::size_t close = line.find(kInlineClose, open + kInlineOpen.size());
        const std::size_t end = close == std::string_view::npos ? close : line.find(kInlineEnd, close);
        if (end == std::string_view::npos)
            throw std::invalid_argument("a generated region without " + std::string(kInlineEnd) + " on its line");
        const std::size_t body = close + kInlineClose.size();
        const std::string_view templ = line.substr(open + kInlineOpen.size(), close - open - kInlineOpen.size());
        out.append(line.substr(at, body - at)).append(fillTemplate(templ, Markup::Markdown));
        out.append(kInlineEnd);
        at = end + kInlineEnd.size();
    }
}

// The template of a line-form marker ("  # generated: ..."), if it is one.
std::optional<std::pair<std::string_view, std::string_view>> lineMarker(std::string_view line) {
    const std::size_t lead = line.find_first_not_of(" \t");
    if (lead == std::string_view::npos || (line[lead] != '#' && line[lead] != ';') || lead + 2 > line.size() ||
        line[lead + 1] != ' ' || line.substr(lead + 2, kMarker.size()) != kMarker)
        return std::nullopt;
    return std::pair{line.substr(0, lead), line.substr(lead + 2 + kMarker.size())};
}

}  // namespace

Markup markupForPath(std::string_view path) {
    if (path.ends_with(".md")) return Markup::Markdown;
    if (path.ends_with(".scd")) return Markup::Scdoc;
    if (path.ends_with(".bash")) return Markup::Shell;
    return Markup::Plain;
}

std::string fillTemplate(std::string_view text, Markup markup) {
    std::string out;
    for (std::size_t at = 0;;) {
        const std::size_t open = text.find('{', at);
        if (open == std::string_view::npos) return out.append(text.substr(at));
        const std::size_t close = text.find('}', open);
        if (close == std::string_view::npos) throw std::invalid_argument("a { without its } in a generated region");
        const std::string_view key = text.substr(open + 1, close - open - 1);
        const auto field = std::find_if(std::begin(kFields), std::end(kFields), [&](const Field& f) { return f.key == key; });
        if (field == std::end(kFields))
            throw std::invalid_argument("unknown field {" + std::string(key) + "}; the fields are " + knownFields());
        out.append(text.substr(at, open - at)).append(field->make(markup));
        at = close + 1;
    }
}

std::string refillRegions(std::string_view text, Markup markup) {
    std::string out;
    std::size_t number = 0;
    std::optional<std::string> pending;  // the line a marker just above makes
    for (std::size_t at = 0; at < text.size();) {
        const std::size_t nl = text.find('\n', at);
        const std::size_t next = nl == std::string_view::npos ? text.size() : nl + 1;
        const std::string_view line = text.substr(at, nl == std::string_view::npos ? next - at : nl - at);
        const std::string_view ending = text.substr(at + line.size(), next - at - line.size());
        ++number;
        at = next;
        try {
            if (pending) {
                out.append(*pending).append(ending);
                pending.reset();
                continue;
            }
            if (markup == Markup::Markdown) {
                out.append(refillInline(line)).append(ending);
                continue;
            }
            if (auto marker = lineMarker(line)) pending = std::string(marker->first) + fillTemplate(marker->second, markup);
            out.append(line).append(ending);
        } catch (const std::invalid_argument& e) {
            throw std::invalid_argument("line " + std::to_string(number) + ": " + e.what());
        }
    }
    if (pending) throw std::invalid_argument("line " + std::to_string(number) + ": a generated line is missing after its marker");
    return out;
}

}  // namespace reference
