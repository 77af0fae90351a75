#!/usr/bin/env bash
# Installs what is missing, builds, and starts Ovilan. Until the desktop program exists, this is a
# short demonstration of the formula engine through ovilan-cli.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/packages.sh

ovilan_need_packages cmake ninja-build g++ libgtest-dev libbenchmark-dev qt6-base-dev \
  fonts-liberation2
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target ovilan-cli
cli=./build/cli/ovilan-cli

echo
echo "Formulas as typed, and their normal forms (code 0) or the first fault:"
for formula in "2x^2" "1/2x" "sin(x)cos(x)" "2pi" "x/(1-1)" "sin x" "0.00001x"; do
  printf '  %-16s -> ' "$formula"
  "$cli" formula --var x -- "$formula" || true
done

echo
echo "Evaluated by both evaluators (VAR, X, TEXT -> CODE, NORMAL, TEXT VALUE, EXPRESSION VALUE):"
printf 'x\t2\tsin(x)*exp(-x^2/10)+sqrt(abs(x))\nx\t0\t1/x\nt\t0.5\t3t^2-1\n \t0\tln(0)\n' |
  "$cli" formula --batch | sed 's/^/  /'

echo
echo "Numbers as formula text:"
printf '3.141592653589793\n12345678901\n0.00001\n-1.5e20\n' | "$cli" number --batch | sed 's/^/  /'

echo
echo "The example gallery, as ovilan-cli reads it:"
"$cli" info examples/gallery.ovd | sed 's/^/  /'

echo
echo "The gallery drawn as pictures:"
mkdir -p build/pictures
"$cli" convert examples/gallery.ovd build/pictures/gallery.png
"$cli" convert examples/gallery.ovd build/pictures/gallery.bmp --size 1024x768 --rle
echo "  build/pictures/gallery.png (800x600) and build/pictures/gallery.bmp (1024x768, RLE)"
