# gnuplot's version of the first line plot: column 3 against column 1 in red, with a grid.
# call: gnuplot -e "datafile='...'; outfile='...'; w=1024; h=768" plot_gnuplot.gp
set terminal pngcairo size w,h
set output outfile
set grid
set title "Error Amplitude"
set xlabel "Time"
set ylabel "Amplitude"
unset key
plot datafile using 1:3 with lines lc rgb "red" lw 2
