#!/usr/bin/env bash
# Walks the main window for long, then builds in Release and runs the benchmarks; the last lines
# are the summary figures.
set -euo pipefail
cd "$(dirname "$0")"
# A long walk of random user actions through the main window, beyond the short one of ctest;
# it stops at the first step whose window, history or file differs and prints how to repeat it.
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target window_model_test
OVILAN_MODEL_SEED=1 OVILAN_MODEL_RUNS=10 OVILAN_MODEL_STEPS=2000 ./build/shell/window_model_test
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DOVILAN_TESTS=OFF >/dev/null
cmake --build build-release --target expr_bench document_bench csv_bench draw_bench window_bench \
  pow_window_bench bounds_bench analysis_bench ovilan-cli large_plot_document
./build-release/bench/expr_bench "$@"
# The evaluator beside muparser, fparser and hand-written loops, when those two are installed.
if [ -x build-release/bench/evaluator_compare ]; then
  ./build-release/bench/evaluator_compare "$@"
fi
./build-release/bench/document_bench "$@"
# A 2000-row CSV file read into a table graph.
./build-release/bench/csv_bench "$@"
./build-release/bench/draw_bench "$@"
# Roots, extrema, crossings, intersections and an integral of graphs of 20000 steps.
./build-release/bench/analysis_bench "$@"
# Loads of the largest documents allowed and of hostile ones that must be refused quickly.
./build-release/bench/bounds_bench "$@"
./build-release/bench/window_bench
# Fails when pow inside the window is more than 1.2 times slower than in a plain process.
./build-release/bench/pow_window_bench
# The command-line tool's whole process on the large plot, beside gnuplot on the same work.
bench/convert_vs_gnuplot.sh build-release
