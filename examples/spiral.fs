\ spiral.fs: a spiral of lines that slowly changes colour.
\
\ Each pass walks a little further than the one before and turns
\ 121 degrees, just over a third of a turn, so the triangle it would
\ make keeps twisting. Try 91, 119 or 145 instead of 121.

\ Start afresh, whatever was drawn before: a black picture, the turtle
\ at home facing up, a white pen 1 pixel wide, labels 15 high.
#black setbackground clearscreen #white setpencolor 1 setpensize 15 setlabelheight pendown showturtle

\ shade ( -- ) sets a colour made from the pass number i (1 to 120):
\ red grows from 0 to 255 while green falls from 255 to 0, and blue
\ stays full, so the lines run from cyan to magenta.
:shade  $i 255 * 120 /  255 $i 255 * 120 / -  255  setpencolor ;

2 setpensize
[ shade  $i 2.6 * fd  121 rt ] 120 times
