// The scripts that could be read all run, but a file that could not be
// opened makes the whole run fail.
// args: no-such-file.js SELF
// stderr: Can't open file no-such-file.js
// status: 1
var ran = true;
