initscr();
raw();
noecho();
mvaddstr(0, 0, "screen is open");
refresh();
getch();
throw new Error("boom while drawing");
