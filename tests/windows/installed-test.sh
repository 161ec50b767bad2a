#!/usr/bin/env bash
# The delivered Windows program, used as a Windows user uses it, on a real display (Xvfb with
# Wine's X11 driver) in a Wine prefix made fresh for the test, with German regional settings:
#   1. the setup program installs silently, for the user, without administrator rights;
#   2. the installed tarvek.exe starts with the sample file (as "Größe.cfg" in a folder "Jörg Ω"),
#      runs to its bill (38.840 GS), and what it copies of the bill is German;
#   3. "Hingehen" in the view of the nested items types exactly Escape, Return,
#      ".go  1435, 1613, 6", Return into a stand-in client window of class "Ultima Online";
#   4. while Tarvek runs, the setup program refuses (silently: exit code not 0) and changes
#      nothing; an upgrade over the folder removes files the version does not ship;
#   5. started from a console, the window program holds none (closing the console or Ctrl+C
#      there would end it);
#   6. the uninstaller removes the program folder, the Start-menu entry and its registry entries,
#      keeps the user's options file and another program's entry under "Öffnen mit".
# Controls are found at their fixed places in the fixed-size windows. Prints how long the window
# took to appear and the run to reach its bill.
#
# installed-test.sh STAND_IN.exe CONSOLE_PROBE.exe PACKAGE_FOLDER WORK_FOLDER LOCALE_FOLDER
#                   EXAMPLES_FOLDER
set -euo pipefail
stand_in=$1 console_probe=$2 package=$3 work=$4 locales=$5 examples=$6

setup=$(ls "$package"/Tarvek-*-setup.exe 2>/dev/null | head -n1)
[ -n "$setup" ] || { echo "kein Setup-Programm in $package (scripts/package-windows.sh)"; exit 1; }
for tool in Xvfb xdotool xclip wine; do
    command -v "$tool" >/dev/null || { echo "$tool fehlt"; exit 1; }
done

rm -rf "$work"
mkdir -p "$work"
export WINEPREFIX="$work/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=" WINEARCH=win64
export LOCPATH="$locales"
export LC_ALL=de_DE.UTF-8

# A display of its own.
exec 3>"$work/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 50); do [ -s "$work/display" ] && break; sleep 0.1; done
export DISPLAY=":$(cat "$work/display")"
cleanup() {
    wineserver -k >/dev/null 2>&1 || true
    kill "$xvfb" 2>/dev/null || true
}
trap cleanup EXIT

fail() {
    echo "FEHLER: $*"
    import -window root "$work/screen.png" 2>/dev/null && echo "Bildschirm: $work/screen.png"
    exit 1
}
# wait_window TITLE: the id of the first window whose title matches, within 30 s.
wait_window() {
    local id
    for _ in $(seq 150); do
        id=$(xdotool search --name "$1" 2>/dev/null | head -n1) || true
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
    done
    return 1
}
# click WINDOW X Y: a left click at a place of the window's client area.
click() { xdotool mousemove --window "$1" "$2" "$3" click 1; }
now() { date +%s.%N; }
seconds() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.1f", b - a }'; }

wineboot --init >/dev/null 2>&1
wineserver --wait
users="$WINEPREFIX/drive_c/users/$(whoami)"
program="$users/AppData/Local/Programs/Tarvek"
roaming="$users/AppData/Roaming"
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvek'

# 1. Install.
wine "$setup" /S >/dev/null 2>&1
wineserver --wait
[ -f "$program/tarvek.exe" ] || fail "tarvek.exe nicht installiert"
[ -f "$program/tarvek-calc.exe" ] || fail "tarvek-calc.exe nicht installiert"
[ -f "$roaming/Microsoft/Windows/Start Menu/Programs/Tarvek.lnk" ] || fail "kein Startmenü-Eintrag"
wine reg query "$uninstall_key" /v DisplayName >/dev/null 2>&1 || fail "nicht unter den Apps"
wine reg query 'HKCU\Software\Classes\.cfg\OpenWithProgids' >/dev/null 2>&1 ||
    fail "nicht unter \"Öffnen mit\""
for licence in LICENSE-Qt-LGPL-3.0.txt LICENSE-Liberation.txt; do
    [ -s "$program/$licence" ] || fail "$licence fehlt neben dem Programm"
done
if [ -e "$program/Optionen.txt" ] || ls "$program" | grep -qi '^preisliste\.txt$'; then
    fail "neben dem Programm liegt eine Datei, die es zur portablen Kopie macht"
