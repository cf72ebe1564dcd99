\ ellipses.fs: concentric ellipses, then a target made of discs.
\
\ ellipse ( across up-down -- ) draws around the turtle, so every
\ ellipse here shares the turtle's position as its centre.

\ Start afresh, whatever was drawn before: a black picture, the turtle
\ at home facing up, a white pen 1 pixel wide, labels 15 high.
#black setbackground clearscreen #white setpencolor 1 setpensize 15 setlabelheight pendown showturtle

\ Twenty ellipses on the left, each wider and taller than the one
\ before, their colours running through the palette (1 to 15, then
\ round again: mod keeps the number below 15).
pu 200 200 setxy pd
[ $i 15 mod 1+ palette setpc  $i 9 *  $i 6 *  ellipse ] 20 times

\ A target on the right. fillellipse fills with the background colour,
\ so each disc sets the background first. The biggest disc is drawn
\ first; each smaller one is painted over it.
\ disc ( radius red green blue -- ) paints one disc of that colour.
:disc  setbackground  dup fillellipse ;
pu 500 200 setxy pd
100 #red disc  80 #white disc  60 #red disc  40 #white disc  20 #red disc
\ Back to black, so that pintaro still shows a black border.
#black setbackground
