// The curses bindings and the engine glue of the script host.
//
// The engine reports errors with longjmp, so nothing here may throw a C++
// exception, and a binding keeps no object with a destructor alive across a
// call into the engine that can throw (the coercions, the pushes).
#include "ostrin.h"

#include "ostrin_limits.h"
#include "script_output.h"
#include "signal_restore.h"

#include <sys/stat.h>

#include <cstdio>
#include <cstdlib>
#include <new>
#include <string>

// Plain functions only: the curses macros named like common members
// (erase, clear, move) would otherwise break standard headers and our code.
#define NCURSES_NOMACROS
#include <curses.h>

namespace {

struct constant {
    const char* name;
    int value;
};

// Fixed values, not read from the library, so scripts see the same numbers
// on every build. Set in this order.
constexpr constant constants[] = {
    {"OK", 0},
    {"ERR", -1},
    {"A_NORMAL", 0},
    {"A_STANDOUT", 0x10000},
    {"A_UNDERLINE", 0x20000},
    {"A_REVERSE", 0x40000},
    {"A_BLINK", 0x80000},
    {"A_DIM", 0x100000},
    {"A_BOLD", 0x200000},
    {"A_PROTECT", 0x1000000},
    {"A_INVIS", 0x800000},
    {"A_ALTCHARSET", 0x400000},
    {"COLOR_BLACK", 0},
    {"COLOR_RED", 1},
    {"COLOR_GREEN", 2},
    {"COLOR_YELLOW", 3},
    {"COLOR_BLUE", 4},
    {"COLOR_MAGENTA", 5},
    {"COLOR_CYAN", 6},
    {"COLOR_WHITE", 7},
    {"KEY_RESIZE", 410},
    {"KEY_BACKSPACE", 263},
    {"KEY_ENTER", 343},
    {"KEY_BREAK", 257},
    {"KEY_UP", 259},
    {"KEY_DOWN", 258},
    {"KEY_LEFT", 260},
    {"KEY_RIGHT", 261},
    {"KEY_HOME", 262},
    {"KEY_END", 360},
    {"KEY_PPAGE", 339},
    {"KEY_NPAGE", 338},
    {"KEY_DC", 330},
    {"KEY_IC", 331},
    {"KEY_F0", 264},
};

constexpr int key_f0 = 264;
constexpr attr_t standout_attr = 0x10000;
// Where curses keeps a colour pair in an attribute value (its A_COLOR).
constexpr unsigned color_pair_shift = 8;
constexpr unsigned color_pair_mask = 0xff00;

// The screen opened by initscr; curses keeps it for the rest of the process.
SCREEN* the_screen = nullptr;

duk_ret_t push_status(duk_context* ctx, int status)
{
    duk_push_int(ctx, status);
    return 1;
}

// For the bindings that turn a curses failure into a TypeError.
duk_ret_t zero_or_throw(duk_context* ctx, int status)
{
    if (status != OK)
        return DUK_RET_TYPE_ERROR;
    duk_push_int(ctx, 0);
    return 1;
}

int to_flag(duk_context* ctx, duk_idx_t idx)
{
    return duk_to_boolean(ctx, idx) ? TRUE : FALSE;
}

// Colour numbers and pairs are C shorts in curses; larger values wrap.
short to_short(duk_context* ctx, duk_idx_t idx)
{
    return static_cast<short>(duk_to_int(ctx, idx));
}

attr_t to_attrs(duk_context* ctx, duk_idx_t idx)
{
    return static_cast<attr_t>(duk_to_int(ctx, idx));
}

void publish_screen_size(duk_context* ctx)
{
    ostrin_set_int(ctx, "LINES", LINES);
    ostrin_set_int(ctx, "COLS", COLS);
}

// Whether the screen may be showing: the signal handler must then leave it,
// and print must keep its lines until it is given back.
void screen_showing(bool showing)
{
    ostrin_restore_showing(showing);
    ostrin_output_hold(showing);
}

duk_ret_t push_int(duk_context* ctx, int value)
{
    duk_push_int(ctx, value);
    return 1;
}

// Opens the screen as initscr would, but reports a terminal that cannot be
// used instead of ending the process. Like initscr, a second call keeps the
// screen that is already open.
bool open_screen()
{
    if (the_screen != nullptr)
        return true;
    const char* term = std::getenv("TERM");
    if (term == nullptr || *term == '\0')
        term = "unknown";
    ostrin_restore_keep_modes();
    the_screen = newterm(term, stdout, stdin);
    if (the_screen == nullptr)
        return false;
    def_prog_mode();
    ostrin_restore_keep_leave_sequence();
    screen_showing(true);
    return true;
}

struct file_closer {
    void operator()(std::FILE* f) const noexcept { std::fclose(f); }
};

// The whole content of `path`, or false when it cannot be read completely.
bool read_whole_file(const char* path, std::string& out)
{
    std::unique_ptr<std::FILE, file_closer> file(std::fopen(path, "r"));
    if (!file)
        return false;
    struct stat st {};
    if (fstat(fileno(file.get()), &st) != 0 || S_ISDIR(st.st_mode))
        return false;
    try {
        if (S_ISREG(st.st_mode) && st.st_size > 0)
            out.reserve(static_cast<std::size_t>(st.st_size));
        std::string block(ostrin_read_block, '\0');
        for (;;) {
            std::size_t got = std::fread(block.data(), 1, block.size(), file.get());
            out.append(block.data(), got);
            if (got < block.size())
                break;
        }
    } catch (const std::bad_alloc&) {
        return false;
    }
    return !std::ferror(file.get());
}

} // namespace

