// On a native stack far smaller than usual, every deep recursion through
// native code ends in the engine's own RangeError, which a script can
// catch; uncaught it is fatal like any other error, not a crash.
// ulimit: -s 256
// args: lib/check.js SELF
// stderr: Fatal error; uncaught: 'C stack depth limit'
// status: abort
function message(f) {
    try {
        f();
    } catch (e) {
        return e.message;
    }
    return "none";
}
check(message(function () { new RegExp("(".repeat(11000) + "a" + ")".repeat(11000)); }),
      "regexp compiler recursion limit", "deeply nested regular expression");
check(message(function () { /(?:a|b)*c/.test("ab".repeat(20000)); }),
      "regexp executor recursion limit", "long regular expression match");
check(message(function () { eval("(".repeat(3000) + "1" + ")".repeat(3000)); }),
      "compiler recursion limit (line 1)", "deeply nested expression");
check(message(function () {
    var a = [];
    for (var i = 0; i < 5000; i++)
        a = [a];
    String(a);
}), "C stack depth limit", "deeply nested array to text");

// The reported case: a binding's argument conversion calls the binding again.
var again = { valueOf: function () { move(again, 0); return 0; } };
move(again, 0);
