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
// How long one round of waiting for an answer lets the toolkit run.
inline constexpr int kBoxWaitMilliseconds = 100;

// Running time between two breaths of a running script: pending events
// handled, output shown, the drawing view repainted. Escape is seen at the
// next breath, so this is also about how long stopping a run takes.
inline constexpr int kBreatheMilliseconds = 50;

// The frame the drawing view draws along the image's edge (the turtle
// sprite's sizes are the turtle layer's).
inline constexpr double kFrameLineWidth = 2.0;

}  // namespace app::limits
