\ There is one text at a time, the text buffer. 'word sets it to one
\ word; ( ... ) sets it to everything up to the ), spaces made single.
\ .. prints it, and label writes it on the picture.
'Hello .. cr
( Hello,   turtle world! ) .. cr
\ . prints a number and a space; cr ends the line.
'Sum: .. 1 2 + . cr
10 3 / . cr
\ Words can print text too.
:greet ( Good morning! ) .. cr ;
greet
label
