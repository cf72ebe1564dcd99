\ hilbert.fs: a Hilbert curve, a line that visits every cell of a
\ 32 x 32 grid without ever crossing itself.
\
\ A Hilbert curve of depth n is four curves of depth n - 1, turned so
\ that each ends where the next begins, joined by three steps. The
\ angle (90 or -90) says which way round it goes. Try depth 3, or
\ depth 6 with a step of 5.

\ Start afresh, whatever was drawn before: a black picture, the turtle
\ at home facing up, a white pen 1 pixel wide, labels 15 high.
#black setbackground clearscreen #white setpencolor 1 setpensize 15 setlabelheight pendown showturtle

\ The length of the joining steps, in a variable: every level of the
\ recursion uses the same one.
11 =step

\ hilbert ( depth angle -- ) draws one curve; depth 0 draws nothing.
:hilbert
  over 0 > {
    dup rt
    over 1- over negate hilbert  $step fd  dup lt
    over 1- over hilbert         $step fd
    over 1- over hilbert         dup lt  $step fd
    over 1- over negate hilbert  dup rt
  } iftrue
  drop drop ;

\ The curve starts in the bottom-left corner of its square.
pu 150 371 setxy 0 seth pd
2 setpensize #orange setpc
5 90 hilbert
