// A file that cannot be opened is reported and skipped; the next one runs,
// as the deliberate fatal error below shows.
// args: no-such-file.js lib SELF
// stderr: Can't open file no-such-file.js
// stderr: Can't open file lib
// stderr: Fatal error; uncaught: 'the file after the missing one ran'
// status: abort
throw new Error("the file after the missing one ran");
