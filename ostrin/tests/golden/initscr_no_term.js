// Without TERM curses cannot open the screen: initscr throws a TypeError
// the script can catch, instead of ending the process.
// args: lib/check.js SELF
check(thrown(initscr), "TypeError", "initscr");
check(typeof LINES, "undefined", "LINES after a failed initscr");
check(getmaxx(), -1, "still no screen");
