#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each one over its seeds and the
# corpus it has grown so far, then prints the executions per target.
#   scripts/fuzz.sh [SECONDS]   each target for SECONDS (default 60)
#   scripts/fuzz.sh --short     about 20 seconds in all (what scripts/test.sh runs)
# Without clang's fuzzer runtime the fuzzing is skipped and the script succeeds. A crash, a leak,
# a sanitizer report or a broken rule ends it with a failure and names the saved input.
set -euo pipefail
cd "$(dirname "$0")/.."

short=0
seconds=60
case "${1:-}" in
"") ;;
--short) short=1 ;;
*[!0-9]* | 0)
    echo "Aufruf: scripts/fuzz.sh [SEKUNDEN | --short]" >&2
    exit 2
    ;;
*) seconds=$1 ;;
esac

build=${TARVEK_FUZZ_BUILD:-build-fuzz}

# Is clang's fuzzer runtime there? Link a minimal target to find out.
probe=$(mktemp -d)
trap 'rm -rf "$probe"' EXIT
printf 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }\n' \
    >"$probe/probe.cpp"
if ! command -v clang++ >/dev/null 2>&1 ||
    ! clang++ -fsanitize=fuzzer "$probe/probe.cpp" -o "$probe/probe" >/dev/null 2>&1; then
    echo "clang with its fuzzer runtime (clang, libclang-rt-14-dev) is missing: fuzzing skipped."
    exit 0
fi

# The benchmarks' input generator gives further seeds; without Google Benchmark the build goes
# on without it.
configure() {
    cmake -S . -B "$build" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEK_GUI=OFF -DTARVEK_FUZZ=ON -DTARVEK_TESTS=ON \
        -DTARVEK_BENCH="$1" >/dev/null
}
bench=ON
configure ON 2>/dev/null || { bench=OFF; configure OFF; }
cmake --build "$build" --target fuzz_all -j2

# Seeds: the examples, made-up inputs and small generated houses, written afresh on every run.
seeds="$build/fuzz-seeds"
rm -rf "$seeds"
"$build/bin/fuzz_seeds" . "$seeds"
if [ "$bench" = ON ] && cmake --build "$build" --target tarvek-bench-gen >/dev/null; then
    for seed in 1 2 3; do
        out="$build/fuzz-bench-input/$seed"
        mkdir -p "$out"
        "$build/bin/tarvek-bench-gen" --items $((10 * seed)) --graphics $((3 * seed)) \
            --price-lines $((12 * seed)) --nested 0.3 --seed "$seed" "$out" >/dev/null
        cp "$out/bench.cfg" "$seeds/fuzz_import/bench-$seed"
        cp "$out/Preisliste.txt" "$seeds/fuzz_prices/bench-$seed"
    done
fi

mapfile -t targets <"$build/fuzz-targets.txt"
if [ "$short" -eq 1 ]; then
    seconds=$((20 / ${#targets[@]}))
    [ "$seconds" -ge 1 ] || seconds=1
fi

export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

failed=0
summary=()
for line in "${targets[@]}"; do
    read -r name seedDir dict <<<"$line"
    corpus="$build/fuzz-corpus/$name"
    artifacts="$build/fuzz-artifacts/$name"
    log="$build/fuzz-logs/$name.log"
    mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
    args=(-max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1
        -artifact_prefix="$artifacts/")
    [ "$dict" != "-" ] && args+=(-dict="$dict")
    echo "== $name: $seconds s"
    status=0
    nice -n 10 "$build/bin/$name" "${args[@]}" "$corpus" "$seedDir" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    summary+=("$(printf '%-12s %12s executions' "$name" "${runs:-?}")")
    if [ "$status" -ne 0 ]; then
        failed=1
        echo "$name FAILED (exit $status); log: $log" >&2
        grep -E 'ERROR|SUMMARY|broken rules|Test unit written' "$log" | head -n 20 >&2 || true
    fi
done

echo "== Executions per target"
printf '%s\n' "${summary[@]}"
exit "$failed"