fi
# The program of the window system still answers on the command line.
version=$(wine "$program/tarvek.exe" --version 2>&1)
[[ $version == "Tarvek "[0-9]* ]] || fail "tarvek.exe --version: $version"
# A price list as a user brings it ("Optionen > Preisliste einlesen ..." copies it there).
mkdir -p "$roaming/Tarvek"
cp "$examples/Preisliste.txt" "$roaming/Tarvek/Preisliste.txt"
# The bill as a document from the command line is drawn in the shipped fonts (under Wine there are
# no others): its text reads back, with the total, every key of the breakdown and the page numbers.
cp "$program/Beispiele/Haus.cfg" "$users/Haus.cfg"
wine "$program/tarvek.exe" --pdf 'C:\users\'"$(whoami)"'\Rechnung.pdf' \
    'C:\users\'"$(whoami)"'\Haus.cfg' >/dev/null 2>&1 || fail "tarvek.exe --pdf: Fehler $?"
pdf_text=$(pdftotext -layout "$users/Rechnung.pdf" - 2>/dev/null) || fail "Rechnung.pdf nicht lesbar"
pdffonts "$users/Rechnung.pdf" 2>/dev/null | grep -q Liberation || fail "Rechnung.pdf ohne Liberation"
grep -q 'Gesamtsumme *:\? *38\.840 GS' <<<"$pdf_text" || fail "Rechnung.pdf ohne Gesamtsumme: $pdf_text"
grep -q 'Seite 1 von' <<<"$pdf_text" || fail "Rechnung.pdf ohne Seitenzahl"
for key in 0x0064 0x0521 0x06a5 0x0b28 0x0b36 0x0e75 0x1bfb 0x0e77 0x1f13 0x087b 0x0495 0x1646 \
    0x1234 0x4083; do # the sample's graphics, as its breakdown lists them
    grep -q "$key" <<<"$pdf_text" || fail "Rechnung.pdf ohne $key"
done

# 2. Start with the sample, under a name beyond any code page, and run it to its bill.
mkdir -p "$users/Jörg Ω"
cp "$program/Beispiele/Haus.cfg" "$users/Jörg Ω/Größe.cfg"
typed="$work/typed.txt"
wine "$stand_in" "Ultima Online" "Z:$(printf '%s' "$typed" | tr '/' '\\')" >/dev/null 2>&1 &
client=$!
for _ in $(seq 100); do [ -e "$typed" ] && break; sleep 0.1; done # the stand-in is up
started=$(now)
wine "$program/tarvek.exe" 'C:\users\'"$(whoami)"'\Jörg Ω\Größe.cfg' >"$work/tarvek.out" 2>&1 &
main=$(wait_window '^Tarvek [0-9.]* Tarvekrechner$') || fail "kein Hauptfenster"
shown=$(now)
sleep 2 # until the start-up (the price list check) has ended
# The main window's client area starts below its menu bar (19 pixels).
menu=19
run_start=$(now)
click "$main" 266 $((menu + 592)) # "Berechnung starten"
question=$(wait_window '^Bestätigen$') || fail "keine Frage nach den ineinanderliegenden Items"
asked=$(now)
xdotool key --window "$question" Return # "Ja", the default button
# The bill: "Rechnung > Rechnung kopieren" works once the bill is shown.
bill=""
answered=$(now)
for _ in $(seq 30); do
    printf '' | xclip -selection clipboard
    click "$main" 163 9 # the menu "Rechnung"
    sleep 0.3
    xdotool key Up Return # its last entry, "Rechnung kopieren"
    sleep 0.3
    bill=$(xclip -o -selection clipboard 2>/dev/null || true)
    [ -n "$bill" ] && break
    xdotool key Escape
done
billed=$(now)
printf '%s\n' "$bill" >"$work/rechnung.txt"
grep -q 'Gesamtsumme *: *38\.840 GS' <<<"$bill" || fail "Rechnung nicht 38.840 GS: $bill"
for german in 'QS gesamt' 'Summe Items HZ gesamt' 'Kostenaufstellung' 'Schlüssel' 'Stück je Bund' \
    'nicht berechnet' 'ausgenommen'; do
    grep -q "$german" <<<"$bill" || fail "\"$german\" fehlt in der Rechnung"
done

# 4a. A setup while Tarvek runs: refused, nothing changed.
snapshot() { find "$program" -printf '%P %s %T@\n' | sort; }
before=$(snapshot)
status=0
wine "$setup" /S >/dev/null 2>&1 || status=$?
[ "$status" -ne 0 ] || fail "Setup bei laufendem Tarvek beendet sich mit 0"
[ "$(snapshot)" = "$before" ] || fail "Setup bei laufendem Tarvek hat Dateien verändert"

