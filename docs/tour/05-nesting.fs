\ { ... } is a block too. A { } block can hold a [ ] block:
\ twelve squares, turning 30 degrees after each square.
{ [ 40 fd 90 rt ] 4 times 30 rt } 12 times
\ For a third level, give the inner part a name.
:square [ 15 fd 90 rt ] 4 times ;
pu 120 rt 90 fd pd
{ square 60 rt } 6 times
