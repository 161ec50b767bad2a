#!/usr/bin/env bash
# Installs what is missing, builds with AddressSanitizer and UndefinedBehaviorSanitizer and runs
# every test. A second argument-free run reuses the build folder.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

# The house rules first, so that a fault shows in seconds and not after the build: the editor
# settings and the C++ format, and the layers of the source tree (includes run downwards only;
# the rules are in the script). Only clang-format is installed before them, when missing.
tarvek_install "${TARVEK_CHECK_PACKAGES[@]}"
scripts/check-format.sh
scripts/check-includes.sh

tarvek_install "${TARVEK_PACKAGES[@]}" "${TARVEK_TEST_PACKAGES[@]}" "${TARVEK_PACKAGE_PACKAGES[@]}"
# Fuzzing is optional: its runtime is installed when available, and skipped when not.
tarvek_install "${TARVEK_FUZZ_PACKAGES[@]}" || echo "Fuzzing runtime not installed; the short fuzz is skipped."

# Warnings are errors here: every build stays free of them.
build=build-test
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTARVEK_SANITIZE=ON -DTARVEK_BENCH=ON \
    -DTARVEK_WERROR=ON "${launcher[@]}"
cmake --build "$build"
ctest --test-dir "$build" --output-on-failure -j2

# The engine under ThreadSanitizer: the batch runs it on several threads at once. Only the engine
# and its tests, without Qt, so that it stays quick.
tsan=build-tsan
cmake -S . -B "$tsan" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARVEK_GUI=OFF -DTARVEK_BENCH=OFF \
    -DTARVEK_TSAN=ON -DTARVEK_WERROR=ON "${launcher[@]}"
cmake --build "$tsan" --target batch_tests calc_tests
TSAN_OPTIONS="halt_on_error=1 second_deadlock_stack=1" "$tsan/bin/batch_tests"
TSAN_OPTIONS="halt_on_error=1" "$tsan/bin/calc_tests"

# The Windows side: cross-built and tested under Wine.
scripts/windows.sh

if [ -x scripts/fuzz.sh ]; then
    scripts/fuzz.sh --short
fi
