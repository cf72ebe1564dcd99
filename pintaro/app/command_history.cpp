#include "command_history.h"

#include "app_limits.h"

namespace app {

void CommandHistory::add(std::string entry) {
    entries.push_back(std::move(entry));
    while (entries.size() > limits::kHistoryLength) entries.pop_front();
    position = static_cast<long>(entries.size());
}

std::optional<std::string> CommandHistory::older() {
    if (position < 1) return std::nullopt;
    --position;
    return entries[static_cast<std::size_t>(position)];
}

std::optional<std::string> CommandHistory::newer() {
    const long length = static_cast<long>(entries.size());
    if (position >= length) return std::nullopt;
    ++position;
    if (position == length) return std::string();
    return entries[static_cast<std::size_t>(position)];
}

}  // namespace app
