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
    s.penColor = c.lineColor();
    s.labelColor = c.textColor();
    s.background = c.areaColor();
    s.penSize = c.lineWidth();
    s.labelHeight = c.fontSize();
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
    c.setLineColor(penColor);
    c.setTextColor(labelColor);
    c.setAreaColor(background);
    c.setLineWidth(penSize);
    c.setFontSize(labelHeight);
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
    ++changes_;
    entries_.clear();
    position_ = 0;
    first_ = 0;
    saved_ = 0;
    bytes_ = 0;
    scriptBase_ = std::move(script);
    pending_.clear();
    copyLost_ = false;
    copy_.take(*t.image);
    state_ = DrawingState::of(t);
}

bool DrawingHistory::record(const turtle::TurtleState& t, Step step) {
    ++changes_;
    try {
        return keep(t, step);
    } catch (const std::bad_alloc&) {
        forgetSteps(step);
        return false;
    }
}

void DrawingHistory::forgetSteps(Step& step) {
    // The script stays whole; only what undo needs goes.
    scriptBase_ = script();
    if (step.startsScript)
        scriptBase_ = std::move(step.script);
    else
        scriptBase_ += step.script;
    pending_.clear();
    first_ += position_;
    entries_.clear();
    position_ = 0;
    bytes_ = 0;
    saved_.reset();
    copy_ = PictureCopy();
    copyLost_ = true;
}

bool DrawingHistory::keep(const turtle::TurtleState& t, Step& step) {
    const DrawingState now = DrawingState::of(t);
    if (copyLost_) {
        // Steps are kept again from here, once the copy fits in memory.
        copy_.take(*t.image);
        copyLost_ = false;
        state_ = now;
        if (step.startsScript) {
            scriptBase_ = std::move(step.script);
            pending_.clear();
        } else {
            pending_ += step.script;
        }
        return false;
    }
    Entry e;
    e.width = copy_.width();
    e.height = copy_.height();
    if (now.width != copy_.width() || now.height != copy_.height()) {
        e.tiles = copy_.packAll();
        copy_.take(*t.image);
        e.changesPixels = true;
    } else {
        e.tiles = copy_.takeChanges(*t.image);
        e.changesPixels = !e.tiles.empty();
    }
    if (!e.changesPixels && !step.startsScript && now.same(state_)) {
        pending_ += step.script;
        return false;
    }
    dropRedoable();
    e.label = std::move(step.label);
    e.script = std::move(step.script);
    e.startsScript = step.startsScript;
    if (e.startsScript) e.otherPath = std::move(step.previousPath);
    e.prefix = std::move(pending_);
    pending_.clear();
    e.before = std::move(state_);
    e.after = now;
    state_ = now;
    bytes_ += e.bytes();
    entries_.push_back(std::move(e));
    ++position_;
    keepWithinBudget();
    return true;
}

void DrawingHistory::exchange(Entry& e, turtle::TurtleState& t, std::string& filePath) {
    const std::size_t before = e.bytes();
    const int width = copy_.width(), height = copy_.height();
    if (e.width == width && e.height == height) {
        // The same differences turn either side into the other.
        copy_.applyChanges(e.tiles, *t.image);
    } else {
        // What can fail for want of memory comes first, so that a failure
        // changes nothing. The canvas attributes follow from the state put back.
        std::vector<PackedTile> shown = copy_.packAll();
        auto fresh = t.blankImage();
        fresh->resize(e.width, e.height);
        copy_.replaceAll(e.tiles, e.width, e.height, *fresh);
        t.image = std::move(fresh);
        e.tiles = std::move(shown);
        e.width = width;
        e.height = height;
    }
    // Only a New or an Open changed the file; a Save since then moved the
    // drawing on that side to its file, and this keeps it.
    if (e.startsScript) std::swap(e.otherPath, filePath);
    bytes_ = bytes_ - before + e.bytes();
}

bool DrawingHistory::putBack(turtle::TurtleState& t) const {
    if (copyLost_ || !t.image->hasSurface() || t.image->width() != copy_.width() || t.image->height() != copy_.height())
        return false;
    copy_.putBack(*t.image);
    state_.applyTo(t);
    return true;
}

std::optional<std::string> DrawingHistory::undo(turtle::TurtleState& t, std::string& filePath) {
    if (position_ == 0) return std::nullopt;
    ++changes_;
    Entry& e = entries_[position_ - 1];
    exchange(e, t, filePath);
    e.before.applyTo(t);
    state_ = e.before;
    pending_.insert(0, e.prefix);
    --position_;
    std::string label = e.label;
    t.unsaved = unsavedNow();
    keepWithinBudget();
    return label;
}

std::optional<std::string> DrawingHistory::redo(turtle::TurtleState& t, std::string& filePath) {
    if (position_ == entries_.size()) return std::nullopt;
    ++changes_;
    Entry& e = entries_[position_];
    exchange(e, t, filePath);
    e.after.applyTo(t);
    state_ = e.after;
    // The text before the step went back to the pending text when it was
    // undone; later text only ever went after it.
    if (pending_.compare(0, e.prefix.size(), e.prefix) == 0) pending_.erase(0, e.prefix.size());
    ++position_;
    std::string label = e.label;
    t.unsaved = unsavedNow();
    keepWithinBudget();
    return label;
}

bool DrawingHistory::unsavedNow() const {
    if (!saved_) return true;
    const std::uint64_t now = first_ + position_;
    const std::uint64_t low = std::min(now, *saved_), high = std::max(now, *saved_);
    // Steps that are gone may have changed anything.
    if (low < first_) return true;
    for (std::uint64_t i = low; i < high; ++i)
        if (entries_[i - first_].changesPixels) return true;
    return false;
}

void DrawingHistory::dropRedoable() {
    while (entries_.size() > position_) {
        bytes_ -= entries_.back().bytes();
        entries_.pop_back();
    }
    if (saved_ && *saved_ > first_ + position_) saved_.reset();
}

void DrawingHistory::keepWithinBudget() {
    while (bytes_ > budget_ && !entries_.empty()) {
        if (position_ > 0) {
            // The oldest step can no longer be undone; its text stays in the script.
            Entry& e = entries_.front();
            bytes_ -= e.bytes();
            if (e.startsScript)
                scriptBase_ = std::move(e.script);
            else
                scriptBase_ += e.prefix + e.script;
            entries_.pop_front();
            ++first_;
            --position_;
        } else {
            // Everything is undone: the step farthest from here goes.
            bytes_ -= entries_.back().bytes();
            entries_.pop_back();
            if (saved_ && *saved_ > first_ + entries_.size()) saved_.reset();
        }
    }
}

std::string DrawingHistory::script() const {
    // From the last step that started the script again, if it is kept.
    std::size_t from = 0;
    for (std::size_t i = position_; i-- > 0;)
        if (entries_[i].startsScript) {
            from = i;
            break;
        }
    std::string s = from < position_ && entries_[from].startsScript ? std::string() : scriptBase_;
    for (std::size_t i = from; i < position_; ++i) {
        const Entry& e = entries_[i];
        if (e.startsScript)
            s = e.script;
        else
            s += e.prefix + e.script;
    }
    return s + pending_;
}

}  // namespace app
