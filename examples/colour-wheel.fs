\ colour-wheel.fs: the sixteen colours of the palette on a wheel,
\ each with its name.
\
\ The palette starts with the same sixteen colours as the # names:
\ 0 is black, 1 blue, ... 15 grey. Change a colour with setpalette
\ (red green blue index) before the wheel is drawn, and see it change.

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

\ spot ( index -- ) paints a disc in that palette colour, with a grey
\ ring (so that black shows too), and writes the text buffer beyond
\ it. The turtle stands in the middle of the wheel looking outward;
\ it walks out, draws, walks back and turns to the next spot.
:spot
  pu 120 fd
  palette setbackground  22 22 fillellipse
  #grey setpc  22 22 ellipse
  50 fd  #white setpc  centred  50 bk
  120 bk
  22.5 rt ;

pu home
'black 0 spot    'blue 1 spot     'green 2 spot   'cyan 3 spot
'red 4 spot      'magenta 5 spot  'yellow 6 spot  'white 7 spot
'brown 8 spot    'tan 9 spot      'forest 10 spot 'aqua 11 spot
'salmon 12 spot  'purple 13 spot  'orange 14 spot 'grey 15 spot

\ Back to black, so that pintaro still shows a black border.
#black setbackground
