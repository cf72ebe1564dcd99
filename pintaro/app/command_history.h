// The command line's memory of earlier entries, walked with Page Up and
// Page Down. Kept apart from the widgets so that its rules can be checked
// on their own.
#pragma once

#include <deque>
#include <optional>
#include <string>

namespace app {

struct CommandHistory {
    std::deque<std::string> entries;  // oldest first
    // Index of the entry shown; equal to the length when on a fresh line.
    long position = 0;

    // Appends an entry (empty ones too), drops the oldest beyond the limit
    // and moves to a fresh line after the newest.
    void add(std::string entry);
    // Page Up: the previous entry, or nothing at the oldest one.
    std::optional<std::string> older();
    // Page Down: the next entry, an empty text just past the newest one,
    // or nothing when already on the fresh line.
    std::optional<std::string> newer();
};

}  // namespace app
