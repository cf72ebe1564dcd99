// Shows the code of every key pressed, with its name for the special keys
// curses knows. Press q to leave.
//   build/ostrin/ostrin ostrin/examples/keys.js
initscr();
raw();
noecho();
keypad(true);
scrollok(true);

var names = {};
["KEY_UP", "KEY_DOWN", "KEY_LEFT", "KEY_RIGHT", "KEY_HOME", "KEY_END",
 "KEY_PPAGE", "KEY_NPAGE", "KEY_DC", "KEY_IC", "KEY_BACKSPACE", "KEY_ENTER",
 "KEY_BREAK", "KEY_RESIZE"].forEach(function (n) { names[this[n]] = n; }, this);
for (var f = 1; f <= 12; f++)
    names[KEY_F(f)] = "KEY_F(" + f + ")";

function describe(key) {
    if (names[key]) return names[key];
    if (key === 27) return "Escape";
    if (key === 10 || key === 13) return "Return";
    if (key === 127 || key === 8) return "Backspace";
    if (key < 32) return "Ctrl-" + String.fromCharCode(key + 64);
    if (key < 256) return "'" + String.fromCharCode(key) + "'";
    return "?";
}

attron(A_BOLD);
addstr("Press keys to see their codes; q quits.\n\n");
attroff(A_BOLD);
refresh();

for (;;) {
    var key = getch();
    // Without a timeout getch only gives ERR when there is no more input
    // (standard input at its end): nothing will ever come, so stop.
    if (key === 113 || key === ERR) break;  // q
    addstr("code " + key + "  " + describe(key) + "\n");
    refresh();
}
endwin();
