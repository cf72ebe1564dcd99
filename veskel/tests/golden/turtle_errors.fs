\ A turtle word's failure stops the run at its line, as any word's does.
1 2 3 0 setpalette
0 palette .s clear
100 fd
16 palette
'not reached ..
