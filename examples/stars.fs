\ stars.fs: stars with 5, 7, 9 and 11 points.
\
\ A star is drawn like a polygon, but the turtle turns much further
\ at each point: 180 - 180 / points degrees. With an odd number of
\ points it comes back to where it started after drawing each point
\ once. Try other odd numbers, or other turns: 170 rt gives a star
\ with 36 points.

\ Start afresh, whatever was drawn before: a black picture, the turtle
\ at home facing up, a white pen 1 pixel wide, labels 15 high.
#black setbackground clearscreen #white setpencolor 1 setpensize 15 setlabelheight pendown showturtle

\ star ( size points -- ) draws a star whose lines are size long.
:star  =points =size
  [ $size fd  180 180 $points / - rt ] $points times ;

\ move ( x y -- ) goes to a point without drawing, heading up.
:move  pu setxy pd 0 seth ;

\ One big grey star first, so that the others are drawn over it.
#grey setpc
180 110 move  90 seth  280 5 star

\ Four smaller stars in a row, with thicker lines.
2 setpensize
#yellow setpc   70 270 move  120 5 star
#orange setpc  220 270 move  120 7 star
#salmon setpc  370 270 move  120 9 star
#aqua setpc    520 270 move  120 11 star
