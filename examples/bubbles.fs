\ bubbles.fs: circles that grow smaller circles, which grow smaller
\ circles... and two variables that keep count while they do.
\
\ Variables belong to the whole program, so every call of bubble sees
\ the same level and count. bubble adds 1 to level on the way in and
\ takes it off again on the way out, so level always says how deep
\ the current call is; count only ever grows. Try 0.5 instead of 0.45,
\ or a smallest radius other than 4.

\ Start afresh, whatever was drawn before: a black picture, the turtle
\ at home facing up, a white pen 1 pixel wide, labels 15 high.
#black setbackground clearscreen #white setpencolor 1 setpensize 15 setlabelheight pendown showturtle

0 =level
0 =count

\ bubble ( radius -- ) draws a circle around the turtle, and three
\ smaller bubbles on the sides the turtle faces: left, ahead and
\ right. The turtle ends where it started, looking the same way.
:bubble
  dup 4 >= {
    $level 1+ =level  $count 1+ =count
    $level 9 + palette setpc          \ colours 10, 11 and 12 as it goes deeper
    dup dup ellipse
    90 lt
    [ pu dup 1.5 * fd pd  dup 0.45 * bubble  pu dup 1.5 * bk pd  90 rt ] 3 times
    180 rt                            \ -90, then 3 x 90, then 180: once round
    $level 1- =level
  } iftrue
  drop ;

\ The first circle grows a bubble on each of its four sides.
pu home pd
2 setpensize #white setpc  70 70 ellipse
[ pu 105 fd pd  31.5 bubble  pu 105 bk pd  90 rt ] 4 times

( Circles drawn: ) .. $count 1+ . cr
( Level after the last call: ) .. $level . cr
