// With --trace, an error nobody catches is first described with its file,
// line and the calls that led to it, then ends as any uncaught error does.
// Lines printed before it come first.
// args: --trace SELF
// stdout: before the error
// stderr: trace.js:13: TypeError: cannot read property 'x' of null
// stderr:     at g (trace.js:13)
// stderr:     at f (trace.js:17)
// stderr:     at global (trace.js:20) preventsyield
// stderr: Fatal error; uncaught: 'cannot read property \x27x\x27 of null'
// status: abort
function g(o) {
    return o.x;
}

function f() {
    g(null);
}
print("before the error");
f();
