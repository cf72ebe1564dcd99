\ Collecting goes on across lines until its terminator arrives.
[ 1 2
3 ] buffer
:long
1 .
2 . ;
long cr
\ A backslash ends the line even while collecting.
[ 1 \ 2
3 ] buffer
\ A comment appends to the buffer and then empties it.
/* a comment
spanning lines */ buffer
( text over
two lines ) .. cr
\ The last block survives a comment.
[ 4 ] /* note */ 1 times .s
