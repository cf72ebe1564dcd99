// Globals left by one file are seen by the files after it.
// args: lib/check.js lib/set_answer.js SELF
check(answer, 42, "variable from an earlier file");
check(twice(4), 8, "function from an earlier file");
