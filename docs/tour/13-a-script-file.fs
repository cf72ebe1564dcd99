\ house.fs: a script file. Lines run one after the other; a
\ definition or a block may go on over several lines.

/* Comments between slash-star and star-slash may span lines too.
   They must not stand inside a definition or a block. */

:wall  [ 80 fd 90 rt ] 4 times ;   \ a square, 80 on each side
\ Two sides of a triangle; the turtle walks back along the third
\ (the top of the wall) with its pen up.
:roof  30 rt 80 fd 120 rt 80 fd  pu 120 rt 80 fd 90 rt pd ;

:house
  #tan setpc wall
  80 fd #orange setpc roof
;

pu 90 lt 40 fd 90 rt 70 bk pd
house
