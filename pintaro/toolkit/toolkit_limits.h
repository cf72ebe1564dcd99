// Fixed numbers of the widget layer and its canvas, in one place.
#pragma once

#include <cstddef>

namespace toolkit::limits {

// Screen resolution the layer assumes; logical pixels are scaled by
// resolution / 96, so at 96 every length applies unchanged.
inline constexpr int kScreenResolution = 96;

// A release this far from the press (in x and in y, inclusive) still counts
// as a click.
inline constexpr int kClickTolerance = 20;

// The nap between rounds of event handling in Application::sleep.
inline constexpr int kSleepNapMilliseconds = 20;

// A new layout container's padding around its children and spacing between
// them, in logical pixels.
inline constexpr int kDefaultPadding = 2;
inline constexpr int kDefaultSpacing = 4;

// Size of a window created without one (not scaled).
inline constexpr int kDefaultWindowWidth = 640;
inline constexpr int kDefaultWindowHeight = 480;

// The alert box: its size (not scaled), content border and button margin.
inline constexpr int kAlertWidth = 200;
inline constexpr int kAlertHeight = 70;
inline constexpr int kAlertBorder = 15;

// The installed icon a window takes when none lies next to the program: the
// size the build tree's icon is drawn at, so both look the same; window
// managers scale it to what they show.
inline constexpr int kInstalledIconSize = 128;

// Inner margins of a text area's text, on all four sides.
inline constexpr int kTextAreaMargin = 5;

// The column of line numbers beside a text area's text: four digits and a
// gap, in the default font; longer numbers are cut on the left.
inline constexpr int kLineNumberWidth = 44;
inline constexpr int kLineNumberGap = 6;

}  // namespace toolkit::limits

namespace toolkit::limits {

// What the platform's theme adds around the text of its native controls
// and cannot be asked for: a border of one pixel and the smallest content
// height of a button and of a one-line entry. With a theme that asks for
// more, the platform gives the control more than the layout planned.
inline constexpr int kNativeBorder = 1;
inline constexpr int kButtonMinContentHeight = 24;
inline constexpr int kTextBoxMinContentHeight = 32;
// A text box's natural width holds this many digits.
inline constexpr int kTextBoxNaturalChars = 10;
// The most characters a one-line text box holds: GTK's entry buffer stops
// there (G_MAXUSHORT) and silently drops the rest of a longer insertion, so
// the layer refuses such an insertion whole instead.
inline constexpr std::size_t kTextBoxMaxChars = 65535;

}  // namespace toolkit::limits
