// Opens the curses screen as a script would, waits for a key, then
// overflows the native stack for real: the signal handler, on its own
// stack, must still give the terminal back.
#include "ostrin.h"
#include "signal_restore.h"

namespace {

// Read on every call so that the recursion has an end the compiler cannot
// rule out, and is neither removed nor turned into a loop.
volatile int stop_at_depth = -1;

[[gnu::noinline]] int overflow(int depth)
{
    volatile char frame[4096];
    frame[0] = static_cast<char>(depth);
    if (depth == stop_at_depth)
        return frame[0];
    return overflow(depth + 1) + frame[0];
}

} // namespace

int main()
{
    ostrin_signal_stack signal_stack;
    ostrin_restore_on_signals();
    ostrin_heap heap = ostrin_create_heap();
    if (!heap)
        return 1;
    ostrin_bind_to(heap.get());
    duk_eval_string_noresult(heap.get(), "initscr(); raw(); noecho(); keypad(true);"
                                         "mvaddstr(0, 0, 'waiting for a key'); refresh(); getch();");
    return overflow(0);
}
