fit
e
x
1 0 3
