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

function centre(row, text) {
    var col = Math.max(0, Math.floor((COLS - text.length) / 2));
    mvaddnstr(row, col, text, COLS - col);
}

function draw() {
    erase();
    if (colours) color_set(1);
    attron(A_BOLD);
    var bar = new Array(COLS + 1).join(" ");
    mvaddnstr(0, 0, bar, COLS);
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
// Redraw when the window changes size; any other key ends the program.
while (getch() === KEY_RESIZE)
    draw();
endwin();
