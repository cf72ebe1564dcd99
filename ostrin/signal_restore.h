// Gives the terminal back when a signal ends the process while a script has
// the curses screen open, then lets the signal end the process as it would
// have. Everything the handler needs is prepared here beforehand, so the
// handler itself only writes bytes and applies saved terminal settings.
#pragma once

#include <memory>

// Takes over every signal whose default action ends the process (the list
// and its reasons are in signal_restore.cpp), except those that are ignored
// or already handled. Called before the screen is opened, so curses, which
// only claims signals still at their default, leaves them to us. The
// handler runs on the calling thread's signal stack where it has one.
void ostrin_restore_on_signals();

// A stack of its own for the signal handlers of the thread that creates it,
// so that a stack overflow, whose fault finds no room left on the thread's
// stack, still gives the terminal back. A thread that already has one (a
// sanitizer's) keeps it. Removed again when the object goes.
class ostrin_signal_stack {
public:
    ostrin_signal_stack();
    ~ostrin_signal_stack();
    ostrin_signal_stack(const ostrin_signal_stack&) = delete;
    ostrin_signal_stack& operator=(const ostrin_signal_stack&) = delete;

private:
    std::unique_ptr<char[]> memory_;  // empty when the thread kept its own
};

// Called just before curses opens the screen: keeps the terminal's settings
// as the shell had them.
void ostrin_restore_keep_modes();

// Called once curses has opened the screen: keeps the bytes that leave it
// (normal attributes and colours, visible cursor, keypad off, main screen).
void ostrin_restore_keep_leave_sequence();

// Whether the curses screen may be showing, that is whether a signal must
// also write the bytes that leave it. Set before a call that may show it
// again (refresh, getch) and cleared after endwin.
void ostrin_restore_showing(bool showing);
