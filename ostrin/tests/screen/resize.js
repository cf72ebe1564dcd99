initscr();
cbreak();
noecho();
mvaddstr(0, 0, "waiting for a resize");
refresh();
var key;
while ((key = getch()) !== KEY_RESIZE) {}
mvaddstr(1, 0, "resized " + LINES + "x" + COLS + " " + getmaxy() + "x" + getmaxx());
refresh();
getch();
endwin();
