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

function draw() {
    erase();
    attron(A_BOLD);
    mvaddstr(1, 2, "What next?");
    attroff(A_BOLD);
    for (var i = 0; i < items.length; i++) {
        if (i === current) {
            if (has_colors()) color_set(1); else attron(A_REVERSE);
        }
        mvaddnstr(3 + i, 4, " " + items[i] + " ", COLS - 5);
        color_set(0);
        attroff(A_REVERSE);
    }
    mvaddnstr(4 + items.length, 2, "Done: " + (chosen.join(", ") || "nothing yet"), COLS - 3);
    refresh();
}

for (;;) {
    draw();
    var key = getch();
    if (key === KEY_UP) current = (current + items.length - 1) % items.length;
    else if (key === KEY_DOWN) current = (current + 1) % items.length;
    else if (key === 113) break;  // q
    else if (key === 10 || key === 13 || key === KEY_ENTER) {
        if (items[current] === "Quit") break;
        chosen.push(items[current]);
    }
}
endwin();
