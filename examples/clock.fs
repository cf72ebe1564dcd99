\ clock.fs: a clock face with its twelve numbers, showing ten past
\ ten.
\
\ Labels need words, not numbers: '3 puts the text 3 in the text
\ buffer, and label writes it. Try other times: the hands are the
\ last lines, each a heading and a length.

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

\ hour ( -- ) writes the text buffer at the next hour's place: the
\ turtle turns 30 degrees (a twelfth of a turn), walks out from the
\ middle, writes, and walks back.
:hour  30 rt  pu 145 fd  centred  145 bk ;

\ The face: a ring, and a tick for every minute (6 degrees apart),
\ longer and thicker every fifth minute.
pu home pd
4 setpensize  #tan setpc  180 180 ellipse
1 setpensize  #grey setpc
{ 6 rt  pu 160 fd pd
  $i 5 mod 0 = [ 2 setpensize 15 fd 15 bk 1 setpensize ] iftrue
  6 fd  pu 166 bk } 60 times

\ The numbers, starting at one o'clock.
#white setpc  24 setlabelheight
home
'1 hour  '2 hour  '3 hour  '4 hour  '5 hour   '6 hour
'7 hour  '8 hour  '9 hour  '10 hour '11 hour  '12 hour

\ The hands: ten past ten. The hour hand is a sixth of the way from
\ 10 to 11: 300 + 5 degrees.
pu home pd
6 setpensize  #white setpc   305 seth 90 fd
pu home pd
3 setpensize  #salmon setpc  60 seth 135 fd
pu home pd
#salmon setbackground  8 8 fillellipse  #black setbackground
