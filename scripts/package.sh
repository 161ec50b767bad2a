#!/usr/bin/env bash
# Builds a Release tree in build-release and makes the Debian package of it:
#   scripts/package.sh          -> tarvek_<version>-1_amd64.deb in the project folder
# Install it with: sudo apt install ./tarvek_<version>-1_amd64.deb
# A second run rebuilds only what changed.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
tarvek_install "${TARVEK_PACKAGES[@]}" "${TARVEK_PACKAGE_PACKAGES[@]}"

build=${TARVEK_RELEASE_BUILD:-build-release}
launcher=()
if command -v ccache >/dev/null 2>&1; then
    launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DTARVEK_TESTS=OFF \
    -DTARVEK_BENCH=OFF "${launcher[@]}" >/dev/null
cmake --build "$build" -j2
(cd "$build" && cpack -G DEB >/dev/null)

deb=$(ls "$build"/package/tarvek_*.deb)
cp "$deb" .
echo "$(basename "$deb")"
