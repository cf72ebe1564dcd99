\ Blocks inside definitions, run again and again, against every rule
:star { 1 drop } 5 times ; star star buffer
:t [ $i . ] 3 times ; t t cr
:m [ 1 ] ; m /* x */ buffer m buffer 2 times .s clear
:x [ 1 2 ] ; x x ) .. cr
:y [ 1
2 ] ; y y buffer ?y
:n { [ $i . ] 2 times 10 . } 2 times ; n cr
'[ @open :a open 3 ] iftrue ; 1 a .s clear
:w [ 5 ] iftrue ; 1 w .s clear
:] 9 ; 1 w .s clear
'[ @] 1 w .s clear
:[ 4 ; 1 w .s clear buffer ?w
:q { 6 } ; q q 1 times .s clear buffer
:e [ 1 0 mod ] iftrue ; 1 e
