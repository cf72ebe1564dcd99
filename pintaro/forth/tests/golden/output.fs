'hello .. space ( two   words ) .. cr
( ) .. cr
[ 1 2 + ] buffer
?dup
?times
words cr
aliases cr
'dup @twin
aliases cr
sigils cr
:sq dup * ;
?sq
\ The definition is a copy: later blocks do not change it.
[ 9 ] ?sq
\ A space after the colon defines the word with the empty name.
: sq2 dup * ;
?
