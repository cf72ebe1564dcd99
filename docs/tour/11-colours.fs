\ Colours are three numbers from 0 to 255: red, green, blue.
255 200 0 setpencolor  60 fd
\ # and a colour name gives the three numbers of that colour.
#red .s clear
#aqua setpc  90 rt 60 fd
\ The palette holds 16 colours, numbered 0 to 15.
\ A fan of lines in palette colours 1 to 15:
pu home 70 bk 90 lt pd
{ $i palette setpc  80 fd 80 bk  12 rt } 15 times
\ setpalette changes a palette entry; the # names never change.
255 255 255 3 setpalette
3 palette .s clear
\ setbackground chooses the background colour; clean and clearscreen
\ paint the whole picture with it (and so would wipe what is above).
#forest setbackground
background .s clear
