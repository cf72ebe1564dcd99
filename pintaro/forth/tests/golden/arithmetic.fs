7 2 - . 3 4 * . 7 2 / . 2 3 + . cr
\ mod and /mod truncate both operands; the remainder has the sign of a.
7 -2 mod . -7 2 mod . 7.9 2.5 mod . -7 2 /mod .s clear
7 2 /mod .s clear
\ The smallest integer by -1 has remainder 0 (NaN truncates to it).
-9223372036854775808 -1 mod . nan -1 mod . cr
0 negate .s clear
-0 abs .s clear
-3 abs . nan abs . cr
3 nan min . nan 3 min . 3 5 min . 3 5 max . nan 3 max . 3 nan max . cr
1 1+ . 1 1- . 1 0 / . 0 0 / 0 0 / = . cr
