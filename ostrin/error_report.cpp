#include "error_report.h"

#include <cstdio>
#include <cstring>

namespace {

// [ error ] -> [ error place trace ]; the trace is empty for a value that is
// no Error. May run script code (getters, toString), hence protected.
duk_ret_t place_and_trace(duk_context* ctx, void* udata)
{
    const char* source = static_cast<const char*>(udata);
    if (!duk_is_error(ctx, -1)) {
        duk_push_string(ctx, source);
        duk_push_string(ctx, "");
        return 3;
    }
    duk_get_prop_string(ctx, -1, "fileName");
    if (!duk_is_string(ctx, -1)) {
        duk_pop(ctx);
        duk_push_string(ctx, source);
    }
    duk_get_prop_string(ctx, -2, "lineNumber");
    if (duk_is_number(ctx, -1)) {
        duk_push_sprintf(ctx, "%s:%ld", duk_get_string(ctx, -2),
                         static_cast<long>(duk_get_number(ctx, -1)));
        duk_remove(ctx, -2);
        duk_remove(ctx, -2);
    } else {
        duk_pop(ctx);
    }
    duk_get_prop_string(ctx, -2, "stack");
    duk_to_string(ctx, -1);
    return 3;
}

// The engine marks its own C frames "internal"; they name engine source
// files, not the script.
bool is_internal_frame(const char* line, std::size_t length)
{
    constexpr char mark[] = " internal";
    constexpr std::size_t mark_length = sizeof mark - 1;
    return length >= mark_length &&
           std::memcmp(line + length - mark_length, mark, mark_length) == 0;
}

} // namespace

void ostrin_report_error(duk_context* ctx, const char* source)
{
    const duk_idx_t top = duk_get_top(ctx);
    duk_dup(ctx, -1);
    // A safe call with an error leaves one value; on success the three.
    if (duk_safe_call(ctx, place_and_trace, const_cast<char*>(source), 1, 3) != 0) {
        std::fprintf(stderr, "%s: uncaught error (its place could not be read)\n", source);
        duk_set_top(ctx, top);
        return;
    }
    const char* place = duk_get_string(ctx, -2);
    const char* trace = duk_get_string(ctx, -1);
    if (*trace == '\0') {
        std::fprintf(stderr, "%s: uncaught %s (a thrown value that is no Error has no line or stack trace)\n",
                     place, duk_safe_to_string(ctx, -3));
        duk_set_top(ctx, top);
        return;
    }
    bool first = true;
    for (const char* line = trace; *line != '\0';) {
        const char* end = std::strchr(line, '\n');
        const std::size_t length = end != nullptr ? static_cast<std::size_t>(end - line) : std::strlen(line);
        if (first)
            std::fprintf(stderr, "%s: %.*s\n", place, static_cast<int>(length), line);
        else if (!is_internal_frame(line, length))
            std::fprintf(stderr, "%.*s\n", static_cast<int>(length), line);
        first = false;
        line += length;
        if (*line == '\n')
            ++line;
    }
    std::fflush(stderr);
    duk_set_top(ctx, top);
}
