[ $size fd 90 rt ] 4 times