// --- engine glue ---------------------------------------------------------

void ostrin_end_screen()
{
    if (!isendwin())
        endwin();
    screen_showing(false);
}

void ostrin_fatal(void*, const char* msg)
{
    // Give the user a working terminal back before saying what went wrong;
    // the script's kept and buffered lines come out before the abort.
    ostrin_end_screen();
    std::fflush(stdout);
    if (msg != nullptr)
        std::fprintf(stderr, "Fatal error; %s\n", msg);
    else
        std::fputs("Fatal error in Duktape\n", stderr);
    std::fflush(stderr);
    std::abort();
}

ostrin_heap ostrin_create_heap(duk_fatal_function fatal)
{
    return ostrin_heap(duk_create_heap(nullptr, nullptr, nullptr, nullptr, fatal));
}

void ostrin_set_int(duk_context* ctx, const char* name, int value)
{
    duk_push_int(ctx, value);
    duk_put_global_string(ctx, name);
}

void ostrin_bind_const(duk_context* ctx)
{
    for (const constant& c : constants)
        ostrin_set_int(ctx, c.name, c.value);
}

void ostrin_bind_to(duk_context* ctx)
{
    ostrin_bind_const(ctx);
    duk_push_global_object(ctx);
    duk_put_function_list(ctx, -1, ostrin_bindings());
    duk_pop(ctx);
}

bool ostrin_read_file(duk_context* ctx, const char* path)
{
    bool pushed = false;
    {
        std::string text;
        if (read_whole_file(path, text)) {
            // duk_push_lstring only throws on running out of memory, which
            // is fatal outside a protected call, so `text` is not skipped.
            duk_push_lstring(ctx, text.data(), text.size());
            pushed = true;
        }
    }
    if (!pushed)
        std::fprintf(stderr, "Can't open file %s\n", path);
    return pushed;
}

// --- bindings --------------------------------------------------------------

static duk_ret_t ostrin_initscr(duk_context* ctx)
{  // ( -- undefined ) throws when the terminal cannot be used
    if (!open_screen())
        return DUK_RET_TYPE_ERROR;
    publish_screen_size(ctx);
    return 0;
}

static duk_ret_t ostrin_endwin(duk_context* ctx)
{
    int status = endwin();
    screen_showing(false);
    return push_status(ctx, status);
}

static duk_ret_t ostrin_isendwin(duk_context* ctx)
{
    duk_push_boolean(ctx, isendwin() ? 1 : 0);
    return 1;
}

