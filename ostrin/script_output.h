// The one sink of the scripts' own output (print). A line goes to standard
// output at once, except while curses holds the screen: curses draws on the
// same terminal, so a line written then would be drawn over or lost with
// the alternate screen. Such lines are kept, in order, and written when the
// screen is given back.
#pragma once

#include <cstddef>

// Whether curses holds the screen. Taking it flushes standard output first,
// so that earlier lines come before what curses draws; giving it back writes
// the kept lines.
void ostrin_output_hold(bool held);

// Writes `text` (`size` bytes, NULs included) and a line end, or keeps them.
// False when there was no memory to keep the line; nothing is kept then.
bool ostrin_output_line(const char* text, std::size_t size) noexcept;
