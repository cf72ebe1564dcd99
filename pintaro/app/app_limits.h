// Fixed numbers of the drawing program, in one place. Lengths are logical
// pixels; they pass through the toolkit's scale to screen.
#pragma once

#include <cstddef>

namespace app::limits {

// Command-line entries kept for Page Up / Page Down; the oldest goes first.
inline constexpr std::size_t kHistoryLength = 100;

// The main window at start.
inline constexpr int kMainWidth = 854;
inline constexpr int kMainHeight = 480;

// The console window and the resize dialog.
inline constexpr int kConsoleWidth = 640;
inline constexpr int kConsoleHeight = 400;
inline constexpr int kResizeWidth = 240;
inline constexpr int kResizeHeight = 80;

// The message box: button width, padding, button spacing, and the bounds
// that keep a long message from making a huge box.
inline constexpr int kBoxButtonWidth = 100;
inline constexpr int kBoxPadding = 10;
inline constexpr int kBoxButtonSpacing = 12;
inline constexpr int kBoxMaxWidth = 600;
inline constexpr int kBoxMaxMessageHeight = 300;
inline constexpr int kBoxLabelMargin = 40;  // added to the message's width
inline constexpr int kBoxButtonsMargin = 65;  // added to three button widths
inline constexpr int kBoxExtraHeight = 70;

// Running time between two breaths of a running script: pending events
// handled, output shown, the drawing view repainted. Escape is seen at the
// next breath, so this is also about how long stopping a run takes.
inline constexpr int kBreatheMilliseconds = 50;

// The pause before each word of a slow console run (Slow, Slower): long
// enough to follow the turtle and the mark, short enough that a square
// takes seconds, not minutes.
inline constexpr int kSlowWordMilliseconds = 150;
inline constexpr int kSlowerWordMilliseconds = 600;
// The bytes of the word a paused run names in the console's status label
// (a long text word would push the rest of the note out of it).
inline constexpr std::size_t kPausedWordShown = 16;

// A step back in a console run starts the run again from a snapshot of
// the interpreter taken as it began (the picture comes back from the
// drawing history's copy): every step of the run can be taken back for
// this one snapshot, whatever the number of steps or the picture's size.
// The snapshot is taken before the first word of every watched run, so it
// is kept small enough to copy unnoticed (16 MB, a few milliseconds);
// beyond it (a stack of millions of values) the way back is closed.
inline constexpr std::size_t kStepBackBudgetBytes = std::size_t{16} << 20;

// The inspector: its size at first, how often it is refreshed while a
// script runs at full speed (5 times a second: a refresh lays its text out
// again, a few milliseconds, and at 20 times a second that slowed a
// Full-speed run by far more than the 3% we allow; a slow run refreshes
// it before every word), and how much of
// a long list it shows, so that a refresh stays cheap whatever a script
// holds: values of the stack, variables and words, and characters of one
// word's code.
inline constexpr int kInspectorWidth = 360;
inline constexpr int kInspectorHeight = 420;
inline constexpr int kInspectorRefreshMilliseconds = 200;
inline constexpr std::size_t kInspectorValuesShown = 40;
inline constexpr std::size_t kInspectorEntriesShown = 100;
inline constexpr std::size_t kInspectorCodeLength = 200;

// Undo and redo. The history keeps the steps of the drawing within this
// many bytes and drops the oldest beyond it; the copy of the current
// picture it compares steps with (4 bytes a pixel) comes on top.
inline constexpr std::size_t kHistoryBudgetBytes = std::size_t{64} << 20;
// The history compares and keeps pictures in square tiles of this many
// pixels a side: small enough that a line changes few of them, large
// enough that a 4000 x 4000 picture has only about 4000.
inline constexpr int kHistoryTileSize = 64;
// The longest command shown after "Undone: " and "Redone: " (characters);
// longer ones are cut and end in "...".
inline constexpr std::size_t kStepLabelLength = 40;

// The coordinate grid over the drawing view: light lines every 50 image
// pixels, a number every 100, the turtle's home axes stronger. Alphas of
// the lines and numbers, drawn white on a dark background, black on a
// light one.
inline constexpr int kGridSpacing = 50;
inline constexpr int kGridLabelEvery = 100;
inline constexpr int kGridLineAlpha = 70;
inline constexpr int kGridAxisAlpha = 170;
inline constexpr int kGridLabelAlpha = 200;
inline constexpr double kGridLabelSize = 11.0;  // the toolkit's text-size unit
inline constexpr int kGridLabelOffset = 3;      // from the line it names

// The frame the drawing view draws along the image's edge (the turtle
// sprite's sizes are the turtle layer's).
inline constexpr double kFrameLineWidth = 2.0;

// Completions listed in a status label: a line's worth; more end in "...".
inline constexpr std::size_t kCompletionsShown = 8;
// Help in the console output is broken into lines this long: the output
// half of a 640-pixel console shows about 44 characters of its font.
inline constexpr std::size_t kHelpColumns = 42;

// The Examples window: two examples a row, each thumbnail at 120 x 75 (the
// gallery's 200 x 125 thumbnails, scaled), seven rows for the gallery's
// thirteen under a line of note; the line about an example fits beside
// its thumbnail in half the width.
inline constexpr int kExamplesWidth = 920;
inline constexpr int kExamplesHeight = 660;
inline constexpr std::size_t kExamplesPerRow = 2;
inline constexpr int kExamplesCellGap = 8;
inline constexpr int kThumbnailWidth = 120;
inline constexpr int kThumbnailHeight = 75;
inline constexpr std::size_t kExampleLineLength = 50;

}  // namespace app::limits
