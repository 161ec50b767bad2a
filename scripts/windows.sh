#!/usr/bin/env bash
# The Windows side without Qt: cross-builds the engine, tarvek-calc.exe, the item-art reader and
# the go-to command with MinGW-w64 into build-windows/ and runs their tests under Wine. The Wine
# prefix is made once inside the build folder; Wine draws no windows (its null graphics driver),
# so no display is needed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
tarvek_install "${TARVEK_WINDOWS_PACKAGES[@]}"

build=build-windows
export WINEPREFIX="$PWD/$build/wine"
export WINEDEBUG=-all
# No questions about installing Mono or Gecko.
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

if [ ! -f "$WINEPREFIX/.tarvek-ready" ]; then
    echo "Wine-Präfix wird angelegt: $WINEPREFIX"
    mkdir -p "$WINEPREFIX"
    wineboot --init >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    wineserver --wait
    touch "$WINEPREFIX/.tarvek-ready"
fi

launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi

# The Linux tarvek-calc that the Windows one is compared with.
cmake -S . -B "$build/linux" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
    -DTARVEK_GUI=OFF -DTARVEK_TESTS=OFF -DTARVEK_BENCH=OFF -DTARVEK_SANITIZE=OFF
cmake --build "$build/linux" -j2 --target tarvek-calc

cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DTARVEK_GUI=OFF -DTARVEK_BENCH=OFF -DTARVEK_SANITIZE=OFF \
    -DTARVEK_LINUX_CALC="$PWD/$build/linux/bin/tarvek-calc"
cmake --build "$build" -j2
ctest --test-dir "$build" --output-on-failure -j2
