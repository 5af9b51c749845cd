# gnuplot's versions of the two plots `plots --export` draws for a fitting run, in one process:
# OUT-01.png the first line plot, column 3 (model minus data) against column 1 in red, with a
# grid; OUT-02.png the curve versus data, column 2 (data) and the model (column 2 + column 3)
# against column 1, two curves.
# call: gnuplot -e "datafile='...'; out='...'; w=1024; h=768; term='png'" plot_gnuplot.gp
#   term 'png' (default): aliased, as plots draws; 'pngcairo': anti-aliased.
#   lw: line width in pixels (default 2, the width plots draws its curves with at 1024 x 768).
if (!exists("lw")) lw = 2
if (!exists("term")) term = "png"
if (term eq "png") { set terminal png size w,h } else { set terminal pngcairo size w,h }
set grid
set xlabel "Time"
set ylabel "Amplitude"
unset key
set output out . "-01.png"
set title "Error Amplitude"
plot datafile using 1:3 with lines lc rgb "red" lw lw
set output out . "-02.png"
set title "DATA vs. Model"
plot datafile using 1:2 with lines lc rgb "blue" lw lw, \
     '' using 1:($2 + $3) with lines lc rgb "yellow" lw lw
