\ The turtle as veskel starts it: home on the 640 x 400 image, heading up,
\ pen down and shown, white pen on black, pen size 1.
pos .s clear
heading . pendown? . shown? . pensize . cr
pencolor .s clear
background .s clear
\ The colour names and the palette start alike.
#orange .s clear
14 palette .s clear
sigils cr
\ Moves keep full precision; the home is the image centre.
0.4 fd 0.4 fd 0.4 fd pos .s clear
10.5 20.25 setxy pos .s clear
home pos .s clear heading .
