#!/usr/bin/env bash
# The Windows side: the whole program, windows and tests included, cross-built with MinGW-w64
# against Qt for Windows (made once from Debian's qtbase source by scripts/qt-windows.sh) into
# build-windows/, and tested under Wine:
#   - every test program through ctest, in a Wine prefix of the build folder's own; the window
#     tests on Qt's offscreen platform, so Wine draws no windows (its null graphics driver);
#   - tarvek-calc.exe against the Linux tarvek-calc;
#   - the delivered program: scripts/package-windows.sh makes the zip and the setup program from
#     this build, and tests/windows/installed-test.sh installs the setup into a fresh prefix and
#     uses the installed tarvek.exe on a real X display (Xvfb with Wine's X11 driver).
# build-windows/ is a Release build, so that the tested files are the delivered ones.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
tarvek_install "${TARVEK_WINDOWS_PACKAGES[@]}"

qt=$(scripts/qt-windows.sh | tail -n1)

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

# Qt's toolchain file finds Qt for Windows and hands the compiler over to ours.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
    -DCMAKE_TOOLCHAIN_FILE="$qt/lib/cmake/Qt6/qt.toolchain.cmake" \
    -DQT_CHAINLOAD_TOOLCHAIN_FILE="$PWD/cmake/mingw-w64-x86_64.cmake" \
    -DTARVEK_GUI=ON -DTARVEK_BENCH=OFF -DTARVEK_SANITIZE=OFF \
    -DTARVEK_LINUX_CALC="$PWD/$build/linux/bin/tarvek-calc"
cmake --build "$build" -j2
ctest --test-dir "$build" --output-on-failure -j2 -LE installed

# The delivered program, made from this build and tried as a Windows user would.
scripts/package-windows.sh
ctest --test-dir "$build" --output-on-failure -L installed
