\ The window icon of pintaro: an orange star drawn by the turtle on green,
\ with the turtle's shell at its heart. Drawn at build time by
\ veskel --size 128x128 -o pintaro.png; every move is relative to home,
\ so any image size centres it.
#forest setbackground clearscreen
#orange setpencolor 5 setpensize
penup 0 setheading 18 forward 90 setheading 55 back pendown
[ 110 forward 144 right ] 5 times
penup home pendown
#tan setbackground 3 setpensize
22 22 fillellipse 22 22 ellipse
hideturtle
