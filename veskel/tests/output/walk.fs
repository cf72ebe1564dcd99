\ A square spiral in the palette's colours, then straight to a whole
\ pixel, looking up: where the last frame shows the turtle.
1 =n [ $n 16 mod palette setpc $n 4 * 10 + fd 90 rt $n 1+ =n ] 60 times
300 150 setxy 0 setheading
