1 2 + .

drop
