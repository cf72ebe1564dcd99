// A TypeError from a binding that the script catches stays in the script.
// args: lib/check.js SELF
var caught = null;
try {
    addnstr("text", 4);
} catch (e) {
    caught = e;
}
check(caught instanceof TypeError, true, "a TypeError");
check(thrown(function () { mvaddnstr(-5, -5, "x", 1); }), "TypeError", "mvaddnstr");
