// Holds the screen in the modes that most need undoing and waits for a key.
initscr();
raw();
noecho();
keypad(true);
mvaddstr(0, 0, "waiting for a key");
refresh();
getch();
endwin();
