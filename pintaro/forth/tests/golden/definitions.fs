\ Late binding: callers see a redefinition from their next run on.
:greet 1 . ;
:twice greet greet ;
twice cr
:greet 2 . ;
twice cr
\ Core words can be replaced too.
:dup 99 ;
5 dup .s clear
\ A word that redefines itself finishes its old definition.
:self 10 . interpret 11 . ;
( :self 20 . ; ) self cr
self cr
\ Text strings inside a definition.
:hello ( Hello, world! ) .. ;
hello hello cr
\ A lone ; defines the word named by the text buffer from the compile buffer.
[ 6 7 ] 'pair ; pair .s clear
\ Blocks inside definitions are built afresh on every run.
:row { $i . } 3 times ;
row row cr
\ The stack and arithmetic words are late bound like any other, mid-run too.
:sum 1 2 + . ;
sum
:+ * ;
sum cr
:sub 7 3 - . interpret 7 3 - . ;
( :- 100 ; ) sub .s clear
'over @twin 1 2 twin .s clear
:over 42 ;
1 2 twin .s clear
