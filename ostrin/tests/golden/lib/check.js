// Assertions shared by the golden scripts; loaded as the first file, so it
// also shows that one file's globals reach the next.
function check(actual, expected, what) {
    if (actual !== expected)
        throw new Error(what + ": got " + actual + ", expected " + expected);
}

// Runs f and returns the name of the error it throws, or "none".
function thrown(f) {
    try {
        f();
    } catch (e) {
        return e.name;
    }
    return "none";
}

// An object that records in `log` when it is converted to a number or text.
function traced(log, label, value) {
    return {
        valueOf: function () { log.push(label); return value; },
        toString: function () { log.push(label); return String(value); }
    };
}
