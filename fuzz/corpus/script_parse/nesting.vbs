x = ((((((((1))))))))
If a Then b Else c
