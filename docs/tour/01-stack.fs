\ A number goes on the stack. A word takes what it needs from the top
\ of the stack and puts its result back there.
3 4 + .
10 2 - 5 * .
cr
\ .s shows the whole stack without taking anything off it.
1 2 3 .s
+ + . cr
\ The turtle's words take their numbers from the stack too:
\ fd walks forward, rt turns right.
40 30 + fd
90 rt
20 3 * fd
