// --help wins over the files: it prints the options and runs nothing.
// args: SELF --help
// stdout: Usage: ostrin [OPTION]... [FILE]...
// stdout: Run JavaScript files, one after another in one engine, with curses
// stdout: bindings for full-screen terminal programs.
// stdout:
// stdout:   -e CODE    run CODE as a script, in its place among the files
// stdout:   --trace    on an uncaught error, print its file, line and stack trace
// stdout:              even when standard error is not a terminal
// stdout:   --help     print this help and exit
// stdout:   --version  print the version and exit
// stdout:   --         end the options: every argument after it is a file
// stdout:
// stdout: Without a file or -e, print the usage line and exit.
print("ran");
