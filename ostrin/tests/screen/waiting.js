// Timed and non-blocking key reads, sleeping, the cursor, clearing and
// colour pairs on a real terminal. The first line reads "RESULT ok" when
// every fact holds; then type-ahead is dropped by flushinp.
var failures = [];
function check(actual, expected, what) {
    if (actual !== expected)
        failures.push(what + "=" + actual);
}
function elapsed(f) {
    var start = Date.now();
    f();
    return Date.now() - start;
}

initscr();
raw();
noecho();
keypad(true);

check(timeout(0), OK, "timeout 0");
check(getch(), ERR, "no key and no wait");
check(timeout(150), OK, "timeout 150");
var key;
check(elapsed(function () { key = getch(); }) >= 100, true, "getch waited for the timeout");
check(key, ERR, "no key within the timeout");
check(nodelay(true), OK, "nodelay");
check(getch(), ERR, "no key with nodelay");
check(nodelay(false), OK, "nodelay off");
check(halfdelay(1), OK, "halfdelay");
check(getch(), ERR, "no key within a tenth of a second");
check(raw(), OK, "raw again");
check(elapsed(function () { check(napms(120), OK, "napms"); }) >= 100, true, "napms slept");

var shown = curs_set(0);
check(shown === 1 || shown === 2, true, "curs_set gives the visibility before");
check(curs_set(7), ERR, "a visibility curses refuses gives ERR");
check(curs_set(shown), 0, "curs_set gives the hidden cursor's 0");

mvaddstr(2, 0, "abcdef");
move(2, 3);
check(getcury() + "," + getcurx(), "2,3", "cursor position");
check(clrtoeol(), OK, "clrtoeol");
mvaddstr(3, 0, "below it");
mvaddstr(4, 0, "and more");
move(3, 2);
check(clrtobot(), OK, "clrtobot");
check(beep(), OK, "beep");
check(flash(), OK, "flash");

start_color();
init_pair(1, COLOR_RED, COLOR_BLACK);
attron(COLOR_PAIR(1));
mvaddstr(5, 0, "pair one");
attroff(COLOR_PAIR(1));

mvaddstr(0, 0, "RESULT " + (failures.length ? failures.join(" ") : "ok"));
mvaddstr(1, 0, "type ahead");
timeout(-1);
refresh();
getch();
check(flushinp(), OK, "flushinp");
nodelay(true);
mvaddstr(1, 0, "after flushinp: " + getch());
refresh();
nodelay(false);
getch();
endwin();
