\ Comparisons leave a flag: 1 for true, 0 for false.
3 4 < .  3 4 > .  5 5 = .  cr
\ iftrue runs the last block when the flag is not 0;
\ iffalse runs it when the flag is 0.
5 3 < [ 111 . ] iftrue  5 3 < [ 222 . ] iffalse cr
\ A fence: every post is 20 high, every third one 50.
pu 90 lt 140 fd 90 rt 60 bk pd
{ $i 3 mod 0 = [ 50 fd 50 bk ] iftrue
  $i 3 mod 0 = [ 20 fd 20 bk ] iffalse
  90 rt pu 18 fd pd 90 lt } 16 times
