#!/usr/bin/env bash
# Measures `tarvek-calc --json` on synthetic inputs: 10,000 items (about 60,000 lines, 300
# graphics, 5 % nested positions, movable items and spawns) with a 20,000-line price list, and
# ten times that. Prints the median wall time and the median CPU time (user + system) of
# repeated runs of the whole process, after one warm-up run each.
#   bench/run-bench.sh [RUNS]        (default 21 runs per input)
# Needs bash and CMake/Ninja only; builds a Release tree in build-bench/ without the desktop
# program. TARVEK_BENCH_ENGINE=1 also runs the in-process Google Benchmark suite,
# TARVEK_BENCH_BATCH=1 the batch (1,000 files of 1,000 items: one worker, two, and the single runs).
# Wall time counts waiting for a core: on a busy machine compare the CPU column.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-21}

build=build-bench
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVEK_GUI=OFF -DTARVEK_TESTS=OFF \
    -DTARVEK_BENCH=ON >/dev/null
cmake --build "$build" --target tarvek-calc tarvek-bench-gen tarvek-engine-bench tarvek-batch-bench \
    >/dev/null

data="$build/bench-data"
mkdir -p "$data/x1" "$data/x10"
"$build/bin/tarvek-bench-gen" "$data/x1"
"$build/bin/tarvek-bench-gen" --scale 10 "$data/x10"

calc=("$build/bin/tarvek-calc" --json --price-list)

# median FILE COLUMN: the median of one column of the timing file.
median() {
    sort -n -k"$2,$2" "$1" | awk -v c="$2" '{ v[NR] = $c } END { print v[int((NR + 1) / 2)] }'
}

# measure DIR: prints "wall-ms cpu-ms" medians for DIR's input.
measure() {
    local dir=$1 i times="$1/times.txt"
    "${calc[@]}" "$dir/Preisliste.txt" "$dir/bench.cfg" >"$dir/out.json" ||
        { echo "tarvek-calc failed on $dir" >&2; return 1; }
    : >"$times"
    local TIMEFORMAT='%3R %3U %3S'
    for ((i = 0; i < runs; i++)); do
        { time "${calc[@]}" "$dir/Preisliste.txt" "$dir/bench.cfg" >/dev/null; } 2>>"$times"
    done
    awk '{ printf "%.0f %.0f\n", $1 * 1000, ($2 + $3) * 1000 }' "$times" >"$times.ms"
    echo "$(median "$times.ms" 1) $(median "$times.ms" 2)"
}

echo "tarvek-calc --json, medians of $runs runs of the whole process:"
read -r w1 c1 < <(measure "$data/x1")
printf '  %-38s wall %5d ms   cpu %5d ms   (%s import lines)\n' \
    "10,000 items / 20,000 price lines:" "$w1" "$c1" "$(wc -l <"$data/x1/bench.cfg")"
read -r w10 c10 < <(measure "$data/x10")
printf '  %-38s wall %5d ms   cpu %5d ms   (%s import lines)\n' \
    "100,000 items / 200,000 price lines:" "$w10" "$c10" "$(wc -l <"$data/x10/bench.cfg")"
awk -v a="$w1" -v b="$w10" -v c="$c1" -v d="$c10" \
    'BEGIN { printf "  ratio x10 / x1: wall %.1f, cpu %.1f\n", b / (a ? a : 1), d / (c ? c : 1) }'
printf '  x1 %s\n' "$(grep -o '"outcome": "[a-z]*"' "$data/x1/out.json")"

if [ "${TARVEK_BENCH_ENGINE:-0}" = 1 ]; then
    "$build/bin/tarvek-engine-bench"
fi

if [ "${TARVEK_BENCH_BATCH:-0}" = 1 ]; then
    "$build/bin/tarvek-batch-bench"
fi
