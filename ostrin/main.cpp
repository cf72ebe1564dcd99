// ostrin: runs JavaScript files one after another in one engine heap, with
// curses exposed to them as global functions and constants.
#include "ostrin.h"
#include "script_stack.h"
#include "signal_restore.h"

#include <clocale>
#include <cstdio>

#include <curses.h>

namespace {

struct run_request {
    int argc;
    char** argv;
};

// Everything that touches the engine or curses, on the script stack.
int run_scripts(void* data) noexcept
{
    const auto& request = *static_cast<const run_request*>(data);
    ostrin_heap heap = ostrin_create_heap();
    if (!heap) {
        std::fputs("Fatal error in Duktape\n", stderr);
        return 1;
    }
    duk_context* ctx = heap.get();
    ostrin_bind_to(ctx);

    if (request.argc < 2) {
        std::puts("Usage: ostrin <file>...");
        return 0;
    }

    // Outside any protected call, an error a script does not catch goes
    // straight to ostrin_fatal, which ends the process. A file that cannot be
    // read is skipped so the others still run, but the run then fails: a
    // caller must not take a missing script for one that ran.
    bool all_read = true;
    for (int i = 1; i < request.argc; ++i) {
        if (!ostrin_read_file(ctx, request.argv[i])) {
            all_read = false;
            continue;
        }
        duk_push_string(ctx, request.argv[i]);
        duk_compile(ctx, 0);
        duk_call(ctx, 0);
        duk_pop(ctx);
    }

    // A script that opened the screen and did not close it would otherwise
    // leave the shell without echo and line editing.
    if (!isendwin())
        endwin();
    ostrin_restore_showing(false);
    return all_read ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    // Lets curses draw the UTF-8 text scripts pass it; numbers keep the
    // C formats.
    std::setlocale(LC_CTYPE, "");
    ostrin_signal_stack signal_stack;
    ostrin_restore_on_signals();
    run_request request{argc, argv};
    return ostrin_run_on_script_stack(run_scripts, &request);
}
