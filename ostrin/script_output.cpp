#include "script_output.h"

#include <cstdio>
#include <new>
#include <string>

namespace {

struct output_state {
    bool held = false;
    std::string kept;  // whole lines, each with its line end
};
output_state output;

void write_kept()
{
    std::fwrite(output.kept.data(), 1, output.kept.size(), stdout);
    std::fflush(stdout);
    output.kept.clear();
    output.kept.shrink_to_fit();
}

} // namespace

void ostrin_output_hold(bool held)
{
    if (held && !output.held)
        std::fflush(stdout);
    output.held = held;
    if (!held && !output.kept.empty())
        write_kept();
}

bool ostrin_output_line(const char* text, std::size_t size) noexcept
{
    if (!output.held) {
        std::fwrite(text, 1, size, stdout);
        std::fputc('\n', stdout);
        return true;
    }
    const std::size_t before = output.kept.size();
    try {
        output.kept.append(text, size);
        output.kept += '\n';
    } catch (const std::bad_alloc&) {
        output.kept.resize(before);
        return false;
    }
    return true;
}