static duk_ret_t ostrin_cbreak(duk_context* ctx) { return push_status(ctx, cbreak()); }
static duk_ret_t ostrin_nocbreak(duk_context* ctx) { return push_status(ctx, nocbreak()); }
static duk_ret_t ostrin_echo(duk_context* ctx) { return push_status(ctx, echo()); }
static duk_ret_t ostrin_noecho(duk_context* ctx) { return push_status(ctx, noecho()); }
static duk_ret_t ostrin_raw(duk_context* ctx) { return push_status(ctx, raw()); }
static duk_ret_t ostrin_noraw(duk_context* ctx) { return push_status(ctx, noraw()); }
static duk_ret_t ostrin_nl(duk_context* ctx) { return push_status(ctx, nl()); }
static duk_ret_t ostrin_nonl(duk_context* ctx) { return push_status(ctx, nonl()); }

static duk_ret_t ostrin_keypad(duk_context* ctx)
{
    return push_status(ctx, keypad(stdscr, to_flag(ctx, 0)));
}

static duk_ret_t ostrin_leaveok(duk_context* ctx)
{
    return push_status(ctx, leaveok(stdscr, to_flag(ctx, 0)));
}

static duk_ret_t ostrin_scrollok(duk_context* ctx)
{
    return push_status(ctx, scrollok(stdscr, to_flag(ctx, 0)));
}

static duk_ret_t ostrin_attron(duk_context* ctx)
{
    return push_status(ctx, wattr_on(stdscr, to_attrs(ctx, 0), nullptr));
}

static duk_ret_t ostrin_attroff(duk_context* ctx)
{
    return push_status(ctx, wattr_off(stdscr, to_attrs(ctx, 0), nullptr));
}

static duk_ret_t ostrin_attrset(duk_context* ctx)
{
    return push_status(ctx, wattrset(stdscr, static_cast<int>(to_attrs(ctx, 0))));
}

static duk_ret_t ostrin_standout(duk_context* ctx)
{
    return push_status(ctx, wattrset(stdscr, static_cast<int>(standout_attr)));
}

static duk_ret_t ostrin_standend(duk_context* ctx) { return push_status(ctx, wattrset(stdscr, 0)); }

static duk_ret_t ostrin_color_set(duk_context* ctx)
{
    return push_status(ctx, wcolor_set(stdscr, to_short(ctx, 0), nullptr));
}

static duk_ret_t ostrin_has_colors(duk_context* ctx)
{
    duk_push_boolean(ctx, has_colors() ? 1 : 0);
    return 1;
}

static duk_ret_t ostrin_start_color(duk_context* ctx)
{
    if (start_color() != OK)
        return DUK_RET_TYPE_ERROR;
    ostrin_set_int(ctx, "COLORS", COLORS);
    ostrin_set_int(ctx, "COLOR_PAIRS", COLOR_PAIRS);
    duk_push_int(ctx, 0);
    return 1;
}

static duk_ret_t ostrin_init_pair(duk_context* ctx)
{  // ( pair fg bg -- 0 ) coerced background first
    short bg = to_short(ctx, 2);
    short fg = to_short(ctx, 1);
    short pair = to_short(ctx, 0);
    return zero_or_throw(ctx, init_pair(pair, fg, bg));
}

static duk_ret_t ostrin_getmaxx(duk_context* ctx)
{
    duk_push_int(ctx, stdscr != nullptr ? getmaxx(stdscr) : -1);
    return 1;
}

static duk_ret_t ostrin_getmaxy(duk_context* ctx)
{
    duk_push_int(ctx, stdscr != nullptr ? getmaxy(stdscr) : -1);
    return 1;
}

static duk_ret_t ostrin_erase(duk_context* ctx) { return push_status(ctx, werase(stdscr)); }
static duk_ret_t ostrin_clear(duk_context* ctx) { return push_status(ctx, wclear(stdscr)); }
static duk_ret_t ostrin_refresh(duk_context* ctx)
{  // ( -- status ) after endwin, a refresh shows the screen again
    screen_showing(the_screen != nullptr);
    return push_status(ctx, wrefresh(stdscr));
}

static duk_ret_t ostrin_move(duk_context* ctx)
{  // ( row col -- 0 ) coerced column first
    int col = duk_to_int(ctx, 1);
    int row = duk_to_int(ctx, 0);
    return zero_or_throw(ctx, wmove(stdscr, row, col));
}

