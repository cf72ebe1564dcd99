// ostrin: runs JavaScript files one after another in one engine heap, with
// curses exposed to them as global functions and constants.
#include "error_report.h"
#include "options.h"
#include "ostrin.h"
#include "script_stack.h"
#include "signal_restore.h"

#include <unistd.h>

#include <clocale>
#include <cstdio>

namespace {

// The name a -e script has in messages and stack traces.
constexpr char code_source_name[] = "-e";

struct run_request {
    const ostrin_options& options;
    bool report_errors;
};

// Runs one script. An error it does not catch is first described, when
// asked, with the screen given back so that the description can be read;
// thrown again outside any protected call it then reaches ostrin_fatal,
// which ends the process with the engine's own message, as it always did.
void run_source(duk_context* ctx, const char* name, bool report_errors)
{
    duk_push_string(ctx, name);
    if (duk_pcompile(ctx, 0) != 0 || duk_pcall(ctx, 0) != 0) {
        if (report_errors) {
            ostrin_end_screen();
            ostrin_report_error(ctx, name);
        }
        duk_throw(ctx);
    }
    duk_pop(ctx);
}

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

    if (request.options.sources.empty()) {
        std::puts("Usage: ostrin <file>...");
        return 0;
    }

    // A file that cannot be read is skipped so the others still run, but
    // the run then fails: a caller must not take a missing script for one
    // that ran.
    bool all_read = true;
    for (const ostrin_source& source : request.options.sources) {
        if (source.is_code) {
            duk_push_string(ctx, source.text);
            run_source(ctx, code_source_name, request.report_errors);
        } else if (ostrin_read_file(ctx, source.text)) {
            run_source(ctx, source.text, request.report_errors);
        } else {
            all_read = false;
        }
    }

    // A script that opened the screen and did not close it would otherwise
    // leave the shell without echo and line editing.
    ostrin_end_screen();
    return all_read ? 0 : 1;
}

// --help and --version: a failed write (a full disk, a closed pipe) is a
// failure.
int print_and_exit(const char* text, const char* argument)
{
    std::printf(text, argument);
    return std::fflush(stdout) == 0 && !std::ferror(stdout) ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    ostrin_options options;
    try {
        options = ostrin_parse_options(argc, argv);
    } catch (const ostrin_usage_error& e) {
        std::fprintf(stderr, "ostrin: %s\nTry 'ostrin --help'.\n", e.what());
        return 2;
    }
    if (options.what == ostrin_options::action::help)
        return print_and_exit("%s", ostrin_help_text);
    if (options.what == ostrin_options::action::version)
        return print_and_exit("ostrin %s\n", OSTRIN_VERSION);

    // Lets curses draw the UTF-8 text scripts pass it; numbers keep the
    // C formats.
    std::setlocale(LC_CTYPE, "");
    ostrin_signal_stack signal_stack;
    ostrin_restore_on_signals();
    // Where an error happened is for the person at the terminal; what goes
    // to a file or a pipe stays as it always was unless --trace asks.
    run_request request{options, options.trace || isatty(STDERR_FILENO) == 1};
    return ostrin_run_on_script_stack(run_scripts, &request);
}
