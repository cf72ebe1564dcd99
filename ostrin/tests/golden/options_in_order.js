// Code given with -e runs in its place among the files, all in one engine;
// after "--" every argument is a file, even one that looks like an option.
// args: -e order=["e1"] SELF -e order.push("e2") -e print(order.join()) -- -e
// stdout: e1,file,e2
// stderr: Can't open file -e
// status: 1
order.push("file");
