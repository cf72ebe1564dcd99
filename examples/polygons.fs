\ polygons.fs: a family of regular polygons, from a triangle to a
\ decagon, all standing on one base line.
\
\ Try: change the side length 70, or draw 3 to 20 sides with
\ "18 times" (the palette has colours for 0 to 15 only, so the
\ colour line needs a change too).

\ Start afresh, whatever was drawn before: a black picture, the turtle
\ at home facing up, a white pen 1 pixel wide, labels 15 high.
#black setbackground clearscreen #white setpencolor 1 setpensize 15 setlabelheight pendown showturtle

\ polygon ( sides -- ) walks a regular polygon with that many sides.
\ At each corner the turtle turns 360 / sides degrees, so after the
\ last side it has turned once round and stands where it started.
:polygon  =sides  [ 70 fd 360 $sides / lt ] $sides times ;

\ The common base runs from (285, 380) to the right.
pu 285 380 setxy 90 seth pd
2 setpensize

\ Pass 1 draws 3 sides, pass 2 draws 4, ... pass 8 draws 10, each in
\ the palette colour of its number of sides. polygon runs its own
\ times, which changes i, so i is read first and kept in n.
{ $i 2 + =n  $n palette setpc  $n polygon } 8 times
