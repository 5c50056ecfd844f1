# Plots each recording's samples against elapsed time, one panel per
# recording. Input: `data`, the example's logger.csv regrouped by
# docs/make-example-plot into blocks (one per recording, two blank lines
# apart), each headed by the recording's name and start. Output: `output`.
if (!exists("data")) data = "build/example/recordings.dat"
if (!exists("output")) output = "docs/example-plot.png"

stats data using 1 nooutput
recordings = STATS_blocks

set terminal pngcairo size 1000,700 font "sans,10"
set output output
set multiplot layout 2,2 title "examples/logger.bin: samples against elapsed time"
set xlabel "elapsed seconds"
set ylabel "sample"
set yrange [-135:135]
set ytics 64
set grid
set key top left box opaque
do for [i = 0:recordings - 1] {
  plot data index i using 1:2 with linespoints pointtype 7 pointsize 0.5 title columnheader(1)
}
unset multiplot
