\ ellipse draws around the turtle: width radius, then height radius.
60 30 ellipse
#yellow setpc  30 30 ellipse
\ fillellipse fills with the background colour, not the pen colour.
#blue setbackground  15 15 fillellipse
\ label writes the text buffer with its top-left corner at the turtle.
pu 90 lt 140 fd 90 rt 70 fd
#white setpc  'Ellipses label
\ setlabelheight sets the size of the letters.
40 bk  28 setlabelheight  ( and labels ) label
\ labelsize gives the width and height the text takes on the picture.
labelsize .s clear
