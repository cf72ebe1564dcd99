\ poster.fs: a poster with a title, a few lines of text and a
\ landscape made of filled ellipses.
\
\ fillellipse paints with the background colour, so each shape sets
\ the background first; the last line sets it back. Try your own
\ words: ( ... ) holds any text, and centred puts it in the middle.

\ Start afresh, whatever was drawn before: a black picture, the turtle
\ at home facing up, a white pen 1 pixel wide, labels 15 high.
#black setbackground clearscreen #white setpencolor 1 setpensize 15 setlabelheight pendown showturtle

\ centred ( -- ) writes the text buffer with its middle on the turtle.
\ labelsize gives the text's width and height; the label starts half
\ of each up and to the left. The turtle comes back afterwards.
:centred
  pos =y =x
  labelsize  2 / $y swap - =top  2 / $x swap - =left
  pu $left $top setxy label  $x $y setxy ;

\ blob ( x y rx ry red green blue -- ) paints a filled ellipse of
\ that colour with its centre at x y.
:blob  setbackground  =ry =rx  pu setxy  $rx $ry fillellipse ;

\ The sky: clean paints the whole picture in the background colour.
25 35 90 setbackground  clean

\ The sun, with a softer ring around it, then three hills.
565 75 48 48   250 190 80 blob
565 75 38 38   #yellow blob
120 430 260 130  #forest blob
560 450 240 140  34 110 34 blob
330 470 220 120  #green blob

\ The text, each line centred on the middle of the picture.
#white setpc
48 setlabelheight  320 110 pu setxy  ( Spring Fair ) centred
20 setlabelheight  320 170 setxy  ( Saturday, ten until dusk ) centred
#tan setpc
16 setlabelheight  320 205 setxy  ( kites, music and turtle drawing ) centred

\ A thin frame a little inside the edge.
pu 10 10 setxy pd #white setpc
630 10 setxy  630 390 setxy  10 390 setxy  10 10 setxy

#black setbackground
