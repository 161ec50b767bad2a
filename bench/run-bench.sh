#!/usr/bin/env bash
# Measures `tarvek-calc --json` on synthetic inputs: 10,000 items (about 60,000 lines, 300
# graphics, 5 % nested positions, movable items and spawns) with a 20,000-line price list, and
# ten times that. Prints the median wall time of repeated runs (the whole process).
#   bench/run-bench.sh [RUNS]        (default 21 runs per input)
# Needs only bash 5 (EPOCHREALTIME); builds a Release tree in build-bench/ without the desktop
# program. Set TARVEK_BENCH_ENGINE=1 to also run the in-process Google Benchmark suite.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVEK_GUI=OFF -DTARVEK_TESTS=OFF \
    -DTARVEK_BENCH=ON >/dev/null
cmake --build "$build" --target tarvek-calc tarvek-bench-gen tarvek-engine-bench >/dev/null

data="$build/bench-data"
mkdir -p "$data/x1" "$data/x10"
"$build/bin/tarvek-bench-gen" "$data/x1"
"$build/bin/tarvek-bench-gen" --scale 10 "$data/x10"

# median_ms DIR: runs tarvek-calc on DIR's input $runs times (after one warm-up run) and prints
# the median wall time in milliseconds with three decimals.
median_ms() {
    local dir=$1 i start end status
    local -a times=()
    "$build/bin/tarvek-calc" --json --price-list "$dir/Preisliste.txt" "$dir/bench.cfg" \
        >"$dir/out.json" || { echo "tarvek-calc failed on $dir" >&2; return 1; }
    for ((i = 0; i < runs; i++)); do
        start=$EPOCHREALTIME
        "$build/bin/tarvek-calc" --json --price-list "$dir/Preisliste.txt" "$dir/bench.cfg" \
            >/dev/null
        end=$EPOCHREALTIME
        # microseconds, without floating point in bash
        times+=($(( (${end/./} - ${start/./}) )))
    done
    local sorted
    sorted=$(printf '%s\n' "${times[@]}" | sort -n)
    local mid=$(( runs / 2 ))
    local us
    us=$(printf '%s\n' "$sorted" | sed -n "$((mid + 1))p")
    printf '%d.%03d' $((us / 1000)) $((us % 1000))
}

echo "tarvek-calc --json, median of $runs runs (wall time of the whole process):"
m1=$(median_ms "$data/x1")
echo "  10,000 items / 20,000 price lines:   $m1 ms  ($(wc -l <"$data/x1/bench.cfg") import lines)"
m10=$(median_ms "$data/x10")
echo "  100,000 items / 200,000 price lines: $m10 ms  ($(wc -l <"$data/x10/bench.cfg") import lines)"
awk -v a="$m1" -v b="$m10" 'BEGIN { printf "  ratio x10 / x1: %.1f\n", b / a }'
grep -o '"outcome": "[a-z]*"' "$data/x1/out.json" | sed 's/^/  x1 /'

if [ "${TARVEK_BENCH_ENGINE:-0}" = 1 ]; then
    "$build/bin/tarvek-engine-bench"
fi
