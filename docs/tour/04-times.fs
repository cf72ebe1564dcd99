\ [ ... ] is a block: words kept for later. times runs the last
\ block as many times as the number before it says.
[ 50 fd 90 rt ] 4 times
\ A star: five lines, turning 144 degrees after each.
pu 90 lt 90 fd 90 rt 30 bk pd
[ 70 fd 144 rt ] 5 times
\ times counts its passes in the variable i; $i puts it on the stack.
[ $i . ] 5 times cr
