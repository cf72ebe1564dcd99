\ . prints six significant digits and a space.
3 . 0.5 . 1 3 / . 100000 . 1000000 . 1234567 . 0.00001 . 0 negate . cr
1 0 / . -1 0 / . 0 0 / . 0 0 / negate . cr
\ .s prints sixteen digits and always shows that a value is a float.
3 .s clear
0.1 .s clear
1 3 / .s clear
1e20 .s clear
1000000 .s clear
-0 .s clear
0 0 / .s clear
1 0 / .s clear
-1 0 / .s clear
123456789012345678 .s clear
1e-5 .s clear
\ An empty stack prints an empty line.
.s
1 2 .s
