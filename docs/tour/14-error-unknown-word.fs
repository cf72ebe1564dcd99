50 fd
100 forwrd
