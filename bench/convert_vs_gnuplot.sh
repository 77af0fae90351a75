#!/usr/bin/env bash
# Whole-process time of `ovilan-cli convert` of the large plot (20 graphs x 20001 points) to a
# 1920x1080 16-colour PNG, beside gnuplot's pngcairo plotting the same 20 functions with 20001
# samples, grid, key and labels; then the SVG and PDF of that plot, their size and time. Each time
# is the best of several runs, since other work on the machine only ever adds to it. The last
# lines are the summary figures.
#   bench/convert_vs_gnuplot.sh BUILD_DIR    (a build with ovilan-cli and large_plot_document)
set -euo pipefail
build=${1:?usage: convert_vs_gnuplot.sh BUILD_DIR}
runs=${OVILAN_CONVERT_RUNS:-9}
cli="$build/cli/ovilan-cli"
if ! command -v gnuplot >/dev/null; then
  echo "convert_vs_gnuplot: gnuplot is missing (Debian: gnuplot-nox, which test.sh installs)" >&2
  exit 1
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

"$build/bench/large_plot_document" "$work/large.ovd"

# The same functions, widths, dashes, grid, key and labels as the large plot.
formulas=("sin(x)" "x**2/10-3" "sin(x)*exp(-x**2/10)+sqrt(abs(x))" "1/x" "tan(x)"
  "(x**3-2*x)/(x**2+1)*cos(3*x)" "5*cos(x/2)" "abs(x)-5")
{
  echo "set terminal pngcairo size 1920,1080"
  echo "set output '$work/gnuplot.png'"
  echo "set samples 20001"
  echo "set xrange [-10:10]"
  echo "set yrange [-10:10]"
  echo "set xtics 1"
  echo "set ytics 1"
  echo "set grid"
  for i in $(seq 0 9); do
    echo "set label 'label $i' at $((i * 2 - 9)),$((i % 5 * 2 - 4))"
  done
  plots=()
  for i in $(seq 0 19); do
    plots+=("${formulas[i % 8]} lw $((1 + i % 5)) dt $((1 + i % 4)) title 'graph $i'")
  done
  (IFS=,; echo "plot ${plots[*]}")
} >"$work/large.gp"

# The best wall-clock time of `runs` runs of a command, in milliseconds.
best_ms() {
  local best=""
  for _ in $(seq "$runs"); do
    local start end
    start=$(date +%s%N)
    "$@" >/dev/null
    end=$(date +%s%N)
    local ms=$(((end - start) / 1000))
    if [ -z "$best" ] || [ "$ms" -lt "$best" ]; then best=$ms; fi
  done
  awk -v us="$best" 'BEGIN { printf "%.1f", us / 1000 }'
}

size_kb() { awk -v bytes="$(stat -c %s "$1")" 'BEGIN { printf "%.0f", bytes / 1024 }'; }

png_ms=$(best_ms "$cli" convert "$work/large.ovd" "$work/ovilan.png" --size 1920x1080)
gnuplot_ms=$(best_ms gnuplot "$work/large.gp")
smooth_ms=$(best_ms "$cli" convert "$work/large.ovd" "$work/smooth.png" --size 1920x1080 --smooth)
svg_ms=$(best_ms "$cli" convert "$work/large.ovd" "$work/ovilan.svg" --size 1920x1080)
pdf_ms=$(best_ms "$cli" convert "$work/large.ovd" "$work/ovilan.pdf" --size 1920x1080)
# The process without its picture: start-up, reading and tracing the document.
trace_ms=$(best_ms "$cli" info "$work/large.ovd")
# A batch of five pays for start-up once.
mkdir "$work/batch"
for i in 1 2 3 4 5; do cp "$work/large.ovd" "$work/large$i.ovd"; done
batch_ms=$(best_ms "$cli" convert "$work"/large[1-5].ovd --to png --out-dir "$work/batch" \
  --size 1920x1080)

echo
echo "convert png16 1920x1080 graphs=20 points=20001 ms=$png_ms gnuplot_pngcairo_ms=$gnuplot_ms" \
  "ratio=$(awk -v a="$png_ms" -v b="$gnuplot_ms" 'BEGIN { printf "%.3f", a / b }')"
echo "convert batch of 5 png16 1920x1080 ms_per_picture=$(awk -v a="$batch_ms" \
  'BEGIN { printf "%.1f", a / 5 }')"
echo "info (read and trace, no picture) graphs=20 points=20001 ms=$trace_ms"
# The picture's own share: the whole process less reading and tracing the document.
picture_ms() { awk -v all="$1" -v trace="$trace_ms" 'BEGIN { printf "%.1f", all - trace }'; }
echo "convert smooth png 1920x1080 ms=$smooth_ms picture_ms=$(picture_ms "$smooth_ms")" \
  "kb=$(size_kb "$work/smooth.png")"
echo "convert svg 1920x1080 ms=$svg_ms picture_ms=$(picture_ms "$svg_ms")" \
  "kb=$(size_kb "$work/ovilan.svg")"
echo "convert pdf 1920x1080 ms=$pdf_ms picture_ms=$(picture_ms "$pdf_ms")" \
  "kb=$(size_kb "$work/ovilan.pdf")"
