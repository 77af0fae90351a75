#!/usr/bin/env bash
# Installs what is missing, builds, and starts Ovilan on the example gallery. Without a display
# it says so and draws the gallery as a picture with ovilan-cli instead.
set -euo pipefail
cd "$(dirname "$0")"
. scripts/packages.sh

ovilan_need_packages cmake ninja-build g++ libboost-dev libeigen3-dev libgtest-dev libbenchmark-dev qt6-base-dev qt6-svg-dev \
  zlib1g-dev fonts-liberation2
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build --target ovilan ovilan-cli

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec ./build/shell/ovilan examples/gallery.ovd "$@"
fi

echo "No display is available, so Ovilan cannot open its window here."
echo "The example gallery drawn by ovilan-cli instead:"
mkdir -p build/pictures
./build/cli/ovilan-cli convert examples/gallery.ovd build/pictures/gallery.png --size 1024x768
echo "  build/pictures/gallery.png"