static duk_ret_t ostrin_addstr(duk_context* ctx)
{  // ( text -- status ) never throws on a curses failure
    return push_status(ctx, waddnstr(stdscr, duk_to_string(ctx, 0), -1));
}

static duk_ret_t ostrin_addnstr(duk_context* ctx)
{  // ( text n -- 0 ) coerced n first
    int n = duk_to_int(ctx, 1);
    const char* text = duk_to_string(ctx, 0);
    return zero_or_throw(ctx, waddnstr(stdscr, text, n));
}

static duk_ret_t ostrin_mvaddstr(duk_context* ctx)
{  // ( row col text -- 0 ) the text is only converted after a good move
    int col = duk_to_int(ctx, 1);
    int row = duk_to_int(ctx, 0);
    if (wmove(stdscr, row, col) != OK)
        return DUK_RET_TYPE_ERROR;
    return zero_or_throw(ctx, waddnstr(stdscr, duk_to_string(ctx, 2), -1));
}

static duk_ret_t ostrin_mvaddnstr(duk_context* ctx)
{  // ( row col text n -- 0 ) n and text only after a good move
    int col = duk_to_int(ctx, 1);
    int row = duk_to_int(ctx, 0);
    if (wmove(stdscr, row, col) != OK)
        return DUK_RET_TYPE_ERROR;
    int n = duk_to_int(ctx, 3);
    const char* text = duk_to_string(ctx, 2);
    return zero_or_throw(ctx, waddnstr(stdscr, text, n));
}

static duk_ret_t ostrin_getch(duk_context* ctx)
{  // ( -- key ) a resize refreshes LINES and COLS before returning
    // getch refreshes a changed screen first, which shows it again after
    // endwin; it is taken as showing while the key is awaited.
    screen_showing(the_screen != nullptr);
    int key = wgetch(stdscr);
    screen_showing(the_screen != nullptr && !isendwin());
    if (key == KEY_RESIZE)
        publish_screen_size(ctx);
    duk_push_int(ctx, key);
    return 1;
}

static duk_ret_t ostrin_key_fn(duk_context* ctx)
{  // ( n -- code ) computed wide so a huge n cannot overflow
    duk_push_number(ctx, static_cast<double>(duk_to_int(ctx, 0)) + key_f0);
    return 1;
}

// --- waiting, the cursor, clearing ------------------------------------------

static duk_ret_t ostrin_timeout(duk_context* ctx)
{  // ( ms -- status ) getch waits at most ms (0: not at all, < 0: for ever)
    const int ms = duk_to_int(ctx, 0);
    if (stdscr == nullptr)
        return push_status(ctx, ERR);
    wtimeout(stdscr, ms);
    return push_status(ctx, OK);
}

static duk_ret_t ostrin_nodelay(duk_context* ctx)
{
    return push_status(ctx, nodelay(stdscr, to_flag(ctx, 0) != FALSE));
}

static duk_ret_t ostrin_halfdelay(duk_context* ctx)
{
    return push_status(ctx, halfdelay(duk_to_int(ctx, 0)));
}

static duk_ret_t ostrin_napms(duk_context* ctx) { return push_status(ctx, napms(duk_to_int(ctx, 0))); }

static duk_ret_t ostrin_curs_set(duk_context* ctx)
{  // ( visibility -- previous ) a terminal that cannot do it gives ERR
    return push_int(ctx, curs_set(duk_to_int(ctx, 0)));
}

static duk_ret_t ostrin_getcury(duk_context* ctx)
{
    return push_int(ctx, stdscr != nullptr ? getcury(stdscr) : -1);
}

static duk_ret_t ostrin_getcurx(duk_context* ctx)
{
    return push_int(ctx, stdscr != nullptr ? getcurx(stdscr) : -1);
}

static duk_ret_t ostrin_clrtoeol(duk_context* ctx) { return push_status(ctx, wclrtoeol(stdscr)); }
static duk_ret_t ostrin_clrtobot(duk_context* ctx) { return push_status(ctx, wclrtobot(stdscr)); }
static duk_ret_t ostrin_beep(duk_context* ctx) { return push_status(ctx, beep()); }
static duk_ret_t ostrin_flash(duk_context* ctx) { return push_status(ctx, flash()); }
static duk_ret_t ostrin_flushinp(duk_context* ctx) { return push_status(ctx, flushinp()); }
static duk_ret_t ostrin_use_default_colors(duk_context* ctx)
{
    return push_status(ctx, use_default_colors());
}

