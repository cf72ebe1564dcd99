#include "drawing_history.h"

#include <algorithm>
#include <bit>
#include <new>

namespace app {

namespace {
bool sameBits(double a, double b) { return std::bit_cast<std::uint64_t>(a) == std::bit_cast<std::uint64_t>(b); }
}  // namespace

DrawingState DrawingState::of(const turtle::TurtleState& t) {
    const raster::Canvas& c = t.image->canvas();
    DrawingState s;
    s.width = t.image->width();
    s.height = t.image->height();
    s.x = t.x;
    s.y = t.y;
    s.heading = t.heading;
    s.penDown = t.penDown;
    s.visible = t.visible;
    s.penColor = c.fLineColor;
    s.labelColor = c.fTextColor;
    s.background = c.fAreaColor;
    s.penSize = c.fLineWidth;
    s.labelHeight = c.fFontSize;
    s.palette = t.palette;
    return s;
}

void DrawingState::applyTo(turtle::TurtleState& t) const {
    raster::Canvas& c = t.canvas();
    t.x = x;
    t.y = y;
    t.heading = heading;
    t.penDown = penDown;
    t.visible = visible;
    c.fLineColor = penColor;
    c.fTextColor = labelColor;
    c.fAreaColor = background;
    c.fLineWidth = penSize;
    c.fFontSize = labelHeight;
    t.palette = palette;
}

bool DrawingState::same(const DrawingState& o) const {
    return width == o.width && height == o.height && sameBits(x, o.x) && sameBits(y, o.y) &&
           sameBits(heading, o.heading) && penDown == o.penDown && visible == o.visible && penColor == o.penColor &&
           labelColor == o.labelColor && background == o.background && sameBits(penSize, o.penSize) &&
           sameBits(labelHeight, o.labelHeight) && palette == o.palette;
}

std::size_t DrawingHistory::Entry::bytes() const {
    std::size_t n = sizeof(Entry) + label.capacity() + prefix.capacity() + script.capacity() + otherPath.capacity() +
                    tiles.capacity() * sizeof(PackedTile);
    for (const PackedTile& tile : tiles) n += tile.words.capacity() * sizeof(std::uint32_t);
    return n;
}

void DrawingHistory::start(const turtle::TurtleState& t, std::string script) {
    ++fChanges;
    fEntries.clear();
    fPosition = 0;
    fFirst = 0;
    fSaved = 0;
    fBytes = 0;
    fScriptBase = std::move(script);
    fPending.clear();
    fCopyLost = false;
    fCopy.take(*t.image);
    fState = DrawingState::of(t);
}

bool DrawingHistory::record(const turtle::TurtleState& t, Step step) {
    ++fChanges;
    try {
        return keep(t, step);
    } catch (const std::bad_alloc&) {
        forgetSteps(step);
        return false;
    }
}

void DrawingHistory::forgetSteps(Step& step) {
    // The script stays whole; only what undo needs goes.
    fScriptBase = script();
    if (step.startsScript)
        fScriptBase = std::move(step.script);
    else
        fScriptBase += step.script;
    fPending.clear();
    fFirst += fPosition;
    fEntries.clear();
    fPosition = 0;
    fBytes = 0;
    fSaved.reset();
    fCopy = PictureCopy();
    fCopyLost = true;
}

bool DrawingHistory::keep(const turtle::TurtleState& t, Step& step) {
    const DrawingState now = DrawingState::of(t);
    if (fCopyLost) {
        // Steps are kept again from here, once the copy fits in memory.
        fCopy.take(*t.image);
        fCopyLost = false;
        fState = now;
        if (step.startsScript) {
            fScriptBase = std::move(step.script);
            fPending.clear();
        } else {
            fPending += step.script;
        }
        return false;
    }
    Entry e;
    e.width = fCopy.width();
    e.height = fCopy.height();
    if (now.width != fCopy.width() || now.height != fCopy.height()) {
        e.tiles = fCopy.packAll();
        fCopy.take(*t.image);
        e.changesPixels = true;
    } else {
        e.tiles = fCopy.takeChanges(*t.image);
        e.changesPixels = !e.tiles.empty();
    }
    if (!e.changesPixels && !step.startsScript && now.same(fState)) {
        fPending += step.script;
        return false;
    }
    dropRedoable();
    e.label = std::move(step.label);
    e.script = std::move(step.script);
    e.startsScript = step.startsScript;
    if (e.startsScript) e.otherPath = std::move(step.previousPath);
    e.prefix = std::move(fPending);
    fPending.clear();
    e.before = std::move(fState);
    e.after = now;
    fState = now;
    fBytes += e.bytes();
    fEntries.push_back(std::move(e));
    ++fPosition;
    keepWithinBudget();
    return true;
}

void DrawingHistory::exchange(Entry& e, turtle::TurtleState& t, std::string& filePath) {
    const std::size_t before = e.bytes();
    const int width = fCopy.width(), height = fCopy.height();
    if (e.width == width && e.height == height) {
        // The same differences turn either side into the other.
        fCopy.applyChanges(e.tiles, *t.image);
    } else {
        // What can fail for want of memory comes first, so that a failure
        // changes nothing. The canvas attributes follow from the state put back.
        std::vector<PackedTile> shown = fCopy.packAll();
        auto fresh = t.blankImage();
        fresh->resize(e.width, e.height);
        fCopy.replaceAll(e.tiles, e.width, e.height, *fresh);
        t.image = std::move(fresh);
        e.tiles = std::move(shown);
        e.width = width;
        e.height = height;
    }
    // Only a New or an Open changed the file; a Save since then moved the
    // drawing on that side to its file, and this keeps it.
    if (e.startsScript) std::swap(e.otherPath, filePath);
    fBytes = fBytes - before + e.bytes();
}

bool DrawingHistory::putBack(turtle::TurtleState& t) const {
    if (fCopyLost || !t.image->hasSurface() || t.image->width() != fCopy.width() || t.image->height() != fCopy.height())
        return false;
    fCopy.putBack(*t.image);
    fState.applyTo(t);
    return true;
}

std::optional<std::string> DrawingHistory::undo(turtle::TurtleState& t, std::string& filePath) {
    if (fPosition == 0) return std::nullopt;
    ++fChanges;
    Entry& e = fEntries[fPosition - 1];
    exchange(e, t, filePath);
    e.before.applyTo(t);
    fState = e.before;
    fPending.insert(0, e.prefix);
    --fPosition;
    std::string label = e.label;
    t.unsaved = unsavedNow();
    keepWithinBudget();
    return label;
}

std::optional<std::string> DrawingHistory::redo(turtle::TurtleState& t, std::string& filePath) {
    if (fPosition == fEntries.size()) return std::nullopt;
    ++fChanges;
    Entry& e = fEntries[fPosition];
    exchange(e, t, filePath);
    e.after.applyTo(t);
    fState = e.after;
    // The text before the step went back to the pending text when it was
    // undone; later text only ever went after it.
    if (fPending.compare(0, e.prefix.size(), e.prefix) == 0) fPending.erase(0, e.prefix.size());
    ++fPosition;
    std::string label = e.label;
    t.unsaved = unsavedNow();
    keepWithinBudget();
    return label;
}

bool DrawingHistory::unsavedNow() const {
    if (!fSaved) return true;
    const std::uint64_t now = fFirst + fPosition;
    const std::uint64_t low = std::min(now, *fSaved), high = std::max(now, *fSaved);
    // Steps that are gone may have changed anything.
    if (low < fFirst) return true;
    for (std::uint64_t i = low; i < high; ++i)
        if (fEntries[i - fFirst].changesPixels) return true;
    return false;
}

void DrawingHistory::dropRedoable() {
    while (fEntries.size() > fPosition) {
        fBytes -= fEntries.back().bytes();
        fEntries.pop_back();
    }
    if (fSaved && *fSaved > fFirst + fPosition) fSaved.reset();
}

void DrawingHistory::keepWithinBudget() {
    while (fBytes > fBudget && !fEntries.empty()) {
        if (fPosition > 0) {
            // The oldest step can no longer be undone; its text stays in the script.
            Entry& e = fEntries.front();
            fBytes -= e.bytes();
            if (e.startsScript)
                fScriptBase = std::move(e.script);
            else
                fScriptBase += e.prefix + e.script;
            fEntries.pop_front();
            ++fFirst;
            --fPosition;
        } else {
            // Everything is undone: the step farthest from here goes.
            fBytes -= fEntries.back().bytes();
            fEntries.pop_back();
            if (fSaved && *fSaved > fFirst + fEntries.size()) fSaved.reset();
        }
    }
}

std::string DrawingHistory::script() const {
    // From the last step that started the script again, if it is kept.
    std::size_t from = 0;
    for (std::size_t i = fPosition; i-- > 0;)
        if (fEntries[i].startsScript) {
            from = i;
            break;
        }
    std::string s = from < fPosition && fEntries[from].startsScript ? std::string() : fScriptBase;
    for (std::size_t i = from; i < fPosition; ++i) {
        const Entry& e = fEntries[i];
        if (e.startsScript)
            s = e.script;
        else
            s += e.prefix + e.script;
    }
    return s + fPending;
}

}  // namespace app
