// Undo and redo of the drawing, and the script that drew it.
//
// A step is whatever one command-line entry, one console run, a New, an
// Open or a Resize did to the drawing: its pixels and size, the canvas's
// colours, pen size and label height, the turtle and the palette; a New or
// an Open also changes which file the drawing belongs to. The interpreter (stack, variables, definitions) is
// not part of it, as a shell's history does not take back what a command
// did. A step keeps only the tiles it changed, as the difference of their
// two versions, packed (picture_tiles.h): undo and redo apply it.
//
// The script follows the steps: it is the text of the steps since the last
// New or Open (or the start), in order, with the steps that changed nothing
// in the drawing (a definition, a variable) in their places. Undone steps
// leave it; redone ones come back.
//
// Needs the raster layer only: no display, no GTK.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "raster/color.h"
#include "picture_tiles.h"
#include "turtle/turtle.h"

namespace app {

// Everything a step can change apart from the pixels.
struct DrawingState {
    int width = 0;
    int height = 0;
    double x = 0, y = 0, heading = 0;
    bool penDown = true, visible = true;
    raster::Color penColor, labelColor, background;
    double penSize = 1, labelHeight = 15;
    std::array<raster::Color, 16> palette{};

    static DrawingState of(const turtle::TurtleState& t);
    // Puts the state back (the image must already have its size).
    void applyTo(turtle::TurtleState& t) const;
    // Equal, where a NaN equals the same NaN: a turtle lost at NaN has not moved.
    bool same(const DrawingState& other) const;
};

class DrawingHistory {
public:
    // `budgetBytes`: what the kept steps may take; the oldest go beyond it.
    explicit DrawingHistory(std::size_t budgetBytes) : fBudget(budgetBytes) {}

    // Forgets every step and takes the drawing as it is now as the start;
    // `script` is its script so far (the first line: how it started). The
    // drawing counts as saved.
    void start(const turtle::TurtleState& t, std::string script);

    struct Step {
        std::string label;   // what the status label names it by ("100 fd", "New")
        std::string script;  // the text it adds to the script
        // New and Open: the script starts again with `script`, and the
        // drawing belonged to `previousPath` before.
        bool startsScript = false;
        std::string previousPath;
    };
    // Records what happened since the last step, undo or redo. A step that
    // changed nothing in the drawing makes no history entry, only script
    // text; one that starts the script always makes one. Returns whether an
    // entry was made; the steps that could be redone are gone then. When
    // the memory for the step (or for the copy of a huge picture) cannot be
    // had, every step is forgotten instead, the script kept whole, and steps
    // are kept again from a later one on whose copy fits.
    bool record(const turtle::TurtleState& t, Step step);

    // Takes the last step back, or does it again: pixels, size, state, the
    // unsaved flag (clear exactly when no step between here and the last
    // save changed the pixels), and for a New or an Open the file path
    // (the one the drawing had on that side, a later Save included). Returns the step's label,
    // or nothing when there is no step to take. Raises, changing nothing,
    // when a picture of another size cannot be made.
    std::optional<std::string> undo(turtle::TurtleState& t, std::string& filePath);
    std::optional<std::string> redo(turtle::TurtleState& t, std::string& filePath);

    // Puts the drawing back as the last step, undo or redo left it (what a
    // run did since is not a step yet): its pixels and the rest of its
    // state. False, changing nothing, when the picture's size changed
    // since, or no copy of it could be kept.
    bool putBack(turtle::TurtleState& t) const;
    // Counts every start, step, undo and redo: what a step back in a run
    // compares to see that the drawing was not changed under it.
    std::uint64_t changes() const { return fChanges; }

    // The drawing as it is now is in a file (Save), or has nothing to lose (New, Open).
    void markSaved() { fSaved = fFirst + fPosition; }

    // The script of the drawing as it is now.
    std::string script() const;

    std::size_t undoable() const { return fPosition; }
    std::size_t redoable() const { return fEntries.size() - fPosition; }
    // What the kept steps take (the budget's measure), and the copy of the
    // current picture besides.
    std::size_t bytes() const { return fBytes; }
    std::size_t copyBytes() const { return fCopy.bytes(); }

private:
    struct Entry {
        std::string label;
        std::string prefix;  // text of the steps before it that changed nothing in the drawing
        std::string script;
        bool startsScript = false;
        bool changesPixels = false;
        // The size of the side not on screen (before the step while it is
        // done, after it while undone), and the differences of the tiles
        // the step changed; when the sizes differ, every tile of that side.
        int width = 0;
        int height = 0;
        std::vector<PackedTile> tiles;
        std::string otherPath;  // New and Open: the file path of that side
        DrawingState before;
        DrawingState after;

        std::size_t bytes() const;
    };

    bool keep(const turtle::TurtleState& t, Step& step);
    // Forgets every step for want of memory, the script kept whole.
    void forgetSteps(Step& step);
    // Turns the drawing's pixels (and file path) into the entry's other side.
    void exchange(Entry& e, turtle::TurtleState& t, std::string& filePath);
    bool unsavedNow() const;
    void keepWithinBudget();
    void dropRedoable();

    std::size_t fBudget;
    PictureCopy fCopy;    // the picture as it is now, to find what a step changed
    bool fCopyLost = false;  // no memory for it: no steps are kept until it is taken again
    DrawingState fState;  // the rest of the drawing as it is now
    std::deque<Entry> fEntries;
    std::size_t fPosition = 0;  // entries before it are done, the others undone
    // Positions count from the start, dropped entries included, so that the
    // saved position stays put when old entries go.
    std::uint64_t fFirst = 0;
    std::optional<std::uint64_t> fSaved;
    std::string fScriptBase;  // the script up to the first kept entry
    std::string fPending;     // text of the steps since the last entry that changed nothing
    std::size_t fBytes = 0;
    std::uint64_t fChanges = 0;
};

}  // namespace app
