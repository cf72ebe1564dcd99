[ 3 * ] /triple
5 triple . cr
?triple
