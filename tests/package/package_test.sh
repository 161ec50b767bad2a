#!/usr/bin/env bash
# The Debian package as a user gets it: made by scripts/package.sh, unpacked into a temporary
# root, its desktop entry and metadata validated, every file where the layout puts it, and both
# programs run from the unpacked tree with a home of their own.
#   package_test.sh SOURCE_DIR PROBE_LIBRARY VERSION
set -euo pipefail
src=$1
probe=$2
version=$3

for tool in dpkg-deb dpkg-shlibdeps file desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null 2>&1; then
        echo "$tool fehlt (scripts/test.sh installiert es): Test übersprungen."
        exit 77
    fi
done

fail() {
    echo "FEHLER: $*" >&2
    exit 1
}

deb=$("$src/scripts/package.sh" | tail -n 1)
[ "$deb" = "tarvek_${version}-1_amd64.deb" ] || fail "unerwarteter Paketname: $deb"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
root=$work/root
dpkg-deb -x "$src/$deb" "$root"

control=$(dpkg-deb -f "$src/$deb" Package Version Section Maintainer Depends)
echo "$control"
grep -qx "Version: ${version}-1" <<<"$control" || fail "Version"
grep -q 'libqt6widgets6' <<<"$control" || fail "Abhängigkeiten fehlen"
grep -q 'libssl3' <<<"$control" || fail "libssl3 fehlt (https)"

app=de.velmar.Tarvek
desktop-file-validate "$root/usr/share/applications/$app.desktop"
appstreamcli validate --no-net "$root/usr/share/metainfo/$app.metainfo.xml"
grep -qx 'Exec=tarvek %f' "$root/usr/share/applications/$app.desktop" || fail "Exec"
grep -qx "Icon=$app" "$root/usr/share/applications/$app.desktop" || fail "Icon"

# Exactly the files of the layout, no more and no fewer.
expected=(
    usr/bin/tarvek
    usr/bin/tarvek-calc
    "usr/share/applications/$app.desktop"
    "usr/share/metainfo/$app.metainfo.xml"
    "usr/share/icons/hicolor/scalable/apps/$app.svg"
    usr/share/man/man1/tarvek.1.gz
    usr/share/man/man1/tarvek-calc.1.gz
    usr/share/doc/tarvek/examples/Haus.cfg
    usr/share/doc/tarvek/examples/Preisliste.txt
)
for size in 16 22 24 32 48 64 128 256; do
    expected+=("usr/share/icons/hicolor/${size}x${size}/apps/$app.png")
done
diff <(printf '%s\n' "${expected[@]}" | sort) <(cd "$root" && find . -type f -printf '%P\n' | sort) ||
    fail "Dateien des Pakets weichen vom Plan ab"

# The user's folders of a user who has never run Tarvek.
home=$work/home
mkdir -p "$home" "$work/run"
chmod 700 "$work/run"
user_env=(env -u XDG_CONFIG_HOME -u XDG_DATA_HOME -u XDG_CACHE_HOME HOME="$home" XDG_RUNTIME_DIR="$work/run")
fingerprint() { (cd "$root" && find . -printf '%p %s %T@\n' | sort); }
before=$(fingerprint)

# The window: switching "Download aktiv" writes the options file into the user's settings.
"${user_env[@]}" QT_QPA_PLATFORM=offscreen timeout 60 \
    env LD_PRELOAD="$probe" "$root/usr/bin/tarvek" || fail "tarvek endete mit $?"
options=$home/.config/tarvek/Optionen.txt
[ -f "$options" ] || fail "keine $options"
grep -q '^Download|false' "$options" || fail "Download nicht gespeichert: $(cat "$options")"
[ -d "$home/.local/share/tarvek" ] || fail "kein Datenordner"

# tarvek-calc finds the price list in the user's data folder, as the window does.
cp "$root/usr/share/doc/tarvek/examples/Preisliste.txt" "$home/.local/share/tarvek/"
out=$("${user_env[@]}" "$root/usr/bin/tarvek-calc" "$root/usr/share/doc/tarvek/examples/Haus.cfg")
grep -q '^Ergebnis: complete' <<<"$out" || fail "tarvek-calc: $out"
grep -Eq 'Gesamtsumme +: +38[.,]840 GS' <<<"$out" || fail "Gesamtsumme: $out"

[ "$before" = "$(fingerprint)" ] || fail "im entpackten Paket wurde geschrieben"
echo "Paket in Ordnung: $deb"
