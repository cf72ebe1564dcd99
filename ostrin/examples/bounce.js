// A ball running along a line in a game loop that waits at most one tick
// for a key: the arrow keys turn it, space beeps, q leaves. The cursor is
// hidden while it runs where the terminal can hide it.
//   build/ostrin/ostrin ostrin/examples/bounce.js
var tick = 80;           // milliseconds between two steps of the ball
var x = 0, direction = 1, turns = 0;

initscr();
raw();
noecho();
keypad(true);
// The visibility before, or ERR where the terminal cannot hide the cursor:
// the game then goes on with it showing.
var cursor = curs_set(0);
var ball = 0;            // the ball's attributes
if (has_colors()) {
    start_color();
    // The terminal's own background where it allows it.
    init_pair(1, COLOR_YELLOW, use_default_colors() === OK ? -1 : COLOR_BLACK);
    ball = COLOR_PAIR(1) | A_BOLD;
}

// Room on a row: curses refuses to fill the bottom-right cell.
function room(row) { return COLS - (row === LINES - 1 ? 1 : 0); }
function ballRow() { return LINES >= 2 ? 1 : 0; }

function draw(status) {
    if (LINES >= 2 && room(0) > 0) {
        mvaddnstr(0, 0, status, room(0));
        clrtoeol();
    }
    var row = ballRow();
    move(row, 0);
    clrtoeol();
    if (x < room(row)) {
        attron(ball);
        mvaddstr(row, x, "o");
        attroff(ball);
    }
    refresh();
}

for (var count = 3; count > 0; count--) {
    draw("starting in " + count);
    napms(150);
}

for (;;) {
    draw("turns " + turns + "  (arrows turn, space beeps, q quits)");
    var asked = Date.now();
    timeout(tick);
    var key = getch();
    if (key === ERR) {
        // ERR long before the tick is up means the input has ended: no key
        // will ever come, so stop.
        if (Date.now() - asked < tick / 2) break;
        var width = room(ballRow());
        x += direction;
        if (x < 0 || x >= width) {
            direction = -direction;
            x = Math.max(0, Math.min(x, width - 1));
            turns++;
        }
        continue;
    }
    if (key === 113) break;  // q
    if (key === KEY_LEFT) direction = -1;
    else if (key === KEY_RIGHT) direction = 1;
    else if (key === 32) beep();
}

// Keys typed while the game ended are not left for the shell.
flushinp();
if (cursor !== ERR) curs_set(cursor);
endwin();
print("The ball turned", turns, "times.");
