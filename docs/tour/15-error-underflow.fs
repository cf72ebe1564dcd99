:square [ fd 90 rt ] 4 times ;
60 square
