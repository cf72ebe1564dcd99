\ tree.fs: a tree that grows by recursion: a word that uses itself.
\
\ A branch is a line with two smaller branches on its end. Those are
\ branches too, so "branch" draws them by calling "branch" again with
\ a shorter length, until the length gets too small. Try other angles
\ (25 and 50 below) or another factor than 0.72.

\ Start afresh, whatever was drawn before: a black picture, the turtle
\ at home facing up, a white pen 1 pixel wide, labels 15 high.
#black setbackground clearscreen #white setpencolor 1 setpensize 15 setlabelheight pendown showturtle

\ branch ( length -- ) draws a branch and everything on it, and
\ brings the turtle back to where it started, looking the same way.
\ Only lengths of 6 or more grow: the flag decides whether the block
\ runs, and the length on the stack is dropped at the end either way.
\ The block is a { } block so that it can hold the [ ] block.
:branch
  dup 6 >= {
    dup 10 / setpensize               \ a thick trunk, thin twigs
    120 75 35 setpencolor              \ bark
    dup 20 < [ #forest setpc ] iftrue \ short branches are leafy
    dup fd
    25 lt  dup 0.72 * branch
    50 rt  dup 0.72 * branch
    25 lt
    pu dup bk pd                      \ back down without drawing
  } iftrue
  drop ;

pu 320 390 setxy pd
100 branch
