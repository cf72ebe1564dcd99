\ The turtle sprite drawn with the turtle's own words: a circle of radius
\ 12 and a heading mark 12 long, 2 wide, in the pen colour (heading 0).
2 setpensize 12 12 ellipse 12 fd
