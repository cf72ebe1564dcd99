// A small menu: move with the arrow keys, choose with Return, leave with q.
//   build/ostrin/ostrin ostrin/examples/menu.js
var items = ["Brew tea", "Water the plants", "Read a chapter", "Take a walk", "Quit"];
var chosen = [];
var current = 0;

initscr();
cbreak();
noecho();
keypad(true);
leaveok(true);
if (has_colors()) {
    start_color();
    init_pair(1, COLOR_BLACK, COLOR_GREEN);
}

// Writes text at a place on the screen, cut to what fits, so a small
// terminal shows what it can instead of ending the script. Curses refuses
// to fill the bottom-right cell, so the last line stops one short.
function put(row, col, text) {
    if (row < 0 || row >= LINES || col >= COLS) return;
    var room = COLS - col - (row === LINES - 1 ? 1 : 0);
    if (room > 0) mvaddnstr(row, col, text, room);
}

function draw() {
    erase();
    attron(A_BOLD);
    put(1, 2, "What next?");
    attroff(A_BOLD);
    for (var i = 0; i < items.length; i++) {
        if (i === current) {
            if (has_colors()) color_set(1); else attron(A_REVERSE);
        }
        put(3 + i, 4, " " + items[i] + " ");
        color_set(0);
        attroff(A_REVERSE);
    }
    put(4 + items.length, 2, "Done: " + (chosen.join(", ") || "nothing yet"));
    refresh();
}

for (;;) {
    draw();
    var key = getch();
    // ERR: the input has ended (no timeout is set), so no key will come.
    if (key === ERR) break;
    if (key === KEY_UP) current = (current + items.length - 1) % items.length;
    else if (key === KEY_DOWN) current = (current + 1) % items.length;
    else if (key === 113) break;  // q
    else if (key === 10 || key === 13 || key === KEY_ENTER) {
        if (items[current] === "Quit") break;
        chosen.push(items[current]);
    }
}
endwin();
