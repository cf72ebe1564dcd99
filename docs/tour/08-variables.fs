\ =name takes the top of the stack and keeps it under that name;
\ $name puts the value back on the stack, as often as you like.
5 =step
$step $step * .  cr
\ A spiral that grows by $step each side.
[ $step fd 90 rt $step 3 + =step ] 40 times
\ Every variable is one for the whole program: after the loop
\ step holds its last value, and i the number of the last pass.
$step .  $i .  cr
