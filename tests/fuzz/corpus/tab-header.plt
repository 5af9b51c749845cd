fit
e
x
4	1 3
