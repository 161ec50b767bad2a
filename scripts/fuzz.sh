#!/usr/bin/env bash
# Builds the libFuzzer targets with clang in build-fuzz and runs each one over its stored corpus
# (tests/fuzz/corpus/<target>), its generated seeds and what earlier runs found, then prints the
# executions per target.
#   scripts/fuzz.sh [SECONDS] [TARGET...]  each target (default: all) for SECONDS (default 60);
#                                          scripts/fuzz.sh 900 fuzz_import is a long run; with
#                                          TARVEK_FUZZ_RUNS=N a target also ends after N executions
#   scripts/fuzz.sh --short                about 20 seconds in all (what scripts/test.sh runs)
#   scripts/fuzz.sh --merge [TARGET...]    minimises the stored corpus with what the runs found
#   scripts/fuzz.sh --coverage             replays the stored corpus and the seeds in a build with
#                                          clang's source-based coverage (build-fuzz-cov) and
#                                          prints the line coverage of the engine's folders
#                                          (and of src/app, of which fuzz_handover reaches the
#                                          hand-over request reader)
# Without clang's fuzzer runtime the fuzzing is skipped and the script succeeds. A crash, a leak,
# a sanitizer report or a broken rule ends it with a failure and names the saved input.
set -euo pipefail
cd "$(dirname "$0")/.."

usage() {
    echo "Aufruf: scripts/fuzz.sh [SEKUNDEN [ZIEL...] | --short | --merge [ZIEL...] | --coverage]" >&2
    exit 2
}

