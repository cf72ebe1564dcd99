\ Decimal forms, signs and digit separators.
-5 . +5 . .5 . 5. . 1e3 . 1_000 . 1__0.2_5 . 1E-2 . 2.5e+1_0 . cr
\ Infinity and NaN in any case; NaN ignores its sign.
INF . -inf . +Inf . NaN . -nan . cr
\ Out of range: overflow gives infinity, underflow zero.
1e308 10 * . 1e999 . 1e1000 . -1e1000 . 1e-1000 . -1e-1000 . 0e5000 . 1e400 . 1e-400 . cr
\ The nearest double.
0.1 0.2 + .s clear 9007199254740993 .s clear 4.9e-324 .s clear
