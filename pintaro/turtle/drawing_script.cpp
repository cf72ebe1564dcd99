#include "drawing_script.h"

#include <cstdint>

#include <charconv>
#include <climits>

#include "turtle_limits.h"
#include "forth/utf8_text.h"

namespace turtle {

namespace {

constexpr std::string_view kStarted = "\\ Drawing started ";
constexpr std::string_view kFromStartImage = "from the start image: ";
constexpr std::string_view kWithNew = "with New: ";
constexpr std::string_view kFromOpened = "from the opened picture ";
constexpr std::string_view kResized = "\\ Resized to ";
constexpr std::string_view kNotKept = "\\ Not kept: ";
constexpr std::string_view kStoppedAfter = "\\ Stopped with Escape after ";
constexpr std::string_view kStoppedSteps = " steps: ";

constexpr Color kBlack{0, 0, 0, 255};
constexpr Color kWhite{255, 255, 255, 255};

std::string size(int width, int height) { return std::to_string(width) + " x " + std::to_string(height) + " pixels"; }

// The shortest text the reader turns back into exactly this double
// (including "nan", "inf" and "-0").
std::string number(double v) {
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, end) : "nan";
}

std::string channels(Color c) {
    return std::to_string(c.r) + " " + std::to_string(c.g) + " " + std::to_string(c.b);
}

// A file name inside a one-line comment: no line ends, no control
// characters, and UTF-8 so that the chunk stays text.
std::string printableName(std::string_view name) {
    const bool utf8 = forth::isUtf8Text(name);
    std::string out;
    for (char c : name) {
        const auto u = static_cast<unsigned char>(c);
        out += u < 0x20 || u == 0x7F || (!utf8 && u >= 0x80) ? '?' : c;
    }
    return out;
}

// "W x H pixels" at the start of `text`, each side 1 to INT_MAX.
std::optional<std::pair<int, int>> parseSize(std::string_view text) {
    auto side = [&](int& out) {
        long long v = 0;
        const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
        if (ec != std::errc() || end == text.data() || v < 1 || v > INT_MAX) return false;
        out = static_cast<int>(v);
        text.remove_prefix(static_cast<std::size_t>(end - text.data()));
        return true;
    };
    int w = 0, h = 0;
    if (!side(w) || text.substr(0, 3) != " x ") return std::nullopt;
    text.remove_prefix(3);
    if (!side(h) || text.substr(0, 7) != " pixels") return std::nullopt;
    return std::make_pair(w, h);
}

}  // namespace

std::string scriptStartLine(DrawingStart how, int width, int height, std::string_view openedName) {
    switch (how) {
        case DrawingStart::StartImage:
            return std::string(kStarted) + std::string(kFromStartImage) + size(width, height) + ", black.\n";
        case DrawingStart::New:
            return std::string(kStarted) + std::string(kWithNew) + size(width, height) + ", transparent.\n";
        case DrawingStart::Opened:
            break;
    }
    return std::string(kStarted) + std::string(kFromOpened) + printableName(openedName) + ": " + size(width, height) +
           ", not in this script.\n";
}

std::string stateWords(const TurtleState& t) {
    std::string out;
    auto line = [&](const std::string& words) { out += words + "\n"; };
    const auto [hx, hy] = homePosition(t);
    // The pen goes up for the move, so that getting there draws nothing.
    if (t.x != hx || t.y != hy)
        line("pu " + number(t.x) + " " + number(t.y) + " setxy" + (t.penDown ? " pd" : ""));
    else if (!t.penDown)
        line("pu");
    if (t.heading != 0) line(number(t.heading) + " setheading");
    if (!t.visible) line("ht");
    const raster::Canvas& c = t.image->canvas();
    if (c.lineColor() != kWhite) line(channels(c.lineColor()) + " setpencolor");
    if (c.areaColor() != kBlack) line(channels(c.areaColor()) + " setbackground");
    if (c.lineWidth() != 1.0) line(number(c.lineWidth()) + " setpensize");
    if (c.fontSize() != 15.0) line(number(c.fontSize()) + " setlabelheight");
    for (std::size_t i = 0; i < t.palette.size(); ++i)
        if (t.palette[i] != kColorNames[i].color)
            line(channels(t.palette[i]) + " " + std::to_string(i) + " setpalette");
    return out;
}

