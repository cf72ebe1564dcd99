\ sierpinski.fs: the Sierpinski triangle.
\
\ A Sierpinski triangle of depth 0 is a plain triangle. One of depth
\ n is three of depth n - 1, half as big, in the three corners of the
\ big one. Try depth 2, or 7 (which takes a moment).

\ Start afresh, whatever was drawn before: a black picture, the turtle
\ at home facing up, a white pen 1 pixel wide, labels 15 high.
#black setbackground clearscreen #white setpencolor 1 setpensize 15 setlabelheight pendown showturtle

\ triangle ( size -- size ) walks a triangle: along the base to the
\ right, then up to the top and back down to the start.
:triangle  [ dup fd 120 lt ] 3 times ;

\ sierpinski ( size depth -- ) draws it with its base to the right of
\ the turtle, which looks right (heading 90) and ends where it began.
:sierpinski
  dup 0 = =plain
  $plain [ drop triangle drop ] iftrue
  $plain {
    1- swap 2 / swap                  \ half the size, one less deep
    2dup sierpinski                   \ the left corner
    pu over fd pd
    2dup sierpinski                   \ the right corner
    pu over bk  60 lt over fd 60 rt pd
    2dup sierpinski                   \ the top corner
    pu 60 lt over bk 60 rt pd
    drop drop
  } iffalse ;

pu 130 375 setxy 90 seth pd
#yellow setpc
380 6 sierpinski
