// The native stack the scripts run on. The engine stops every deep native
// recursion with its own error, but only if the stack holds that depth: on a
// small `ulimit -s` a script could otherwise overflow the process's stack
// and crash. The scripts therefore run on a thread whose stack has a known
// size (ostrin_limits.h), not on the main thread's stack, whose size the
// user's limits decide.
#pragma once

// Runs `body(data)` on a thread with the script stack and its own signal
// stack, waits for it and returns its result. Signals go to that thread
// while it runs, so a resize or an interrupt reaches the curses call that
// waits there. When no such thread can be created, `body` runs on the
// calling thread instead.
int ostrin_run_on_script_stack(int (*body)(void* data) noexcept, void* data);
