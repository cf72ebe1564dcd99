// Every binding takes a fixed number of arguments: missing ones are
// undefined, extra ones are dropped unseen, and the coercions run in a
// fixed order.
// args: lib/check.js SELF
var counts = {
    initscr: 0, endwin: 0, isendwin: 0, cbreak: 0, nocbreak: 0, echo: 0,
    noecho: 0, raw: 0, noraw: 0, nl: 0, nonl: 0, keypad: 1, leaveok: 1,
    scrollok: 1, attron: 1, attroff: 1, attrset: 1, standout: 0, standend: 0,
    color_set: 1, has_colors: 0, start_color: 0, init_pair: 3, getmaxx: 0,
    getmaxy: 0, erase: 0, clear: 0, refresh: 0, move: 2, addstr: 1,
    addnstr: 2, mvaddstr: 3, mvaddnstr: 4, getch: 0, KEY_F: 1
};
var names = Object.keys(counts);
check(names.length, 35, "number of bindings");
for (var i = 0; i < names.length; i++)
    check(this[names[i]].length, counts[names[i]], names[i] + ".length");
// The functions follow the constants, in this order.
var keys = Object.keys(this);
keys = keys.slice(keys.indexOf("OK") + 35);
check(keys.slice(0, names.length).join(" "), names.join(" "), "order");

var log = [];
check(KEY_F(1, traced(log, "extra", 5)), 265, "extra argument");
check(log.join(), "", "an extra argument is never converted");

log = [];
thrown(function () { move(traced(log, "row", 0), traced(log, "col", 0)); });
check(log.join(), "col,row", "move converts the column first");

log = [];
thrown(function () { addnstr(traced(log, "text", "x"), traced(log, "n", 1)); });
check(log.join(), "n,text", "addnstr converts n first");

log = [];
thrown(function () { init_pair(traced(log, "pair", 1), traced(log, "fg", 2), traced(log, "bg", 3)); });
check(log.join(), "bg,fg,pair", "init_pair converts the background first");

log = [];
check(thrown(function () {
    mvaddstr(traced(log, "row", 0), traced(log, "col", 0), traced(log, "text", "x"));
}), "TypeError", "mvaddstr without a screen");
check(log.join(), "col,row", "mvaddstr converts no text after a failed move");

log = [];
check(thrown(function () {
    mvaddnstr(traced(log, "row", 0), traced(log, "col", 0), traced(log, "text", "x"), traced(log, "n", 1));
}), "TypeError", "mvaddnstr without a screen");
check(log.join(), "col,row", "mvaddnstr converts neither n nor text after a failed move");
