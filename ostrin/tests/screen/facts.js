// Facts about drawing on an open screen. Each failed fact is listed on the
// last line, which reads "RESULT ok" when all hold.
var failures = [];
function check(actual, expected, what) {
    if (actual !== expected)
        failures.push(what + "=" + actual);
}
function thrown(f) {
    try { f(); } catch (e) { return e.name; }
    return "none";
}

initscr();
noecho();
cbreak();
check(isendwin(), false, "isendwin");

// Without scrolling, curses cannot put text past the last cell.
move(LINES - 1, COLS - 2);
check(addstr("abc"), ERR, "addstr past the end");
check(thrown(function () { move(LINES - 1, COLS - 2); addnstr("abc", 3); }), "TypeError", "addnstr past the end");
check(thrown(function () { mvaddstr(LINES - 1, COLS - 2, "abc"); }), "TypeError", "mvaddstr past the end");
check(leaveok(true), OK, "leaveok");
check(thrown(function () { mvaddstr(LINES - 1, COLS - 2, "abc"); }), "TypeError", "leaveok does not scroll");
check(scrollok(true), OK, "scrollok");
check(leaveok(false), OK, "leaveok off");
check(mvaddstr(LINES - 1, COLS - 2, "abc"), 0, "with scrolling the text fits");

check(scrollok(false), OK, "scrollok off");
check(erase(), OK, "erase");

check(start_color(), 0, "start_color");
check(typeof COLORS + " " + typeof COLOR_PAIRS, "number number", "colour globals");
check(init_pair(1, COLOR_RED, COLOR_BLACK), 0, "init_pair");
check(thrown(function () { init_pair(-1, 1, 1); }), "TypeError", "pair out of range");
check(color_set(1), OK, "color_set");
mvaddstr(10, 0, "red text");
check(color_set(0), OK, "color_set 0");
check(attrset(A_REVERSE), OK, "attrset");
mvaddstr(11, 0, "reverse text");
check(standend(), OK, "standend");

check(move(), 0, "move with no arguments");
check(addstr("@"), OK, "addstr");
check(mvaddnstr(12, 0, "abcdef", 3), 0, "mvaddnstr");
move(13, 0);
check(addnstr("uvwxyz", 2), 0, "addnstr");

var log = [];
check(thrown(function () {
    mvaddstr(LINES + 5, 0, { toString: function () { log.push("text"); return "x"; } });
}), "TypeError", "mvaddstr below the screen");
check(log.length, 0, "text converted after a failed move");

mvaddstr(LINES - 1, 0, "RESULT " + (failures.length ? failures.join(", ") : "ok"));
refresh();
getch();
// No endwin: the host gives the terminal back when the last script ends.
