// An unknown option is refused before anything runs.
// args: SELF --frobnicate
// stderr: ostrin: unknown option --frobnicate
// stderr: Try 'ostrin --help'.
// status: 2
print("ran");
