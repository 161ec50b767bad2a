#!/usr/bin/env bash
# Builds the widget gallery and writes a PNG picture of every display widget, as the main
# window and the download window configure them, into the folder given (by default
# build-gallery/widgets). Each picture comes at its real size and enlarged four times (-x4).
set -euo pipefail
out="$(realpath -m "${1:-$(dirname "$0")/../build-gallery/widgets}")"
cd "$(dirname "$0")/.."
source scripts/deps.sh
tarvek_install "${TARVEK_PACKAGES[@]}"

build=build-gallery
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEK_BENCH=OFF
cmake --build "$build" --target widget-gallery
QT_QPA_PLATFORM=offscreen "$build/bin/widget-gallery" "$out"
echo "Bilder in $out"
