:spiral [ dup fd 89 rt 1+ ] 300 times ;
1 spiral
