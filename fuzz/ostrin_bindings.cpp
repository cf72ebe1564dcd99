// ostrin's script loading and curses bindings, on a screen that is no
// terminal (output to /dev/null, keys from a pipe).
//
// An input is decoded into a script of binding calls, each in its own try
// block, with arguments from a pool of awkward values: huge and negative
// numbers, NaN, odd strings, and objects whose conversion calls other
// bindings (endwin, initscr, erase, a terminal resize) or throws in the
// middle of a call. The script has no loops, so every input ends quickly;
// it is loaded from a file through ostrin_read_file, compiled and run in a
// fresh engine heap, so that whatever an input leaves behind is freed with
// the heap or found by the leak checker. Whatever bytes are left after the
// statements are loaded as a second script file and compiled, not run (its
// code could loop).
//
// Input layout: one byte k, then k % 64 key bytes for getch, then
// statements: a byte choosing the binding (or the resize), a byte that now
// and then adds one argument too many, then one byte per argument choosing
// it from the pool (for print, which takes any number, a byte choosing how
// many first). A byte choosing "raw" ends the statements. The bindings that
// wait (napms, timeout, halfdelay, and flash, whose xterm string holds a
// 100 ms delay) are given no wait, so that every input ends quickly.
//
// FUZZ_SHOW_SCRIPT=1 prints the generated script, to turn a finding into
// a test.
#include "fuzz_limits.h"
#include "ostrin.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <clocale>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#define NCURSES_NOMACROS
#include <curses.h>

namespace {

// JavaScript expressions an argument is chosen from.
constexpr std::string_view argument_pool[] = {
    "0", "1", "-1", "2", "3", "7", "23", "24", "79", "80", "255", "256", "410",
    "32767", "32768", "65535", "65536", "2147483647", "-2147483648", "4294967296",
    "1e300", "-1e300", "0.5", "-0.5", "NaN", "Infinity", "-Infinity",
    "undefined", "null", "true", "false",
    "''", "'x'", "'hello, world'", "'caf\\u00e9 \\u20ac5'", "'a\\u0000b'",
    "'\\ud83d\\ude00'", "'\\ud83d'", "'\\udc00x'", "'\\t\\n\\r\\b\\x7f'", "'\\x1b[31m\\x1b[?1049l'",
    "'%s%n%d'", "'\\u0301\\u0301'", "'\\u4e2d\\u6587'", "'w'.repeat(300)", "'\\u4e2d'.repeat(100)",
    "A_BOLD | A_REVERSE | A_ALTCHARSET", "0x7fffffff", "-0x7fff0000", "0x1ff00",
    "COLOR_PAIRS", "COLORS", "LINES", "COLS", "KEY_F(64)",
    "{valueOf: function () { endwin(); return 1; }}",
    "{valueOf: function () { initscr(); return 2; }}",
    "{valueOf: function () { resize(1, 1); return 0; }}",
    "{valueOf: function () { resize(50, 200); return 5; }}",
    "{toString: function () { erase(); return 'side effect'; }}",
    "{toString: function () { refresh(); return 'drawn'; }}",
    "{valueOf: function () { throw new Error('no'); }}",
    "Symbol('s')", "[1, 2]", "{}", "function () {}", "new Date(0)",
};
constexpr std::size_t pool_size = std::size(argument_pool);

// The statements an input chooses from: every binding with its registered
// argument count, the resize the harness offers, and the end marker.
struct statement {
    const char* name;
    int arguments;
};

// The rows of the bindings table, up to the empty entry that ends it.
std::size_t count_bindings()
{
    std::size_t n = 0;
    while (ostrin_bindings()[n].key != nullptr)
        ++n;
    return n;
}
const std::size_t binding_count = count_bindings();
const std::size_t resize_choice = binding_count;
const std::size_t raw_choice = binding_count + 1;
const std::size_t choice_count = binding_count + 2;

// Arguments given to a binding that takes any number.
constexpr int max_varargs = 3;

struct input {
    const std::uint8_t* data;
    std::size_t size;
    std::size_t at = 0;

