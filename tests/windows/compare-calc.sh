#!/usr/bin/env bash
# tarvek-calc.exe under Wine must print the same JSON, byte for byte, as tarvek-calc on Linux for
# the same files and answers, under German and under English regional settings (time stamps
# masked). Arguments: LINUX_CALC WINDOWS_CALC SOURCE_DIR WORK_DIR. Wine's prefix and LOCPATH (with
# de_DE.UTF-8 and en_US.UTF-8) come from the environment.
set -euo pipefail
linux_calc=$1
windows_calc=$2
source_dir=$3
work=$4
rm -rf "$work"
mkdir -p "$work"
cd "$work"

cp "$source_dir/examples/Haus.cfg" "$source_dir/examples/Preisliste.txt" .

# A generated house: 1500 items over a wide area (sums in the millions), some at the same place
# (nested), some without a price, marks for items that may not be imported and spawns, bundles.
{
    printf 'Entry Header\r\n{\r\n}\r\n'
    for i in $(seq 0 1499); do
        graphic=$((1000 + i % 37))
        x=$((1000 + (i * 7) % 400))
        y=$((2000 + (i * 13) % 300))
        z=$((i % 5 * 5 - 5))
        if [ $((i % 50)) -eq 0 ]; then x=1000; y=2000; z=0; graphic=1001; fi
        printf 'Entry I 0x%08x\r\n{\r\n\tgraphic\t%d\r\n\tx\t%d\r\n\ty\t%d\r\n\tz\t%d\r\n' \
            "$i" "$graphic" "$x" "$y" "$z"
        printf '\tcolor\t%d\r\n\tname\tSt\xfcck %d\r\n}\r\n' $((i % 3)) "$i"
    done
} > Gross.cfg
{
    printf 'Schl\xfcssel|Name|Preis|Art|St\xfcck|Klasse|nicht importieren|Spawn\r\n'
    for g in $(seq 1000 1030); do
        kind=t
        [ $((g % 4)) -eq 0 ] && kind=b
        printf '0x%04x|Teil %d|%d|%s|%d|%d|%d|%d\r\n' "$g" "$g" $((g * 37)) "$kind" 3 \
            $((g % 2)) $((g % 9 == 0 ? 1 : 0)) $((g % 11 == 0 ? 1 : 0))
    done
} > Preise.txt
printf 'kein Kopf\r\n{\r\n' > Ungueltig.cfg
printf 'Entry Header\r\n{\r\nEntry I\r\n{\r\n\tgraphic\t100\r\n\tx\t1x30\r\n\ty\t1610\r\n\tz\t0\r\n' \
    > Fehler.cfg

cases=(
    "--water --basement --price-list Preisliste.txt Haus.cfg"
    "--price-list Preise.txt Gross.cfg"
    "--water --nested stop --price-list Preise.txt Gross.cfg"
    "--price-list Preisliste.txt Ungueltig.cfg"
    "--price-list Fehlt.txt Haus.cfg"
    "--price-list Preisliste.txt Fehler.cfg"
    "--price-list Preisliste.txt Fehlt.cfg"
)

mask() { sed -E 's/"[0-9]{2}:[0-9]{2}:[0-9]{2} /"HH:MM:SS /'; }

failed=0
for locale in de_DE.UTF-8 en_US.UTF-8; do
    for arguments in "${cases[@]}"; do
        # shellcheck disable=SC2086 # the arguments are words
        set +e
        LC_ALL=$locale "$linux_calc" --json $arguments > linux.json 2>/dev/null
        linux_status=$?
        LC_ALL=$locale wine "$windows_calc" --json $arguments > windows.json 2>/dev/null
        windows_status=$?
        set -e
        if [ "$linux_status" != "$windows_status" ] || ! cmp -s <(mask < linux.json) <(mask < windows.json); then
            echo "VERSCHIEDEN ($locale, $arguments): Linux $linux_status, Windows $windows_status"
            diff <(mask < linux.json) <(mask < windows.json) | head -20 || true
            failed=1
        fi
        [ "$arguments" = "${cases[0]}" ] && cp windows.json "Haus-$locale.json"
    done
done

# Where the files live, with names beyond the code page (German regional settings): a portable
# copy in a folder "Jörg Ω" reads the price list beside it, an import file "Größe.cfg" and writes
# "Größe.csv"; an installed copy (no price list beside it) reads the one in the user's data folder,
# which on Windows is the roaming application-data folder's "Tarvek". Same bytes on both sides.
copy() { # SIDE PROGRAM NAME: the program as SIDE/Jörg Ω/NAME, beside the sample files, and as
         # SIDE/installiert/NAME alone
    mkdir -p "$1/Jörg Ω" "$1/installiert"
    cp "$2" "$1/Jörg Ω/$3"
    cp "$2" "$1/installiert/$3"
    cp Preisliste.txt "$1/Jörg Ω/"
    cp Haus.cfg "$1/Jörg Ω/Größe.cfg"
    # The runtime libraries a program of the Qt build loads from its own folder.
    local runtime
    for runtime in "$(dirname "$2")"/lib*.dll; do
        [ -e "$runtime" ] && cp "$runtime" "$1/Jörg Ω/" && cp "$runtime" "$1/installiert/"
    done
    return 0
}
copy linux "$linux_calc" tarvek-calc
copy windows "$windows_calc" tarvek-calc.exe
roaming=$(winepath -u "$(wine cmd /c 'echo %APPDATA%' | tr -d '\r')")
mkdir -p xdg/tarvek "$roaming/Tarvek"
cp Preisliste.txt xdg/tarvek/
cp Preisliste.txt "$roaming/Tarvek/"
set +e
(cd "linux/Jörg Ω" && LC_ALL=de_DE.UTF-8 ./tarvek-calc --json --csv Größe.csv Größe.cfg) \
    > linux-portable.json
(cd "windows/Jörg Ω" &&
    LC_ALL=de_DE.UTF-8 wine ./tarvek-calc.exe --json --csv Größe.csv Größe.cfg) > windows-portable.json
XDG_DATA_HOME="$PWD/xdg" LC_ALL=de_DE.UTF-8 linux/installiert/tarvek-calc --json Haus.cfg \
    > linux-installed.json
LC_ALL=de_DE.UTF-8 wine windows/installiert/tarvek-calc.exe --json Haus.cfg > windows-installed.json
set -e
rm -rf "$roaming/Tarvek"
for copy in portable installed; do
    if ! grep -q '"grandTotal": 38840' "windows-$copy.json" ||
        ! cmp -s <(mask < "linux-$copy.json") <(mask < "windows-$copy.json"); then
        echo "VERSCHIEDEN oder unvollständig: $copy"
        diff <(mask < "linux-$copy.json") <(mask < "windows-$copy.json") | head -20 || true
        failed=1
    fi
done
if ! cmp -s "linux/Jörg Ω/Größe.csv" "windows/Jörg Ω/Größe.csv"; then
    echo "Größe.csv fehlt oder weicht ab"
    failed=1
fi

# The regional settings reached the programs: the water fee of the sample house's bill.
grep -q '10\.000 GS' Haus-de_DE.UTF-8.json || { echo "Deutsch: kein 10.000 GS"; failed=1; }
grep -q '10,000 GS' Haus-en_US.UTF-8.json || { echo "Englisch: kein 10,000 GS"; failed=1; }
exit $failed
