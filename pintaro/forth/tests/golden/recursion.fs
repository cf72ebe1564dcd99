:f f ;
f