# 3. "Hingehen" from the view of the nested items (their list's line is selected by the run).
click "$main" 194 $((menu + 262)) # "Anzeigen" beside " Ineinanderliegende Items "
view=$(wait_window '^Ansicht ineinanderliegendes Item$') || fail "keine Ansicht des Items"
click "$view" 84 205 # "Hingehen"
expected=$'\e\r.go  1435, 1613, 6\r'
for _ in $(seq 50); do
    [ "$(cat "$typed" 2>/dev/null)" = "$expected" ] && break
    sleep 0.1
done
[ "$(cat "$typed")" = "$expected" ] || fail "der Client bekam: $(od -c "$typed")"
click "$view" 233 205 # "Schliessen"
sleep 0.5
click "$main" 259 9 # "Beenden"
for _ in $(seq 50); do
    xdotool search --name '^Tarvek [0-9.]* Tarvekrechner$' >/dev/null 2>&1 || break
    sleep 0.2
done
xdotool search --name '^Tarvek [0-9.]* Tarvekrechner$' >/dev/null 2>&1 && fail "Tarvek endet nicht"
[ -f "$roaming/Tarvek/Optionen.txt" ] || fail "kein Optionen.txt in %APPDATA%\\Tarvek"

kill "$client" 2>/dev/null || true

# 5. Started from a console (its own, no stream redirected), the window program lets go of it.
console=$(wine "$console_probe" 'C:\users\'"$(whoami)"'\AppData\Local\Programs\Tarvek\tarvek.exe' \
    Tarvekrechner 2>&1) || fail "tarvek.exe aus einer Konsole: $console"
wineserver --wait

# 4b. An upgrade over an older version's folder: what this version does not ship goes.
printf 'alt' >"$program/Qt5Alt.dll"
mkdir -p "$program/plugins/alt" && printf 'alt' >"$program/plugins/alt/alt.dll"
wine "$setup" /S >/dev/null 2>&1 || fail "Setup über eine ältere Version: Fehler $?"
wineserver --wait
[ -e "$program/Qt5Alt.dll" ] && fail "Datei der älteren Version bleibt"
[ -e "$program/plugins" ] && fail "Ordner der älteren Version bleibt"
[ -f "$program/tarvek.exe" ] || fail "tarvek.exe nach dem Update fehlt"
[ -f "$roaming/Tarvek/Optionen.txt" ] || fail "Update entfernt Optionen.txt des Benutzers"

# 6. Uninstall: silently, as the entry among the installed apps names it. Another program's entry
# under "Öffnen mit" stays.
open_with='HKCU\Software\Classes\.cfg\OpenWithProgids'
wine reg add "$open_with" /v Anderes.Programm /d "" /f >/dev/null 2>&1
wine "$program/Deinstallieren.exe" /S >/dev/null 2>&1
for _ in $(seq 100); do [ -e "$program" ] || break; sleep 0.2; done
wineserver --wait
[ -e "$program" ] && fail "Programmordner nicht entfernt: $(find "$program")"
[ -e "$roaming/Microsoft/Windows/Start Menu/Programs/Tarvek.lnk" ] && fail "Startmenü-Eintrag bleibt"
wine reg query "$uninstall_key" >/dev/null 2>&1 && fail "Eintrag unter den Apps bleibt"
[ -f "$roaming/Tarvek/Optionen.txt" ] || fail "Optionen.txt des Benutzers entfernt"
[ -f "$roaming/Tarvek/Preisliste.txt" ] || fail "Preisliste des Benutzers entfernt"
wine reg query "$open_with" /v Anderes.Programm >/dev/null 2>&1 ||
    fail "\"Öffnen mit\" eines anderen Programms entfernt"
wine reg query "$open_with" /v Tarvek.Importdatei >/dev/null 2>&1 &&
    fail "\"Öffnen mit\" von Tarvek bleibt"
# No other trace: no folder in the local application data, no key of Qt's own.
[ -e "$users/AppData/Local/Tarvek" ] && fail "%LOCALAPPDATA%\\Tarvek bleibt"
wine reg query 'HKCU\Software\QtProject' >/dev/null 2>&1 && fail "HKCU\\Software\\QtProject bleibt"

echo "Fenster nach $(seconds "$started" "$shown") s; Lauf bis zur Frage $(seconds "$run_start" "$asked") s," \
    "nach \"Ja\" bis zur Rechnung höchstens $(seconds "$answered" "$billed") s"
echo "installiert, gerechnet (38.840 GS), Hingehen, Setup bei laufendem Tarvek abgelehnt, ohne" \
    "Konsole, Update, deinstalliert: in Ordnung"
