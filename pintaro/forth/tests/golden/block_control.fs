\ A control word right after a block runs the block the word's own list holds
:v [ 8 ] iftrue ; 1 v 0 v .s clear
:c { $i . } 3 times ; c c cr
:r [ interpret 3 ] iftrue ; ( :r 2 ; ) 1 r r .s clear
:k [ 4 ] iffalse buffer ; 0 k 1 k .s clear
:iffalse drop 7 ; 0 k .s clear
'iftrue @when :z [ 6 ] when ; 1 z .s clear
:p [ 1 2 + ] ; p 2 times .s clear
:fib dup 2 >= [ dup 1- fib swap 2 - fib + ] iftrue ; 20 fib .
:o [ 5 ] iftrue ; 1 o :] 0 ; 1 o .s clear
