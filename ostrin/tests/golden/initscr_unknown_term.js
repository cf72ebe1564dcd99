// An unknown terminal type makes initscr throw; uncaught, that is fatal.
// env: TERM=no-such-terminal-type
// stderr: Fatal error; uncaught: 'error (rc -6)'
// status: abort
initscr();
