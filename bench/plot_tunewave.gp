# gnuplot's versions of the five pictures `plots --export` draws for the Tunewave sample, in one
# process: the poles and zeroes as points, the error curve, the curve versus data (two curves),
# and the first two curve blocks (side-lobe ripple, group-delay ripple). Tables from
# gen_tunewave.py.
# call: gnuplot -e "dir='...'; out='...'; w=1024; h=768; term='png'" plot_tunewave.gp
if (!exists("lw")) lw = 2
if (!exists("term")) term = "png"
if (term eq "png") { set terminal png size w,h } else { set terminal pngcairo size w,h }
set grid
set xlabel "Frequency"
set ylabel "Amplitude"
unset key
set output out . "-01.png"
set title "Poles (X), Zeroes (O) and Doublets (D)"
plot dir . "/tw-pz.txt" using 1:2 with points pt 2 lc rgb "dark-red"
set output out . "-02.png"
set title "Error Amplitude"
plot dir . "/tw-main.txt" using 1:3 with lines lc rgb "red" lw lw
set output out . "-03.png"
set title "DATA vs. Model"
plot dir . "/tw-main.txt" using 1:2 with lines lc rgb "blue" lw lw, \
     '' using 1:($2 + $3) with lines lc rgb "yellow" lw lw
set output out . "-04.png"
set title "Sidelobe: Equal Ripple?"
plot dir . "/tw-block1.txt" using 1:2 with lines lc rgb "yellow" lw lw
set output out . "-05.png"
set title "Group Delay Ripple"
plot dir . "/tw-block2.txt" using 1:2 with lines lc rgb "red" lw lw