mode=run
seconds=60
case "${1:-}" in
"") ;;
--short) mode=short ;;
--merge) mode=merge ;;
--coverage) mode=coverage ;;
*[!0-9]* | 0) usage ;;
*) seconds=$1 ;;
esac
[ $# -gt 0 ] && shift
wanted=("$@")
[ "$mode" = coverage ] || [ "$mode" = short ] && [ ${#wanted[@]} -gt 0 ] && usage

build=${TARVEK_FUZZ_BUILD:-build-fuzz}
stored=tests/fuzz/corpus

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

# configure FOLDER [CMAKE OPTION...]: the fuzz targets in FOLDER, through ccache when there.
configure() {
    local folder=$1
    shift
    local launcher=()
    command -v ccache >/dev/null 2>&1 && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    cmake -S . -B "$folder" -G Ninja -DCMAKE_CXX_COMPILER=clang++ \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEK_GUI=OFF -DTARVEK_FUZZ=ON -DTARVEK_TESTS=ON \
        -DTARVEK_BENCH=OFF "${launcher[@]}" "$@" >/dev/null
    cmake --build "$folder" --target fuzz_all -j2
    # Seeds: the examples and made-up inputs, written afresh on every run.
    rm -rf "$folder/fuzz-seeds"
    "$folder/bin/fuzz_seeds" . "$folder/fuzz-seeds"
}

# The targets of FOLDER as lines "name max_len dictionaries", those named on the command line
# only; the dictionaries are separated by "," ("-": none).
targets() {
    local line name
    while read -r line; do
        name=${line%% *}
        if [ ${#wanted[@]} -eq 0 ] || [[ " ${wanted[*]} " == *" $name "* ]]; then
            echo "$line"
        fi
    done <"$1/fuzz-targets.txt"
}

# dictionary FOLDER NAME DICTIONARIES: the one file for -dict that holds a target's dictionaries
# (libFuzzer reads only one), written afresh into FOLDER/fuzz-dicts.
dictionary() {
    local folder=$1 name=$2 part joined parts
    joined="$folder/fuzz-dicts/$name.dict"
    mkdir -p "$folder/fuzz-dicts"
    : >"$joined"
    IFS=, read -r -a parts <<<"$3"
    for part in "${parts[@]}"; do
        cat "$part" >>"$joined"
        echo >>"$joined"
    done
    echo "$joined"
}

# The input folders of a target that exist: stored corpus and seeds.
inputs() {
    local folder=$1 name=$2 dir
    for dir in "$stored/$name" "$folder/fuzz-seeds/$name"; do
        [ -d "$dir" ] && echo "$dir"
    done
}

if [ "$mode" = coverage ]; then
    cov=${TARVEK_FUZZ_COVERAGE_BUILD:-build-fuzz-cov}
    version=$(clang++ -dumpversion | cut -d. -f1)
    tool() {
        command -v "$1-$version" || command -v "$1" || {
            echo "$1 is missing (llvm-$version)" >&2
            exit 1
        }
    }
    profdata=$(tool llvm-profdata)
    llvmcov=$(tool llvm-cov)
    configure "$cov" -DTARVEK_FUZZ_COVERAGE=ON
    rm -rf "$cov/profiles"
    mkdir -p "$cov/profiles"
    objects=()
    while read -r name _; do
        mapfile -t dirs < <(inputs "$cov" "$name")
        LLVM_PROFILE_FILE="$cov/profiles/$name.profraw" "$cov/bin/$name" -runs=0 "${dirs[@]}" \
            >"$cov/profiles/$name.log" 2>&1
        objects+=(-object "$cov/bin/$name")
    done < <(targets "$cov")
    "$profdata" merge -sparse "$cov"/profiles/*.profraw -o "$cov/profiles/all.profdata"
    "$llvmcov" report "${objects[@]:1}" -instr-profile="$cov/profiles/all.profdata" \
        >"$cov/coverage-all.txt"
    # The rows of the engine's files (named from the source folder on), and a total per folder.
    # Columns of a row: name, regions (3), functions (3), lines, missed lines, cover, branches.
    awk -v folders="src/base src/importfile src/pricing src/calc src/views/art src/app" '
        BEGIN { n = split(folders, folder, " ") }
        NR <= 2 { print; next }
        {
            for (i = 1; i <= n; ++i) {
                if (index($1, folder[i] "/") == 1) {
                    print
                    lines[i] += $8
                    missed[i] += $9
                }
            }
        }
        END {
            print "== Line coverage per folder"
            for (i = 1; i <= n; ++i) {
                printf "%-16s %5d lines %5d missed %7.2f %%\n", folder[i], lines[i], missed[i],
                    lines[i] ? 100 * (lines[i] - missed[i]) / lines[i] : 0
                all += lines[i]
                allMissed += missed[i]
            }
            printf "%-16s %5d lines %5d missed %7.2f %%\n", "together", all, allMissed,
                all ? 100 * (all - allMissed) / all : 0
        }' "$cov/coverage-all.txt" | tee "$cov/coverage.txt"
    echo "Uncovered lines of a file: $llvmcov show ${objects[*]:1}" \
        "-instr-profile=$cov/profiles/all.profdata FILE"
    exit 0
fi

configure "$build"
if [ "$mode" = short ]; then
    count=$(wc -l <"$build/fuzz-targets.txt")
    seconds=$((20 / count))
    [ "$seconds" -ge 1 ] || seconds=1
fi

# Allocation stacks of five frames say where a faulty block came from and save a few per cent of
# the time against the thirty by default; replaying a saved input shows the full stacks.
export ASAN_OPTIONS=${ASAN_OPTIONS:-abort_on_error=1:detect_leaks=1:malloc_context_size=5}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}

if [ "$mode" = merge ]; then
    while read -r name _; do
        mapfile -t dirs < <(inputs "$build" "$name")
        merged=$(mktemp -d)
        # The stored corpus first: what it holds already stays unless a smaller input covers it.
        "$build/bin/$name" -merge=1 "$merged" "${dirs[@]}" "$build/fuzz-corpus/$name" \
            >"$build/fuzz-logs/$name.merge.log" 2>&1
        rm -rf "${stored:?}/$name"
        mkdir -p "$stored/$name"
        cp "$merged"/* "$stored/$name/"
        rm -rf "$merged"
        echo "$name: $(find "$stored/$name" -type f | wc -l) inputs, $(cat "$stored/$name"/* | wc -c) bytes"
    done < <(mkdir -p "$build/fuzz-logs" && targets "$build")
    echo "All stored: $(cat "$stored"/*/* | wc -c) bytes (at most 1048576)"
    exit 0
fi

failed=0
summary=()
while read -r name maxLen dict; do
    corpus="$build/fuzz-corpus/$name"
    artifacts="$build/fuzz-artifacts/$name"
    log="$build/fuzz-logs/$name.log"
    mkdir -p "$corpus" "$artifacts" "$(dirname "$log")"
    mapfile -t dirs < <(inputs "$build" "$name")
    args=(-max_total_time="$seconds" -max_len="$maxLen" -timeout=20 -rss_limit_mb=2048
        -print_final_stats=1 -artifact_prefix="$artifacts/")
    [ "$dict" != "-" ] && args+=(-dict="$(dictionary "$build" "$name" "$dict")")
    [ -n "${TARVEK_FUZZ_RUNS:-}" ] && args+=(-runs="$TARVEK_FUZZ_RUNS")
    echo "== $name: $seconds s${TARVEK_FUZZ_RUNS:+, at most $TARVEK_FUZZ_RUNS executions}"
    status=0
    # New inputs go to the first folder only: the stored corpus and the seeds stay as they are.
    nice -n 10 "$build/bin/$name" "${args[@]}" "$corpus" "${dirs[@]}" >"$log" 2>&1 || status=$?
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
    rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log" | tail -n 1)
    summary+=("$(printf '%-12s %12s executions %8s a second' "$name" "${runs:-?}" "${rate:-?}")")
    if [ "$status" -ne 0 ]; then
        failed=1
        echo "$name FAILED (exit $status); log: $log" >&2
        grep -E 'ERROR|SUMMARY|broken rules|Test unit written' "$log" | head -n 20 >&2 || true
    fi
done < <(targets "$build")

echo "== Executions per target"
printf '%s\n' "${summary[@]}"
exit "$failed"
