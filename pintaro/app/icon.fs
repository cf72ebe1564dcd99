\ The window icon of pintaro: an orange star drawn by the turtle on green,
\ with the turtle's shell at its heart. Drawn at build time at every icon
\ size N by veskel --size NxN -e "N =side" -o pintaro.png icon.fs.
\ Every length is a share of the side (designed at 128, see px) and every
\ move is relative to home, so it fills and centres any size.
:px $side * 128 / ;
#forest setbackground clearscreen
#orange setpencolor 5 px setpensize
penup 0 setheading 18 px forward 90 setheading 55 px back pendown
[ 110 px forward 144 right ] 5 times
penup home pendown
#tan setbackground 3 px setpensize
22 px 22 px fillellipse 22 px 22 px ellipse
hideturtle
