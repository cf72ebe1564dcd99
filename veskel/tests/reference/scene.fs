/* Every kind of drawing the raster layer does: lines of two widths, outlined
   and filled ellipses, labels of two sizes, a cleared area and lines cut at the
   image's edges. */
0 0 90 setbg clean
#red setpc 3 setpensize
[ 100 fd 144 rt ] 5 times
#aqua setpc 60 40 ellipse
#forest setbg 30 20 fillellipse
pu 40 40 setxy pd #yellow setpc 'Veskel label
24 setlabelheight #salmon setpc pu 380 300 setxy pd 'Two label
1 setpensize #white setpc pu 0 0 setxy pd 45 seth 100000 fd
home 200 seth -100000000 bk
