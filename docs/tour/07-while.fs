\ while ... repeat: the first block says whether to go on, the second
\ is the work. Each pass runs the test, then the work, then stops if the
\ test said 0: so the work runs once more in the pass that says stop.
\ Counting to 5: the count stays under the test's flag, so the work
\ uses over to print it, and drop removes it at the end.
0 [ 1+ dup 5 < ] while [ over . ] repeat drop cr
\ Dashes to the right until the turtle is past x = 260.
90 rt
[ xcor 260 < ] while [ 10 fd pu 10 fd pd ] repeat
\ until ... repeat stops when its test gives 1 instead.
180 rt
[ xcor 60 < ] until [ 10 fd 90 lt 4 fd 90 rt ] repeat
