// A full-screen greeting in colour. Press any key to leave.
//   build/ostrin/ostrin ostrin/examples/hello.js
initscr();
cbreak();
noecho();
leaveok(true);

var colours = has_colors();
if (colours) {
    start_color();
    init_pair(1, COLOR_YELLOW, COLOR_BLUE);
    init_pair(2, COLOR_CYAN, COLOR_BLACK);
    init_pair(3, COLOR_GREEN, COLOR_BLACK);
}

// Writes text at a place on the screen, cut to what fits, so any terminal
// size works, down to a single cell. Curses refuses to fill the bottom-right
// cell (the cursor would have nowhere to go), so the last line stops short.
function put(row, col, text) {
    if (row < 0 || row >= LINES || col >= COLS) return;
    var room = COLS - col - (row === LINES - 1 ? 1 : 0);
    if (room > 0) mvaddnstr(row, col, text, room);
}

function centre(row, text) {
    put(row, Math.max(0, Math.floor((COLS - text.length) / 2)), text);
}

function draw() {
    erase();
    if (colours) color_set(1);
    attron(A_BOLD);
    var bar = new Array(COLS + 1).join(" ");
    put(0, 0, bar);
    centre(0, "ostrin");
    attroff(A_BOLD);
    if (colours) color_set(2);
    centre(Math.floor(LINES / 2) - 1, "Hello from JavaScript!");
    if (colours) color_set(3);
    centre(Math.floor(LINES / 2) + 1, "This terminal has " + LINES + " lines and " + COLS + " columns.");
    color_set(0);
    attron(A_DIM);
    centre(LINES - 1, "press any key");
    attroff(A_DIM);
    refresh();
}

draw();
// Redraw when the window changes size; any other key ends the program, and
// so does the end of input (getch then gives ERR).
while (getch() === KEY_RESIZE)
    draw();
endwin();
