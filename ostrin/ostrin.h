// The script host's engine glue: the curses bindings given to scripts as
// global functions, the global constants, the fatal handler and the loader
// for script files.
#pragma once

#include <duktape.h>

#include <memory>
#include <string_view>

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

// The global functions, in registration order, ended by an empty entry:
// the one list of the bindings, kept in ostrin.cpp with them. Each has a
// fixed argument count, except print, which takes any number. Each binding
// reads its arguments from the value stack and returns 1 (one result
// pushed), 0 (undefined) or DUK_RET_TYPE_ERROR (throws).
const duk_function_list_entry* ostrin_bindings();

// The row of the binding registered as `name`, or null.
const duk_function_list_entry* ostrin_binding(std::string_view name);
