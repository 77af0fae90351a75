#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the unit and end-to-end tests, the core
# tests again under AddressSanitizer and UndefinedBehaviorSanitizer, and a short fuzzing run.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/packages.sh

ovilan_need_packages cmake ninja-build g++ clang libclang-rt-14-dev \
  libboost-dev libeigen3-dev libgtest-dev libgmock-dev libbenchmark-dev libmuparser-dev libfparser-dev locales qt6-base-dev fonts-liberation2 \
  qt6-svg-dev zlib1g-dev poppler-utils librsvg2-bin gnuplot-nox \
  dpkg-dev desktop-file-utils libxml2-utils file shared-mime-info
ovilan_need_locale de_DE

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build
ctest --test-dir build --output-on-failure -j 2

echo "== install layout"
# Installs into a scratch root as a distribution would, then packages the same build as a .deb.
install_root=$(mktemp -d)
trap 'rm -rf "$install_root"' EXIT
DESTDIR="$install_root/root" cmake --install build --prefix /usr >/dev/null
(cd build && cpack -G DEB -B "$install_root/deb" >/dev/null)
scripts/check_install.sh "$install_root/root" "$install_root"/deb/ovilan_*.deb
rm -rf "$install_root"

echo "== core tests under AddressSanitizer and UndefinedBehaviorSanitizer"
CC=clang CXX=clang++ cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug \
  -DOVILAN_CORE_ONLY=ON -DOVILAN_FUZZ=ON >/dev/null
cmake --build build-sanitize
ctest --test-dir build-sanitize --output-on-failure -j 2

echo "== fuzzing"
fuzz_seconds=${OVILAN_FUZZ_SECONDS:-30}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Each target starts from its committed seeds in a scratch copy, so the tree stays unchanged.
fuzz() {
  local target=$1 seeds=$2
  shift 2
  mkdir -p "$work/$target"
  cp "fuzz/corpus/$seeds"/* "$work/$target"/
  echo "-- $target for ${fuzz_seconds} s"
  ./build-sanitize/fuzz/"$target" -max_total_time="$fuzz_seconds" -print_final_stats=1 "$@" \
    "$work/$target" >"$work/$target.log" 2>&1 || { tail -n 40 "$work/$target.log"; exit 1; }
  grep -E 'stat::number_of_executed_units|Done' "$work/$target.log" | tail -n 2
}
fuzz formula_fuzz formula -max_len=256 -dict=fuzz/formula.dict
fuzz document_fuzz document -max_len=4096
fuzz csv_fuzz csv -max_len=2048

echo "All tests passed."
