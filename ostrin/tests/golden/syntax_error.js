// A syntax error is fatal; the files after it do not run.
// args: SELF lib/never.js
// stderr: Fatal error; uncaught: 'invalid variable declaration (line 5)'
// status: abort
var = 1;
