#include "state_window.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "app_limits.h"

namespace app {

namespace {

std::string colourText(raster::Color c) {
    char text[8];
    std::snprintf(text, sizeof text, "#%02X%02X%02X", c.r, c.g, c.b);
    return text;
}

std::string cut(std::string text, std::size_t length) {
    if (text.size() > length) {
        // Not inside a character: back to the start of one.
        while (length > 0 && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) --length;
        text.resize(length);
        text += " ...";
    }
    return text;
}

}  // namespace

std::string inspectorText(const forth::Interp& in, const turtle::TurtleState& t) {
    using forth::formatShort;
    std::string s;
    const auto& stack = in.stack();
    s += "Stack, depth " + std::to_string(stack.size()) + (stack.empty() ? "" : ", top first:") + "\n";
    const std::size_t shown = std::min(stack.size(), limits::kInspectorValuesShown);
    for (std::size_t k = 0; k < shown; ++k) s += "  " + formatShort(stack[stack.size() - 1 - k]) + "\n";
    if (shown < stack.size()) s += "  ... " + std::to_string(stack.size() - shown) + " more\n";

    std::vector<std::string> names = in.variableNames();
    std::sort(names.begin(), names.end());
    s += "\nVariables:\n";
    if (names.empty()) s += "  none\n";
    for (std::size_t k = 0; k < names.size() && k < limits::kInspectorEntriesShown; ++k)
        s += "  " + names[k] + " = " + formatShort(in.variable(names[k])) + "\n";
    if (names.size() > limits::kInspectorEntriesShown)
        s += "  ... " + std::to_string(names.size() - limits::kInspectorEntriesShown) + " more\n";

    s += "\nWords defined:\n";
    std::size_t words = 0, more = 0;
    for (const std::string& name : in.dictionaryNames()) {
        const forth::WordRecord* r = in.findWord(name);
        if (!r || r->kind != forth::WordKind::userWord) continue;
        if (++words > limits::kInspectorEntriesShown) {
            ++more;
            continue;
        }
        s += "  :" + name + " " + cut(forth::joinWords(*r->code), limits::kInspectorCodeLength) + " ;\n";
    }
    if (words == 0) s += "  none\n";
    if (more) s += "  ... " + std::to_string(more) + " more\n";

    const raster::Canvas& c = t.image->canvas();
    s += "\nTurtle:\n";
    s += "  x " + formatShort(t.x) + ", y " + formatShort(t.y) + ", heading " + formatShort(t.heading) + "\n";
    s += std::string("  pen ") + (t.penDown ? "down" : "up") + ", pen size " + formatShort(c.fLineWidth) + "\n";
    s += "  pen " + colourText(c.fLineColor) + ", background " + colourText(c.fAreaColor) + ", label " +
         colourText(c.fTextColor) + "\n";
    return s;
}

InspectorWindow::InspectorWindow() : window("Inspector") {
    window.setSize(limits::kInspectorWidth, limits::kInspectorHeight);
    text.setWidthMode(toolkit::WidthMode_Fill);
    text.setHeightMode(toolkit::HeightMode_Fill);
    text.setEditable(false);
    window.add(text);
    window.setOnCloseClick([this](toolkit::CloseClickEvent&) { window.hide(); });
}

void InspectorWindow::show() {
    window.show();
    fShown.clear();  // shown anew
}

void InspectorWindow::refresh(const forth::Interp& in, const turtle::TurtleState& t, bool always) {
    if (!window.visible()) return;
    const auto now = std::chrono::steady_clock::now();
    if (!always && now - fLast < std::chrono::milliseconds(limits::kInspectorRefreshMilliseconds)) return;
    fLast = now;
    std::string next = inspectorText(in, t);
    if (next == fShown) return;
    fShown = std::move(next);
    text.setText(fShown);
}

}  // namespace app