static duk_ret_t ostrin_color_pair_fn(duk_context* ctx)
{  // ( n -- attrs ) the attribute bits that select colour pair n
    const auto n = static_cast<unsigned>(duk_to_int(ctx, 0));
    return push_int(ctx, static_cast<int>((n << color_pair_shift) & color_pair_mask));
}

static duk_ret_t ostrin_print(duk_context* ctx)
{  // ( values... -- undefined ) their texts, separated by spaces, as a line
    const duk_idx_t count = duk_get_top(ctx);
    duk_push_string(ctx, " ");
    duk_insert(ctx, 0);
    duk_join(ctx, count);
    duk_size_t size = 0;
    const char* text = duk_get_lstring(ctx, -1, &size);
    if (!ostrin_output_line(text, size))
        return DUK_RET_RANGE_ERROR;
    return 0;
}

static const duk_function_list_entry ostrin_functions[] = {
    {"initscr", ostrin_initscr, 0},
    {"endwin", ostrin_endwin, 0},
    {"isendwin", ostrin_isendwin, 0},
    {"cbreak", ostrin_cbreak, 0},
    {"nocbreak", ostrin_nocbreak, 0},
    {"echo", ostrin_echo, 0},
    {"noecho", ostrin_noecho, 0},
    {"raw", ostrin_raw, 0},
    {"noraw", ostrin_noraw, 0},
    {"nl", ostrin_nl, 0},
    {"nonl", ostrin_nonl, 0},
    {"keypad", ostrin_keypad, 1},
    {"leaveok", ostrin_leaveok, 1},
    {"scrollok", ostrin_scrollok, 1},
    {"attron", ostrin_attron, 1},
    {"attroff", ostrin_attroff, 1},
    {"attrset", ostrin_attrset, 1},
    {"standout", ostrin_standout, 0},
    {"standend", ostrin_standend, 0},
    {"color_set", ostrin_color_set, 1},
    {"has_colors", ostrin_has_colors, 0},
    {"start_color", ostrin_start_color, 0},
    {"init_pair", ostrin_init_pair, 3},
    {"getmaxx", ostrin_getmaxx, 0},
    {"getmaxy", ostrin_getmaxy, 0},
    {"erase", ostrin_erase, 0},
    {"clear", ostrin_clear, 0},
    {"refresh", ostrin_refresh, 0},
    {"move", ostrin_move, 2},
    {"addstr", ostrin_addstr, 1},
    {"addnstr", ostrin_addnstr, 2},
    {"mvaddstr", ostrin_mvaddstr, 3},
    {"mvaddnstr", ostrin_mvaddnstr, 4},
    {"getch", ostrin_getch, 0},
    {"KEY_F", ostrin_key_fn, 1},
    {"timeout", ostrin_timeout, 1},
    {"nodelay", ostrin_nodelay, 1},
    {"halfdelay", ostrin_halfdelay, 1},
    {"napms", ostrin_napms, 1},
    {"curs_set", ostrin_curs_set, 1},
    {"getcury", ostrin_getcury, 0},
    {"getcurx", ostrin_getcurx, 0},
    {"clrtoeol", ostrin_clrtoeol, 0},
    {"clrtobot", ostrin_clrtobot, 0},
    {"beep", ostrin_beep, 0},
    {"flash", ostrin_flash, 0},
    {"flushinp", ostrin_flushinp, 0},
    {"use_default_colors", ostrin_use_default_colors, 0},
    {"COLOR_PAIR", ostrin_color_pair_fn, 1},
    {"print", ostrin_print, DUK_VARARGS},
    {nullptr, nullptr, 0},
};

const duk_function_list_entry* ostrin_bindings() { return ostrin_functions; }

const duk_function_list_entry* ostrin_binding(std::string_view name)
{
    for (const duk_function_list_entry* row = ostrin_functions; row->key != nullptr; ++row)
        if (name == row->key)
            return row;
    return nullptr;
}
