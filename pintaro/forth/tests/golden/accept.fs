accept .. cr
accept number 2 * . cr
accept
