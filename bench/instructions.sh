#!/usr/bin/env bash
# Counts the instructions of one whole `tarvek-calc --json` process on the benchmark's input of
# 10,000 items with a 20,000-line price list (callgrind), and compares the count with the bound
# in bench/instructions.txt. Unlike times, the count hardly depends on how busy the machine is,
# so the figure can be checked on any machine (with the same compiler and libraries).
#   bench/instructions.sh            prints the count; exit status 1 above the bound
# Needs valgrind, bash and CMake/Ninja; builds the same Release tree as run-bench.sh (build-bench/).
set -euo pipefail
cd "$(dirname "$0")/.."

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVEK_GUI=OFF -DTARVEK_TESTS=OFF \
    -DTARVEK_BENCH=ON >/dev/null
cmake --build "$build" --target tarvek-calc tarvek-bench-gen >/dev/null

data="$build/bench-data/x1"
mkdir -p "$data"
"$build/bin/tarvek-bench-gen" "$data" >/dev/null

log="$data/callgrind.log"
valgrind --tool=callgrind --callgrind-out-file=/dev/null --log-file="$log" \
    "$build/bin/tarvek-calc" --json --price-list "$data/Preisliste.txt" "$data/bench.cfg" \
    >/dev/null
count=$(sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$log")
bound=$(sed -n 's/^bound: \([0-9]*\).*/\1/p' bench/instructions.txt)
printf 'tarvek-calc --json, 10,000 items / 20,000 price lines: %s instructions (bound %s)\n' \
    "$count" "$bound"
[ "$count" -le "$bound" ]
