// An error the script does not catch reaches the fatal handler, and the
// files after it do not run.
// args: SELF lib/never.js
// stderr: Fatal error; uncaught: 'error (rc -6)'
// status: abort
var before = 1;
move(-1, -1);
