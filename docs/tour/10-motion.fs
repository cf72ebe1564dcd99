\ x grows to the right and y downward, from the top-left corner.
pos .s clear                \ the turtle starts in the middle: x y
heading . cr                \ looking up: heading 0
\ setxy goes straight to a point, drawing while the pen is down.
pu 20 20 setxy pd
300 20 setxy  300 180 setxy  20 180 setxy  20 20 setxy
\ seth turns to a heading; setpensize sets the width of lines.
pu 40 160 setxy pd
5 setpensize  90 seth  240 fd  1 setpensize
\ home goes back to the middle with heading 0 (lift the pen first,
\ or it draws the way back).
pu home pd
\ towards gives the heading from the turtle to a point.
280 40 towards seth  100 fd
xcor . ycor . cr
\ fd and bk walk, lt and rt turn.
180 lt 40 fd 90 rt 20 fd 90 rt 20 fd 90 rt 20 fd
