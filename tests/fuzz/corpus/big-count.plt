fit
e
x
4 1 40000
