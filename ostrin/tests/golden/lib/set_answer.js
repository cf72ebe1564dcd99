var answer = 42;
function twice(x) { return 2 * x; }
