// print while the screen is open: the lines wait until it is given back.
// Then an uncaught error: on a terminal its place is described first.
initscr();
raw();
noecho();
print("kept 1");
mvaddstr(0, 0, "screen is open");
refresh();
getch();
endwin();
print("direct 2");
refresh();
print("kept 3");
mvaddstr(1, 0, "screen again");
refresh();
getch();
function g() {
    return null.x;
}
function f() {
    g();
}
f();
