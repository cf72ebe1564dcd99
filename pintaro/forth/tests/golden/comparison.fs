1 2 < . 2 1 < . nan 1 < . 1 1 <= . 1 nan <= . 2 1 > . 1 1 >= . nan nan >= . cr
0 -0 = . nan nan = . nan 0 <> . 1 1 <> . cr
\ and / or always take both values and give a clean flag.
0 5 and .s clear
5 0 and .s clear
0 0 or .s clear
2 3 and .s clear
nan 1 and . 0 nan or . -0 0 or . cr
nan not . 0 not . -0 not . 5 not . true . false . cr