    bool done() const { return at >= size; }
    std::uint8_t next() { return done() ? 0 : data[at++]; }
};

std::string generate_script(input& in)
{
    std::string script;
    for (std::size_t n = 0; n < fuzz_ostrin_max_statements && !in.done(); ++n) {
        const std::size_t choice = in.next() % choice_count;
        if (choice == raw_choice)
            break;
        const char* name = choice < binding_count ? ostrin_bindings()[choice].key : "";
        int arguments = choice < binding_count ? ostrin_bindings()[choice].nargs : 0;
        if (arguments == DUK_VARARGS)
            arguments = in.next() % (max_varargs + 1);
        if (choice == resize_choice) {
            name = "resize";
            arguments = 2;
        }
        script += "try { ";
        script += name;
        script += '(';
        // One argument more than registered now and then: the engine must
        // drop it before the binding runs.
        const int given = arguments + (in.next() % 8 == 0 ? 1 : 0);
        for (int i = 0; i < given; ++i) {
            if (i > 0)
                script += ", ";
            script += argument_pool[in.next() % pool_size];
        }
        script += "); } catch (e) {}\n";
    }
    return script;
}

// resize(rows, columns): the terminal changing size under the script, as
// SIGWINCH would make it; getch then reports KEY_RESIZE.
duk_ret_t fuzz_resize(duk_context* ctx)
{
    const int columns = 1 + static_cast<int>(static_cast<unsigned>(duk_to_int(ctx, 1)) % 200);
    const int rows = 1 + static_cast<int>(static_cast<unsigned>(duk_to_int(ctx, 0)) % 60);
    if (stdscr != nullptr && resizeterm(rows, columns) == OK)
        ungetch(KEY_RESIZE);
    return 0;
}

// A waiting binding with its argument converted as usual, then cut to a wait
// of no time: what it does with a long wait is only to wait.
duk_ret_t short_wait(duk_context* ctx, duk_c_function binding)
{
    const int asked = duk_to_int(ctx, 0);
    duk_push_int(ctx, asked > 0 ? 0 : asked);
    duk_replace(ctx, 0);
    return binding(ctx);
}

// The binding registered as `name`; the harness replaces only bindings the
// table has.
duk_c_function binding(const char* name)
{
    const duk_function_list_entry* row = ostrin_binding(name);
    if (row == nullptr)
        std::abort();
    return row->value;
}

duk_ret_t fuzz_napms(duk_context* ctx) { return short_wait(ctx, binding("napms")); }
duk_ret_t fuzz_timeout(duk_context* ctx) { return short_wait(ctx, binding("timeout")); }
// The shortest half-delay makes every later getch wait a tenth of a
// second, and nothing takes it back on a pipe (curses cannot set cbreak
// mode there), so the binding only ever gets a delay curses refuses.
duk_ret_t fuzz_halfdelay(duk_context* ctx) { return short_wait(ctx, binding("halfdelay")); }

// flash without its delay is a beep to the harness: neither takes
// arguments, and no screen shows either.
duk_ret_t fuzz_flash(duk_context* ctx) { return binding("beep")(ctx); }

struct replacement {
    const char* name;
    duk_c_function function;
    duk_idx_t arguments;
};
constexpr replacement short_waits[] = {
    {"napms", fuzz_napms, 1},
    {"timeout", fuzz_timeout, 1},
    {"halfdelay", fuzz_halfdelay, 1},
    {"flash", fuzz_flash, 0},
};

[[noreturn]] void fuzz_fatal(void*, const char* msg)
{
    // Every call here is protected, so reaching the fatal handler is a fault.
    std::fprintf(stderr, "fatal error in a protected call: %s\n", msg ? msg : "(none)");
    std::abort();
}

// What lives from one input to the next; libFuzzer's entry points take no
// context, so it is one record set up once.
struct harness {
    int script_fd = -1;  // the in-memory file scripts are loaded from
    int keys_fd = -1;    // the writing end of the pipe on standard input
    std::string script_path;
};
harness fixture;

void write_file(std::string_view text)
{
    if (ftruncate(fixture.script_fd, 0) != 0 ||
        pwrite(fixture.script_fd, text.data(), text.size(), 0) != static_cast<ssize_t>(text.size()))
        std::abort();
}

// Loads the file as ostrin does and compiles it. The generated script must
// compile (anything else is a fault of the generator) and is run; the raw
// bytes are only compiled.
void load(duk_context* ctx, bool generated)
{
    if (!ostrin_read_file(ctx, fixture.script_path.c_str()))
        std::abort();
    duk_push_string(ctx, fixture.script_path.c_str());
    const bool compiled = duk_pcompile(ctx, 0) == 0;
    if (generated && !compiled) {
        std::fprintf(stderr, "generated script does not compile: %s\n", duk_safe_to_string(ctx, -1));
        std::abort();
    }
    if (generated)
        duk_pcall(ctx, 0);
    duk_pop(ctx);
}

// Each input starts from the same screen: curses keeps one for the process.
void reset_screen()
{
    char drain[256];
    while (read(STDIN_FILENO, drain, sizeof drain) > 0) {
    }
    if (stdscr == nullptr)
        return;
    resizeterm(24, 80);
    flushinp();
    wattrset(stdscr, 0);
    wcolor_set(stdscr, 0, nullptr);
    werase(stdscr);
    wmove(stdscr, 0, 0);
    keypad(stdscr, FALSE);
    scrollok(stdscr, FALSE);
    leaveok(stdscr, FALSE);
    nodelay(stdscr, FALSE);
    wtimeout(stdscr, -1);
    ostrin_end_screen();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // A terminal type with colours, an alternate screen and keypad strings;
    // no waiting after an Escape byte; UTF-8 text as in the program.
    setenv("TERM", "xterm-256color", 1);
    setenv("ESCDELAY", "0", 1);
    unsetenv("LINES");
    unsetenv("COLUMNS");
    std::setlocale(LC_CTYPE, "C.UTF-8");

    const int null_fd = open("/dev/null", O_WRONLY);
    int keys[2];
    if (null_fd < 0 || dup2(null_fd, STDOUT_FILENO) < 0 || pipe2(keys, O_NONBLOCK) != 0 ||
        dup2(keys[0], STDIN_FILENO) < 0)
        std::abort();
    close(null_fd);
    close(keys[0]);
    fixture.keys_fd = keys[1];
    fixture.script_fd = memfd_create("fuzz.js", 0);
    if (fixture.script_fd < 0)
        std::abort();
    fixture.script_path = "/proc/self/fd/" + std::to_string(fixture.script_fd);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    reset_screen();
    input in{data, size};
    const std::size_t keys = in.next() % (fuzz_ostrin_max_keys + 1);
    std::string key_bytes;
    while (key_bytes.size() < keys && !in.done())
        key_bytes += static_cast<char>(in.next());
    if (!key_bytes.empty() && write(fixture.keys_fd, key_bytes.data(), key_bytes.size()) < 0)
        std::abort();

    const std::string script = generate_script(in);
    if (std::getenv("FUZZ_SHOW_SCRIPT") != nullptr)
        std::fprintf(stderr, "%s", script.c_str());

    ostrin_heap heap = ostrin_create_heap(fuzz_fatal);
    duk_context* ctx = heap.get();
    if (ctx == nullptr)
        std::abort();
    ostrin_bind_to(ctx);
    duk_push_c_function(ctx, fuzz_resize, 2);
    duk_put_global_string(ctx, "resize");
    for (const replacement& r : short_waits) {
        duk_push_c_function(ctx, r.function, r.arguments);
        duk_put_global_string(ctx, r.name);
    }
    write_file(script);
    load(ctx, true);
    write_file(std::string_view(reinterpret_cast<const char*>(data) + in.at, size - in.at));
    load(ctx, false);
    return 0;
}
