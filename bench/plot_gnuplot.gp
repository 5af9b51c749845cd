# gnuplot's versions of the exported plots, in pngcairo.
# call: gnuplot -e "datafile='...'; outfile='...'; w=1024; h=768[; lw=1; curves='smooth']" plot_gnuplot.gp
#   curves 'noisy' (default): the first line plot, column 3 (model minus data) against column 1
#       in red, with a grid;
#   curves 'smooth': the curve versus data, column 2 (data) and the model (column 2 + column 3)
#       against column 1, two curves.
# lw is the line width (default 2).
if (!exists("lw")) lw = 2
if (!exists("curves")) curves = "noisy"
set terminal pngcairo size w,h
set output outfile
set grid
set xlabel "Time"
set ylabel "Amplitude"
unset key
if (curves eq "smooth") {
    set title "DATA vs. Model"
    plot datafile using 1:2 with lines lc rgb "blue" lw lw, \
         '' using 1:($2 + $3) with lines lc rgb "yellow" lw lw
} else {
    set title "Error Amplitude"
    plot datafile using 1:3 with lines lc rgb "red" lw lw
}
