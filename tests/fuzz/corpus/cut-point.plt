fit
e
x
4 1 3
f
.5
2
0 1 .1
1 2
