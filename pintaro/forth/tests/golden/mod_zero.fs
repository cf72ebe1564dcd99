1 2 .s
5 0 mod