std::string resizeNote(int width, int height) { return std::string(kResized) + size(width, height) + ".\n"; }

std::string stoppedNote(std::uint64_t steps, std::string_view text) {
    std::string line = scriptLine(text);
    return std::string(kStoppedAfter) + std::to_string(steps) + std::string(kStoppedSteps) + line;
}

std::optional<StoppedLine> parseStoppedNote(std::string_view line) {
    if (line.substr(0, kStoppedAfter.size()) != kStoppedAfter) return std::nullopt;
    line.remove_prefix(kStoppedAfter.size());
    std::uint64_t steps = 0;
    std::size_t digits = 0;
    for (; digits < line.size() && line[digits] >= '0' && line[digits] <= '9'; ++digits) {
        if (steps > (UINT64_MAX - 9) / 10) return std::nullopt;
        steps = steps * 10 + static_cast<std::uint64_t>(line[digits] - '0');
    }
    if (digits == 0 || steps == 0) return std::nullopt;
    line.remove_prefix(digits);
    if (line.substr(0, kStoppedSteps.size()) != kStoppedSteps) return std::nullopt;
    line.remove_prefix(kStoppedSteps.size());
    return StoppedLine{steps, line};
}

std::string scriptLine(std::string_view text) {
    std::string line(text);
    for (char& c : line)
        if (c == '\r' || c == '\n') c = ' ';
    // "\ \ Resized to ..." is still a comment, but no longer a note.
    if (parseResizeNote(line) || isNotKeptNote(line) || parseStartLine(line) || parseStoppedNote(line))
        line.insert(0, "\\ ");
    return line + "\n";
}

std::string scriptToKeep(std::string_view script) {
    const bool text = forth::isUtf8Text(script);
    if (text && script.size() <= limits::kMaxScriptBytes) return std::string(script);
    const std::size_t end = script.find('\n');
    return scriptNotKept(script.substr(0, end == std::string_view::npos ? script.size() : end), text);
}

std::string scriptNotKept(std::string_view firstLine, bool text) {
    std::string kept(firstLine);
    // The first line is ours and short; should it not be, keep none of it.
    if (!parseStartLine(kept) || !forth::isUtf8Text(kept)) kept.clear();
    kept += '\n';
    kept += kNotKept;
    kept += text ? "the script is longer than " + std::to_string(limits::kMaxScriptBytes) + " bytes.\n"
                 : "the script is not UTF-8 text.\n";
    return kept;
}

std::optional<ScriptStart> parseStartLine(std::string_view line) {
    if (line.substr(0, kStarted.size()) != kStarted) return std::nullopt;
    line.remove_prefix(kStarted.size());
    ScriptStart start{};
    if (line.substr(0, kFromStartImage.size()) == kFromStartImage) {
        start.how = DrawingStart::StartImage;
        line.remove_prefix(kFromStartImage.size());
    } else if (line.substr(0, kWithNew.size()) == kWithNew) {
        start.how = DrawingStart::New;
        line.remove_prefix(kWithNew.size());
    } else if (line.substr(0, kFromOpened.size()) == kFromOpened) {
        start.how = DrawingStart::Opened;
        line.remove_prefix(kFromOpened.size());
        // The name may hold ": " itself; the size follows the last one.
        const std::size_t cut = line.rfind(": ");
        if (cut == std::string_view::npos) return std::nullopt;
        start.openedName = std::string(line.substr(0, cut));
        line.remove_prefix(cut + 2);
    } else {
        return std::nullopt;
    }
    const auto wh = parseSize(line);
    if (!wh) return std::nullopt;
    std::tie(start.width, start.height) = *wh;
    return start;
}

std::optional<std::pair<int, int>> parseResizeNote(std::string_view line) {
    if (line.substr(0, kResized.size()) != kResized) return std::nullopt;
    line.remove_prefix(kResized.size());
    const auto wh = parseSize(line);
    if (!wh) return std::nullopt;
    // Exactly the note: nothing after "pixels.".
    if (line != size(wh->first, wh->second) + ".") return std::nullopt;
    return wh;
}

bool isNotKeptNote(std::string_view line) { return line.substr(0, kNotKept.size()) == kNotKept; }

}  // namespace turtle
