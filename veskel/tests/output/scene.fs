\ Everything a vector file must draw as the picture does: lines of
\ several widths and directions, both kinds of ellipse, labels of two
\ heights, colour names and changed palette colours, a grey clean.
\ ray ( width -- ) draws a ray out and back and turns for the next.
#grey setbg clean
:ray  setpensize 120 fd 120 bk 23 rt ;
pu 150 200 setxy pd
#red setpc 1 ray  #yellow setpc 2 ray  #forest setpc 3.5 ray
#aqua setpc 6 ray  #purple setpc 10 ray  14 palette setpc 1 ray
10 80 120 3 setpalette  3 palette setbg
pu 420 120 setxy 90 50 fillellipse
#white setpc 2 setpensize 90 50 ellipse 1 setpensize 60 60 ellipse
#black setbg 30 12 fillellipse
#cyan setpc 5 setpensize 120 40 ellipse
pu 360 260 setxy 28 setlabelheight 'Vectors label
pu 360 310 setxy 12 setlabelheight #salmon setpc 'small_text,_same_place label
