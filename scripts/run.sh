#!/usr/bin/env bash
# Installs what is missing, builds Tarvek and starts it with the sample data.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
tarvek_install "${TARVEK_PACKAGES[@]}"

build=build
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEK_TESTS=OFF -DTARVEK_BENCH=OFF
cmake --build "$build"

bin="$build/bin"
# The sample price list lives beside the program, as the real one does.
if ! ls "$bin" | grep -qix 'preisliste.txt'; then
    cp examples/Preisliste.txt "$bin/Preisliste.txt"
fi
if [ -x "$bin/tarvek" ]; then
    # The import folder of the file-open dialog starts at the samples.
    if [ ! -f "$bin/Optionen.txt" ]; then
        printf 'Importpfad|%s/\r\nDownload|false\r\n' "$(pwd)/examples" > "$bin/Optionen.txt"
    fi
    # The item graphics come from the sample's made-up client folder (scripts/sample-client.py),
    # unless a client folder has been chosen.
    if ! grep -q '^Clientpfad|' "$bin/Optionen.txt"; then
        printf 'Clientpfad|%s\r\n' "$(pwd)/examples/client" >> "$bin/Optionen.txt"
    fi
    # Without a file named, the sample house is loaded.
    if [ $# -eq 0 ]; then
        set -- examples/Haus.cfg
    fi
    exec "$bin/tarvek" "$@"
fi
exec "$bin/tarvek-calc" examples/Haus.cfg
