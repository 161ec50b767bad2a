#!/usr/bin/env bash
# Builds Qt for 64-bit Windows (MinGW-w64) from Debian's own qtbase source package, with only what
# Tarvek deploys and tests with: Core, Gui, Widgets, Network with its Schannel TLS backend,
# PrintSupport and Test, the windows and offscreen platform plugins, the Windows style and the
# Windows print support. Debian's own Qt provides the host tools (moc, rcc, uic), and the source
# fetched is exactly the version of that Qt, so the two builds have the same version.
#
# The result goes into a cache folder outside the work tree, named after the Qt version and a hash
# of everything that shapes the build: the source package's version, the options below, the
# toolchain, the cross-compiler's and its headers' versions, and this script itself. A complete
# folder is left alone, so only the first run pays for the build (about 30 minutes on two cores).
# Two runs at once wait for each other; a failed build leaves nothing behind.
#
# Prints the folder's path as its last line. TARVEK_QT_WINDOWS_CACHE replaces the cache's parent
# folder (default: ~/.cache/tarvek, or $XDG_CACHE_HOME/tarvek).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh

cache_root=${TARVEK_QT_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/tarvek}
tarvek_install "${TARVEK_QT_WINDOWS_PACKAGES[@]}" >&2
# The source package of the Linux Qt that provides the host tools, e.g. 6.4.2+dfsg-10.
source_version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev)
qt_version=${source_version%%[+~-]*}

# The options of Qt's configure step. TLS comes from Windows' own Schannel (no OpenSSL to ship),
# so the system's certificate store decides what is trusted. Left out: what Tarvek never uses
# (SQL, XML, D-Bus, Concurrent, OpenGL, Vulkan, image-format plugins, network information, touch
# input), and the tablet events whose header Debian's source does not carry. Direct2D stays on: without it
# Gui leaves out the DirectWrite font engine that PrintSupport links against; only its own
# platform plugin is not needed.
qt_options=(
    -DCMAKE_BUILD_TYPE=Release
    -DBUILD_SHARED_LIBS=ON
    -DQT_BUILD_EXAMPLES=OFF
    -DQT_BUILD_TESTS=OFF
    -DQT_BUILD_BENCHMARKS=OFF
    -DQT_BUILD_TOOLS_WHEN_CROSSCOMPILING=OFF
    -DINPUT_opengl=no
    -DFEATURE_opengl=OFF
    -DFEATURE_vulkan=OFF
    -DFEATURE_sql=OFF
    -DFEATURE_xml=OFF
    -DFEATURE_dbus=OFF
    -DFEATURE_concurrent=OFF
    -DFEATURE_ssl=ON
    -DFEATURE_schannel=ON
    -DFEATURE_openssl=OFF
    -DFEATURE_networklistmanager=OFF
    -DFEATURE_tuiotouch=OFF
    -DFEATURE_gif=OFF
    -DFEATURE_ico=OFF
    -DFEATURE_jpeg=OFF
    -DFEATURE_tabletevent=OFF
    -DFEATURE_direct2d1_1=OFF
    -DFEATURE_system_zlib=OFF
    -DFEATURE_system_pcre2=OFF
    -DFEATURE_system_freetype=OFF
    -DFEATURE_system_harfbuzz=OFF
    -DFEATURE_system_libpng=OFF
    -DFEATURE_system_doubleconversion=OFF
)

# The toolchain of the Qt build: MinGW-w64 with POSIX threads, packages only from the MinGW root
# (Debian's Linux Qt would be found otherwise).
toolchain_text='set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER x86_64-w64-mingw32-gcc-posix)
set(CMAKE_CXX_COMPILER x86_64-w64-mingw32-g++-posix)
set(CMAKE_RC_COMPILER x86_64-w64-mingw32-windres)
set(CMAKE_FIND_ROOT_PATH /usr/x86_64-w64-mingw32)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)'

compiler_version=$(dpkg-query -W -f='${Version}' g++-mingw-w64-x86-64-posix mingw-w64-common)
hash=$(printf '%s\n' "$source_version" "${qt_options[@]}" "$toolchain_text" "$compiler_version" \
    "$(sha256sum <scripts/qt-windows.sh)" | sha256sum | cut -c1-12)
prefix="$cache_root/qt-$qt_version-mingw64-$hash"

if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

# One build at a time: a second run waits here, then finds the first one's result.
mkdir -p "$cache_root"
exec 9>"$cache_root/qt-windows.lock"
flock 9
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi

work="$cache_root/work-$hash"
rm -rf "$work" "$prefix"
# A failed or interrupted build leaves neither its work folder nor a half-installed Qt.
trap '[ -f "$prefix/.complete" ] || rm -rf "$work" "$prefix"' EXIT
mkdir -p "$work/apt/sources.list.d" "$work/apt/lists/partial" "$work/apt/cache/archives/partial"

# Debian's source package, through an apt configuration of this script's own made from the
# machine's own Debian sources (the same mirrors, as source entries); the machine's sources stay
# as they are.
for list in /etc/apt/sources.list.d/*.sources; do
    if [ -f "$list" ]; then
        sed 's/^Types:.*/Types: deb-src/' "$list" >"$work/apt/sources.list.d/$(basename "$list")"
    fi
done
if [ -f /etc/apt/sources.list ]; then
    sed -n 's/^deb /deb-src /p' /etc/apt/sources.list >"$work/apt/sources.list.d/machine.list"
fi
apt_options=(
    -o Dir::Etc::SourceList=/dev/null
    -o "Dir::Etc::SourceParts=$work/apt/sources.list.d"
    -o "Dir::State::Lists=$work/apt/lists"
    -o "Dir::Cache=$work/apt/cache"
    -o "APT::Sandbox::User=$(id -un)"
)
echo "Qt $qt_version für Windows: Quellen werden geholt"
apt-get "${apt_options[@]}" -qq update
(cd "$work" && apt-get "${apt_options[@]}" -qq source "qt6-base=$source_version" >/dev/null)
source_dir=$(find "$work" -maxdepth 1 -type d -name "qt6-base-$qt_version*" | head -n1)
[ -n "$source_dir" ] || { echo "qtbase-Quellen nicht gefunden" >&2; exit 1; }

printf '%s\n' "$toolchain_text" >"$work/toolchain.cmake"

echo "Qt $qt_version für Windows wird gebaut: $prefix"
start=$SECONDS
cmake -S "$source_dir" -B "$work/build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$work/toolchain.cmake" \
    -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DQT_HOST_PATH=/usr \
    -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
    "${qt_options[@]}" >"$work/configure.log"
cmake --build "$work/build"
cmake --install "$work/build" >/dev/null
echo "Qt für Windows gebaut in $(((SECONDS - start) / 60)) min $(((SECONDS - start) % 60)) s"

# Only the finished folder counts; the sources and the build are not needed again.
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
