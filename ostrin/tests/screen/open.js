// Opens the screen; the script after it draws on it.
initscr();
cbreak();
noecho();
keypad(true);
