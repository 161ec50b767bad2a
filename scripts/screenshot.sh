#!/usr/bin/env bash
# Draws docs/hauptfenster.png, docs/kostenaufstellung.png, docs/grundriss.png and
# docs/vergleich.png, the README's pictures of the main window, the cost breakdown and the window
# "Grundriss" after a run of the sample house, and of the window "Vergleich" of the sample with
# its cleaned copy, on a virtual X display, and docs/ansicht.png, the sample house as "Ansicht wie
# im Spiel" draws it from the sample's made-up client folder, so the pictures can be made again
# after every change.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
tarvek_install "${TARVEK_PACKAGES[@]}" xvfb xauth

build=build-screenshot
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEK_TESTS=OFF -DTARVEK_BENCH=ON
cmake --build "$build" --target tarvek-screenshot tarvek-calc tarvek

# The sample's cleaned copy, in the build folder, named relatively so that no folder of this
# machine shows in the pictures.
copy=$build/Haus-bereinigt.cfg
"$build/bin/tarvek-calc" --clean "$copy" --price-list examples/Preisliste.txt examples/Haus.cfg \
    >/dev/null

mkdir -p docs
QT_QPA_PLATFORM=xcb xvfb-run -a -s "-screen 0 1024x768x24" \
    "$build/bin/tarvek-screenshot" docs/hauptfenster.png examples/Haus.cfg \
    docs/kostenaufstellung.png docs/grundriss.png docs/vergleich.png "$copy"
"$build/bin/tarvek" --view-png docs/ansicht.png --client examples/client \
    --price-list examples/Preisliste.txt examples/Haus.cfg
echo "docs/hauptfenster.png docs/kostenaufstellung.png docs/grundriss.png docs/vergleich.png" \
    "docs/ansicht.png"
