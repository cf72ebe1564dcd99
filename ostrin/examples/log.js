// A key log: each key is listed on the screen, and kept with print, whose
// lines appear on standard output once the screen is closed. A quiet spell
// of two seconds is logged too; q ends.
//   build/ostrin/ostrin ostrin/examples/log.js
// An uncaught error is described with its file, line and calls before the
// program ends; to see it, set `fail` first:
//   build/ostrin/ostrin -e 'var fail = true' ostrin/examples/log.js
initscr();
noecho();
keypad(true);

// Keys typed before the log started are counted and left out.
nodelay(true);
var early = 0;
while (getch() !== ERR)
    early++;
nodelay(false);
print("skipped", early, "keys typed early");

// Writes a line at the cursor, cut to what fits, and goes to the next one;
// at the bottom the list starts again below the title.
var top = 0;
function line(text) {
    var row = getcury();
    if (row >= LINES - 1) {
        move(top, 0);
        clrtobot();
        row = top;
    }
    var width = COLS - getcurx() - (row === LINES - 1 ? 1 : 0);
    if (width > 0)
        addnstr(text, width);
    if (row + 1 < LINES)
        move(row + 1, 0);
}

line("Keys, q to end:");
top = getcury();
refresh();
// getch waits at most two seconds (20 tenths), then gives ERR.
halfdelay(20);
var keys = 0;
for (;;) {
    var asked = Date.now();
    var key = getch();
    if (key === ERR) {
        // Long before the two seconds, ERR means the input has ended.
        if (Date.now() - asked < 1000) break;
        line("(two quiet seconds)");
        print("quiet");
    } else if (key === 113) {
        break;
    } else {
        keys++;
        line("key " + key);
        print("key", key);
    }
    refresh();
}

function summary(result) { return result.keys + " keys"; }
function finish() { print(summary(typeof fail !== "undefined" ? null : { keys: keys })); }
finish();
endwin();
