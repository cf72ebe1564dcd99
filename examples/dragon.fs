\ dragon.fs: the dragon curve, coloured as it is drawn.
\
\ Fold a strip of paper in half again and again, unfold it so that
\ every fold is a right angle, and you get this curve. As a rule: a
\ dragon of depth 0 is one step; one of depth n is a dragon of depth
\ n - 1, a turn, and another dragon of depth n - 1 that turns the
\ other way. Try depth 6 or 10, or a step of 3.

\ Start afresh, whatever was drawn before: a black picture, the turtle
\ at home facing up, a white pen 1 pixel wide, labels 15 high.
#black setbackground clearscreen #white setpencolor 1 setpensize 15 setlabelheight pendown showturtle

\ step ( -- ) walks one step. It also counts the steps in the
\ variable steps, and picks the next palette colour (1 to 15) every
\ 256 steps: variables stay set between calls, whatever calls them.
0 =steps
:step
  $steps 256 mod 0 = [ $steps 256 / 15 mod 1+ palette setpc ] iftrue
  $steps 1+ =steps
  5 fd ;

\ dragon ( depth sign -- ) draws one dragon; sign is 1 or -1 and
\ says which way its middle turn goes.
:dragon
  over 0 = =single
  $single [ drop drop step ] iftrue
  $single {
    swap 1- swap                      \ one less deep
    over 1 dragon
    90 * rt                           \ the middle turn: 90 or -90
    -1 dragon
  } iffalse ;

pu 453 148 setxy 90 seth pd
2 setpensize
12 1 dragon
