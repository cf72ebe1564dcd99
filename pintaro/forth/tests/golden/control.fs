[ $i . ] 3 times $i . cr
[ 1 . ] 0 times [ 1 . ] -2 times [ 1 . ] 0.9 times [ 1 . ] nan times [ 2 . ] 2.9 times cr
[ 5 . ] 5 iftrue [ 6 . ] nan iftrue [ 7 . ] 0 iftrue [ 8 . ] 0 iffalse [ 9 . ] -0 iffalse [ 10 . ] 1 iffalse cr
0 =n [ $n 1+ =n $n 5 < ] while [ $n . ] repeat cr
\ The sense is whatever is on top when repeat starts.
[ 7 ] while 7 [ ] repeat .s clear
0 =n [ $n 1+ =n $n 3 >= ] until [ $n . ] repeat cr
\ until stops only on exactly 1.0.
0 =n [ $n 1+ =n $n 3 >= 2 * $n 5 >= - ] until [ ] repeat $n . cr
{ [ $i . ] 2 times } 2 times cr
\ Nested times share "i": the outer loop sets it again at its next pass.
{ $i . [ ] 5 times $i . } 2 times cr
( 1 2 + . ) interpret cr
'dup 4 execute .s clear
