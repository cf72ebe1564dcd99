1 2 3 rot .s clear
1 2 3 -rot .s clear
1 2 over .s clear
1 2 2dup .s clear
1 2 swap .s clear
4 dup .s clear
4 drop .s clear
1 2 3 depth .s clear
depth .s clear
1 2 3 clear depth .s clear
