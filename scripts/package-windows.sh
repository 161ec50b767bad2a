#!/usr/bin/env bash
# Makes the two files a Windows user downloads, from the Windows build (scripts/windows.sh builds
# build-windows/):
#   Tarvek-<version>-win64.zip    a folder that runs where it is unpacked: a portable copy (its
#                                 Optionen.txt beside the program says so, with "Download aktiv")
#   Tarvek-<version>-setup.exe    the setup program (NSIS): for the current user, without
#                                 administrator rights, German, with an uninstaller
# Both land in build-windows/package/. Prints their sizes.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/deps.sh
tarvek_install nsis zip

build=${TARVEK_WINDOWS_BUILD:-build-windows}
version=$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")
[ -n "$version" ] || { echo "$build ist kein Windows-Build (scripts/windows.sh)" >&2; exit 1; }
out="$build/package"
stage="$out/Tarvek"
rm -rf "$out"
mkdir -p "$out"

# What the program needs, as the build's install rules name it; everything stripped.
cmake --install "$build" --prefix "$stage" --strip >/dev/null
find "$stage" -name '*.dll' -exec x86_64-w64-mingw32-strip --strip-unneeded {} +

# The portable zip: the same folder with an options file beside the program.
portable="$out/zip/Tarvek-$version"
mkdir -p "$out/zip"
cp -r "$stage" "$portable"
printf 'Download|true\r\n' >"$portable/Optionen.txt"
zip_file="$PWD/$out/Tarvek-$version-win64.zip"
(cd "$out/zip" && zip -q -9 -r "$zip_file" "Tarvek-$version")

# The setup program: the file lists of the folder, so that the uninstaller removes exactly what
# the setup put there.
install_list="$PWD/$out/files-install.nsh"
uninstall_list="$PWD/$out/files-uninstall.nsh"
windows_path() { printf '%s' "$1" | tr '/' '\\'; }
{
    while IFS= read -r folder; do
        echo "SetOutPath \"\$INSTDIR\\$(windows_path "$folder")\""
        find "$stage/$folder" -maxdepth 1 -type f -printf '%P\n' | sort | while IFS= read -r file; do
            echo "File \"$PWD/$stage/$folder/$file\""
        done
    done < <(cd "$stage" && find . -type d -printf '%P\n' | sort)
    echo "SetOutPath \"\$INSTDIR\""
} | sed 's|\$INSTDIR\\"|$INSTDIR"|' >"$install_list"
{
    (cd "$stage" && find . -type f -printf '%P\n' | sort) | while IFS= read -r file; do
        echo "Delete \"\$INSTDIR\\$(windows_path "$file")\""
    done
    (cd "$stage" && find . -mindepth 1 -type d -printf '%P\n' | sort -r) | while IFS= read -r folder; do
        echo "RMDir \"\$INSTDIR\\$(windows_path "$folder")\""
    done
} >"$uninstall_list"

setup_file="$PWD/$out/Tarvek-$version-setup.exe"
makensis -V2 -INPUTCHARSET UTF8 \
    -DVERSION="$version" -DOUTFILE="$setup_file" \
    -DFILES_INSTALL="$install_list" -DFILES_UNINSTALL="$uninstall_list" \
    -DICON="$PWD/$build/src/app/icons/tarvek.ico" \
    dist/windows/tarvek.nsi

size() { du -k "$1" | cut -f1; }
echo "Tarvek $version für Windows:"
echo "  $(size "$zip_file") KB  $out/Tarvek-$version-win64.zip"
echo "  $(size "$setup_file") KB  $out/Tarvek-$version-setup.exe"
echo "  $(du -sk "$stage" | cut -f1) KB  entpackt"
