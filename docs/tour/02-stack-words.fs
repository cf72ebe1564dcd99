\ Words that only move values around on the stack.
5 dup .s        \ dup copies the top value
drop .s         \ drop throws it away
1 2 swap .s     \ swap exchanges the top two
over .s         \ over copies the second value to the top
clear .s        \ clear empties the stack
\ dup gives one length to two words: the same length walked twice.
50 dup fd 90 rt fd
\ A turn typed before its length: swap puts the turn on top for rt,
\ and the long side of the triangle closes it.
135 71 swap rt fd
