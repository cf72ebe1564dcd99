\ The window icon of pintaro: an orange star drawn by the turtle on green,
\ with the turtle's shell at its heart. Drawn at build time by veskel -o.
#forest setbackground clearscreen
penup 170 150 setxy 90 setheading pendown
#orange setpencolor 12 setpensize
[ 300 forward 144 right ] 5 times
penup 320 200 setxy pendown
#tan setbackground 6 setpensize
60 60 fillellipse 60 60 ellipse
hideturtle
