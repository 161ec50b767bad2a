#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test Tarvek.
# Sourced by run.sh and test.sh; add packages to the lists below.
set -euo pipefail

# The checks that test.sh runs before everything else (scripts/check-format.sh; git lists the
# files to check).
TARVEK_CHECK_PACKAGES=(clang-format git)
# Build tools and libraries.
TARVEK_PACKAGES=(
    g++ cmake ninja-build pkg-config
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    zlib1g-dev
    qt6-base-dev qt6-svg-dev libgl-dev
    qt6-translations-l10n
    fonts-liberation2
    libxdo-dev
    libssl3 ca-certificates
)
# Only the tests need these: an X server and a terminal for the go-to test, a web server for the
# download test, openssl for the certificates of its HTTPS server, pdftotext for the test of the
# bill document.
TARVEK_TEST_PACKAGES=(xvfb xauth xterm nginx-light openssl poppler-utils)
# The Debian package (scripts/package.sh) and its test: dependencies from dpkg-shlibdeps, the
# desktop entry and the AppStream metadata checked.
TARVEK_PACKAGE_PACKAGES=(dpkg-dev file desktop-file-utils appstream)
# The Windows cross-build and its tests under Wine (scripts/windows.sh); locales generates the
# German and English regional settings that tarvek-calc is compared under. Without Qt SVG for
# Windows the pictures are drawn with rsvg-convert and the icon file made with icotool; the fonts
# and Qt's German texts are shipped with the program; NSIS and zip make what users download; the
# test of the installed program drives it on Xvfb with xdotool and reads the clipboard with xclip.
TARVEK_WINDOWS_PACKAGES=(
    g++ cmake ninja-build g++-mingw-w64-x86-64-posix libz-mingw-w64-dev googletest
    wine wine64 locales
    librsvg2-bin icoutils fonts-liberation2 qt6-translations-l10n
    nsis zip xvfb xauth xdotool xclip openssl
)
# Qt for Windows (scripts/qt-windows.sh): Debian's qtbase source package, unpacked by dpkg-source and
# configured with Debian's own Qt as the host tools.
TARVEK_QT_WINDOWS_PACKAGES=(
    dpkg-dev xz-utils perl cmake ninja-build g++-mingw-w64-x86-64-posix qt6-base-dev
)
# Fuzzing (scripts/fuzz.sh, and the short fuzz of test.sh when present); llvm-14 reports the
# coverage of scripts/fuzz.sh --coverage.
TARVEK_FUZZ_PACKAGES=(clang libclang-rt-14-dev llvm-14)

tarvek_as_root() {
    if [ "$(id -u)" -eq 0 ]; then
        "$@"
    elif command -v sudo >/dev/null 2>&1; then
        sudo "$@"
    else
        echo "Bitte als root ausführen oder sudo installieren: $*" >&2
        return 1
    fi
}

# tarvek_install PACKAGE...: installs the packages that are not installed yet.
tarvek_install() {
    local missing=()
    local p
    for p in "$@"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    echo "Installing: ${missing[*]}"
    if [ -z "${TARVEK_APT_UPDATED:-}" ]; then
        tarvek_as_root apt-get update
        export TARVEK_APT_UPDATED=1
    fi
    tarvek_as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends \
        "${missing[@]}"
}
