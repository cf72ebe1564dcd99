// Every constant is a plain number with a fixed value.
// args: lib/check.js SELF
var expected = {
    OK: 0, ERR: -1,
    A_NORMAL: 0, A_STANDOUT: 0x10000, A_UNDERLINE: 0x20000, A_REVERSE: 0x40000,
    A_BLINK: 0x80000, A_DIM: 0x100000, A_BOLD: 0x200000, A_PROTECT: 0x1000000,
    A_INVIS: 0x800000, A_ALTCHARSET: 0x400000,
    COLOR_BLACK: 0, COLOR_RED: 1, COLOR_GREEN: 2, COLOR_YELLOW: 3,
    COLOR_BLUE: 4, COLOR_MAGENTA: 5, COLOR_CYAN: 6, COLOR_WHITE: 7,
    KEY_RESIZE: 410, KEY_BACKSPACE: 263, KEY_ENTER: 343, KEY_BREAK: 257,
    KEY_UP: 259, KEY_DOWN: 258, KEY_LEFT: 260, KEY_RIGHT: 261,
    KEY_HOME: 262, KEY_END: 360, KEY_PPAGE: 339, KEY_NPAGE: 338,
    KEY_DC: 330, KEY_IC: 331, KEY_F0: 264
};
var names = Object.keys(expected);
for (var i = 0; i < names.length; i++) {
    check(typeof this[names[i]], "number", names[i] + " type");
    check(this[names[i]], expected[names[i]], names[i]);
}
// Constants come first among the host's globals, in this order.
var keys = Object.keys(this);
keys = keys.slice(keys.indexOf("OK"));
check(keys.slice(0, names.length).join(" "), names.join(" "), "order");
