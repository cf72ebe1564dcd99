\ A lone backslash ends the line; the rest is never read.
1 2 \ 3 4
.s
\ An alias wins over the dictionary; the dictionary word stays reachable.
'dup @drop
5 drop .s
'drop execute .s
clear
\ A dictionary word wins over a number and over a sigil reading.
:1 42 ;
1 .s clear
:=x 7 ;
=x .s clear
\ An alias named like a number wins too.
'true @2
2 .s clear
\ Words that start with a sigil character but are words themselves.
6 3 / . 9 4 /mod . . cr
\ A sigil word when nothing else matches.
3 =y $y . cr
\ Blocks of one kind do not nest: the first ] closes.
[ 1 [ 2 ] ] buffer
\ In collecting mode nothing runs, not even an alias.
[ drop nosuchword ] buffer
