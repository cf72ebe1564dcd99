\ :name starts a definition and ; ends it. No space after the colon!
:side 60 fd 90 rt ;
:square side side side side ;
square
\ A new word is used like any other.
45 rt square
\ A word can take numbers from the stack: this one takes a length.
:box dup fd 90 rt dup fd 90 rt dup fd 90 rt fd 90 rt ;
90 rt 30 box 15 box
\ ?name shows what a word is made of.
?square
?box
