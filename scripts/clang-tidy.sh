#!/usr/bin/env bash
# Runs clang-tidy with the checks of .clang-tidy over the Linux sources of src/, two at a time, and
# fails on any finding. It reads the compile commands of a build folder (default build-test) and
# configures it with them when they are missing; no build is needed (the only generated header,
# base/Version.h, is written when the folder is configured).
#
#   scripts/clang-tidy.sh [BUILD [FILE...]]   FILE: only these sources
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build-test}
shift || true
if [ ! -f "$build/compile_commands.json" ]; then
    echo "$build/compile_commands.json fehlt: $build wird mit den Compile-Befehlen eingerichtet"
    cmake -S . -B "$build" -G Ninja -DCMAKE_EXPORT_COMPILE_COMMANDS=ON >/dev/null
fi

tidy=$(command -v clang-tidy-14 || command -v clang-tidy)
files=("$@")
if [ ${#files[@]} -eq 0 ]; then
    # The sources of src/ that this system compiles (the Windows-only ones are not in the build).
    mapfile -t files < <(python3 - "$build/compile_commands.json" <<'PY'
import json, os, sys
root = os.path.realpath("src") + os.sep
paths = {os.path.realpath(os.path.join(e["directory"], e["file"])) for e in json.load(open(sys.argv[1]))}
print("\n".join(sorted(p for p in paths if p.startswith(root))))
PY
    )
fi
echo "clang-tidy: ${#files[@]} Dateien"
# Each finding fails its file (WarningsAsErrors in .clang-tidy). The counts of what was left out
# in Qt's and the system's headers are not shown.
log=$(mktemp)
trap 'rm -f "$log"' EXIT
status=0
printf '%s\0' "${files[@]}" | xargs -0 -P2 -n1 "$tidy" -p "$build" --quiet >"$log" 2>&1 || status=$?
grep -v -e ' generated\.$' -e '^Suppressed [0-9]* warnings' -e '^Use -header-filter' "$log" || true
if [ "$status" -ne 0 ]; then
    echo "clang-tidy: Befunde siehe oben; beheben, oder Gewolltes mit NOLINT(Prüfung): Grund markieren" >&2
    exit 1
fi
echo "clang-tidy: keine Befunde"
