fit
e
x
0 2 2
ode ! remark
1 2
0 1 2
1 2 3
