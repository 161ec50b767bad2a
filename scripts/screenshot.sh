#!/usr/bin/env bash
# Draws docs/hauptfenster.png, docs/kostenaufstellung.png and docs/grundriss.png, the README's
# pictures of the main window, the cost breakdown and the window "Grundriss" after a run of the
# sample house, on a virtual X display, so the
# pictures can be made again after every change.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
tarvek_install "${TARVEK_PACKAGES[@]}" xvfb xauth

build=build-screenshot
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEK_TESTS=OFF -DTARVEK_BENCH=ON
cmake --build "$build" --target tarvek-screenshot

mkdir -p docs
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
    "$build/bin/tarvek-screenshot" docs/hauptfenster.png examples/Haus.cfg \
    docs/kostenaufstellung.png docs/grundriss.png
echo "docs/hauptfenster.png docs/kostenaufstellung.png docs/grundriss.png"
