// The script host's engine glue: the curses bindings given to scripts as
// global functions, the global constants, the fatal handler and the loader
// for script files.
#pragma once

#include <duktape.h>

#include <memory>

// Called by the engine for an error nobody catches. Restores the terminal,
// prints the message on standard error and aborts; never returns.
[[noreturn]] void ostrin_fatal(void* udata, const char* msg);

// The one engine heap of the process. Destroying it frees every value the
// scripts created.
struct ostrin_heap_deleter {
    void operator()(duk_context* ctx) const noexcept { duk_destroy_heap(ctx); }
};
using ostrin_heap = std::unique_ptr<duk_context, ostrin_heap_deleter>;

// A heap with the default allocator, no user data and `fatal` as its fatal
// handler; empty when the engine cannot allocate one.
ostrin_heap ostrin_create_heap(duk_fatal_function fatal = ostrin_fatal);

// Ends the curses screen if it is showing and writes the lines print kept
// meanwhile. Before the process ends, and before anything is said on
// standard error.
void ostrin_end_screen();

// Sets the global property `name` to the integer `value`. Every global the
// host creates goes through here.
void ostrin_set_int(duk_context* ctx, const char* name, int value);

// Sets the fixed integer constants (OK, ERR, A_*, COLOR_*, KEY_*).
void ostrin_bind_const(duk_context* ctx);

// Sets the constants, then registers `ostrin_functions` on the global object.
void ostrin_bind_to(duk_context* ctx);

// Reads the whole file at `path` and pushes it as one string. When the file
// cannot be read (missing, unreadable, a directory, a read error) prints
// "Can't open file <path>" on standard error, pushes nothing and returns false.
bool ostrin_read_file(duk_context* ctx, const char* path);

// The global functions, in registration order, ended by an empty entry.
// Each has a fixed argument count, except print, which takes any number.
extern const duk_function_list_entry ostrin_functions[];

// The bindings. Each reads its arguments from the value stack and returns
// 1 (one result pushed), 0 (undefined) or DUK_RET_TYPE_ERROR (throws).
duk_ret_t ostrin_initscr(duk_context* ctx);
duk_ret_t ostrin_endwin(duk_context* ctx);
duk_ret_t ostrin_isendwin(duk_context* ctx);
duk_ret_t ostrin_cbreak(duk_context* ctx);
duk_ret_t ostrin_nocbreak(duk_context* ctx);
duk_ret_t ostrin_echo(duk_context* ctx);
duk_ret_t ostrin_noecho(duk_context* ctx);
duk_ret_t ostrin_raw(duk_context* ctx);
duk_ret_t ostrin_noraw(duk_context* ctx);
duk_ret_t ostrin_nl(duk_context* ctx);
duk_ret_t ostrin_nonl(duk_context* ctx);
duk_ret_t ostrin_keypad(duk_context* ctx);
duk_ret_t ostrin_leaveok(duk_context* ctx);
duk_ret_t ostrin_scrollok(duk_context* ctx);
duk_ret_t ostrin_attron(duk_context* ctx);
duk_ret_t ostrin_attroff(duk_context* ctx);
duk_ret_t ostrin_attrset(duk_context* ctx);
duk_ret_t ostrin_standout(duk_context* ctx);
duk_ret_t ostrin_standend(duk_context* ctx);
duk_ret_t ostrin_color_set(duk_context* ctx);
duk_ret_t ostrin_has_colors(duk_context* ctx);
duk_ret_t ostrin_start_color(duk_context* ctx);
duk_ret_t ostrin_init_pair(duk_context* ctx);
duk_ret_t ostrin_getmaxx(duk_context* ctx);
duk_ret_t ostrin_getmaxy(duk_context* ctx);
duk_ret_t ostrin_erase(duk_context* ctx);
duk_ret_t ostrin_clear(duk_context* ctx);
duk_ret_t ostrin_refresh(duk_context* ctx);
duk_ret_t ostrin_move(duk_context* ctx);
duk_ret_t ostrin_addstr(duk_context* ctx);
duk_ret_t ostrin_addnstr(duk_context* ctx);
duk_ret_t ostrin_mvaddstr(duk_context* ctx);
duk_ret_t ostrin_mvaddnstr(duk_context* ctx);
duk_ret_t ostrin_getch(duk_context* ctx);
duk_ret_t ostrin_key_fn(duk_context* ctx);
duk_ret_t ostrin_timeout(duk_context* ctx);
duk_ret_t ostrin_nodelay(duk_context* ctx);
duk_ret_t ostrin_halfdelay(duk_context* ctx);
duk_ret_t ostrin_napms(duk_context* ctx);
duk_ret_t ostrin_curs_set(duk_context* ctx);
duk_ret_t ostrin_getcury(duk_context* ctx);
duk_ret_t ostrin_getcurx(duk_context* ctx);
duk_ret_t ostrin_clrtoeol(duk_context* ctx);
duk_ret_t ostrin_clrtobot(duk_context* ctx);
duk_ret_t ostrin_beep(duk_context* ctx);
duk_ret_t ostrin_flash(duk_context* ctx);
duk_ret_t ostrin_flushinp(duk_context* ctx);
duk_ret_t ostrin_use_default_colors(duk_context* ctx);
duk_ret_t ostrin_color_pair_fn(duk_context* ctx);
duk_ret_t ostrin_print(duk_context* ctx);
