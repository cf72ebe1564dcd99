\ koch.fs: the Koch snowflake.
\
\ A Koch line of depth 0 is a straight line. A Koch line of depth n
\ is four Koch lines of depth n - 1, each a third as long, with a
\ pointed bump in the middle: left 60, right 120, left 60. Three of
\ them round a triangle make the snowflake. Try depth 0, 1, 2 or 5.

\ Start afresh, whatever was drawn before: a black picture, the turtle
\ at home facing up, a white pen 1 pixel wide, labels 15 high.
#black setbackground clearscreen #white setpencolor 1 setpensize 15 setlabelheight pendown showturtle

\ koch ( length depth -- ) draws one Koch line.
\ There is no "else" in Veskel: the word keeps its test in a variable
\ and runs one block when it is true and the other when it is false.
\ The test is read before anything else runs, so the recursive calls
\ can change the variable without harm.
:koch
  dup 0 = =straight
  $straight [ drop fd ] iftrue
  $straight {
    1- swap 3 / swap                  \ a third of the length, one less deep
    2dup koch  60 lt
    2dup koch  120 rt
    2dup koch  60 lt
    koch
  } iffalse ;

\ The snowflake: three Koch lines, turning 120 after each.
pu 175 115 setxy 90 seth pd
#cyan setpc
[ 290 4 koch  120 rt ] 3 times
