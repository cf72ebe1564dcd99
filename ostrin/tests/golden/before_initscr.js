// Before initscr there is no screen: sizes are -1, the size globals do not
// exist, drawing fails as each binding promises.
// args: lib/check.js SELF
check(getmaxx(), -1, "getmaxx");
check(getmaxy(), -1, "getmaxy");
check(thrown(function () { return LINES; }), "ReferenceError", "LINES");
check(thrown(function () { return COLS; }), "ReferenceError", "COLS");
check(thrown(function () { return COLORS; }), "ReferenceError", "COLORS");
check(thrown(function () { return COLOR_PAIRS; }), "ReferenceError", "COLOR_PAIRS");
check(typeof LINES, "undefined", "typeof LINES");

check(addstr("text"), ERR, "addstr reports failure");
check(thrown(function () { addnstr("text", 4); }), "TypeError", "addnstr throws");
check(thrown(function () { move(0, 0); }), "TypeError", "move throws");
check(thrown(function () { start_color(); }), "TypeError", "start_color throws");
check(thrown(function () { init_pair(1, COLOR_RED, COLOR_BLACK); }), "TypeError", "init_pair throws");
check(refresh(), ERR, "refresh");
check(attron(A_BOLD), ERR, "attron");
check(has_colors(), false, "has_colors");
check(isendwin(), false, "isendwin");
check(typeof COLORS, "undefined", "COLORS after a failed start_color");
