// print writes its arguments' texts, separated by spaces, as one line on
// standard output, converting them from left to right; without a screen
// the lines come out at once, in order with nothing held back.
// args: lib/check.js SELF
// stdout: 1 two [object Object] null undefined 2.5 a,b
// stdout:
// stdout: café €5
// stdout: left right
check(print(1, "two", {}, null, undefined, 2.5, ["a", "b"]), undefined, "print's result");
print();
print("café €5");
var log = [];
print(traced(log, "left", "left"), traced(log, "right", "right"));
check(log.join(), "left,right", "conversion order");
check(thrown(function () { print("never", Symbol("s")); }), "TypeError", "a symbol has no text");
check(print.length, 0, "print takes any number of arguments");
