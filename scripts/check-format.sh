#!/usr/bin/env bash
# Checks the house format and changes nothing: the editor settings of .editorconfig for every
# file under version control (UTF-8, LF line ends, no trailing blanks, a final newline, no tab
# indentation in C++, CMake and shell files), and clang-format with the root's .clang-format
# for every *.cpp and *.h in src/, tests/ and bench/. Prints each file that breaks a rule and
# fails when there is one. `cmake --build BUILD --target format` formats the C++ files.
# CLANG_FORMAT names the program when it is not `clang-format`.
set -euo pipefail
cd "$(dirname "$0")/.."
clang_format=${CLANG_FORMAT:-clang-format}

# Files that keep the bytes of what they stand for (see .editorconfig).
exempt='^(examples|tests/fuzz/corpus)/'
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    mapfile -t files < <(git ls-files | grep -Ev "$exempt")
else
    mapfile -t files < <(find . -path './build*' -prune -o -path ./.git -prune -o -type f -print |
        sed 's|^\./||' | grep -Ev "$exempt" | sort)
fi
# Text files only: grep -I skips binary files such as the pictures.
mapfile -t text < <(grep -Il '' -- "${files[@]}" || true)

failures=0
report() { # RULE FILE...
    local rule=$1
    shift
    local file
    for file in "$@"; do
        echo "$file: $rule" >&2
        failures=$((failures + 1))
    done
}
listing() { # grep arguments: the files that match
    grep -l "$@" -- "${text[@]}" || true
}

mapfile -t found < <(listing $'\r')
report "CR LF statt LF" "${found[@]}"
mapfile -t found < <(listing -E '[[:blank:]]+$')
report "Leerzeichen am Zeilenende" "${found[@]}"
mapfile -t found < <(LC_ALL=C.UTF-8 grep -laxv '.*' -- "${text[@]}" || true)
report "kein gültiges UTF-8" "${found[@]}"
for file in "${text[@]}"; do
    if [ -s "$file" ] && [ -n "$(tail -c 1 "$file")" ]; then
        report "kein Zeilenende am Dateiende" "$file"
    fi
done
mapfile -t indented < <(printf '%s\n' "${text[@]}" |
    grep -E '\.(cpp|h|cmake|sh|in)$|(^|/)CMakeLists\.txt$' || true)
if [ ${#indented[@]} -gt 0 ]; then
    mapfile -t found < <(grep -l $'^ *\t' -- "${indented[@]}" || true)
    report "Tabulator als Einrückung" "${found[@]}"
fi

mapfile -t sources < <(printf '%s\n' "${files[@]}" | grep -E '^(src|tests|bench)/.*\.(cpp|h)$')
if ! "$clang_format" --dry-run --Werror -- "${sources[@]}"; then
    failures=$((failures + 1))
    echo "Formatieren: cmake --build BUILD --target format (oder clang-format -i DATEI)" >&2
fi

if [ "$failures" -gt 0 ]; then
    echo "Format: $failures Verstoß/Verstöße gegen .editorconfig oder .clang-format" >&2
    exit 1
fi
echo "Format: alle ${#files[@]} Dateien in Ordnung"
