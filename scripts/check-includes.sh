#!/usr/bin/env bash
# Checks that the includes of src/ run one way only, downwards through the program's five layers:
#
#   1. The engine, standard C++ without Qt, used by both programs: base (the general helpers:
#      file names, whole files read within a limit and written atomically, encodings, system
#      reasons, arguments and standard streams, where the files live, the version; it includes
#      nothing of ours outside itself) < importfile (the import file) < pricing (the price list,
#      money) < calc (the eight-phase run, the bill, one whole calculation). calc/cli is the
#      command line of tarvek-calc and nothing else builds on it.
#   2. widgets: the display widgets. Qt only; they know nothing of Tarvek.
#   3. gui: the Qt base under every window: dialogs and their button texts, error reports and
#      German system reasons, atomic file writing, fonts, the text codec, control locking.
#   4. The windows: editor, download, views/lists, views (the item views, built on views/art and
#      views/goto), views/bill and views/plan, views/iso (the building as the client draws it, on
#      the art readers and the plan's colours and levels), views/compare (on the plan and on the
#      drawing of views/iso). Each takes from the layers below, not
#      from another window, and never from app.
#   5. app: the main window, the start, the command line of tarvek and the wiring between the
#      windows. Nothing includes app.
#
# The tests' shared support (tests/support) follows the same lines: its engine part
# (support/engine) is standard C++ without Qt and takes from the engine only; the windows' part
# (support) takes from every folder of src/ and from the engine part.
#
# A file may include from its own folder and from the folders its rule below names. An include
# without a folder ("Foo.h") must name a file of the including file's own folder. No engine file
# includes a Qt header. Prints every include that breaks a rule and fails when there is one.
# The build draws the same lines at link time: every layer is a CMake library that links only the
# layers below it, and each layer's tests link that layer's library alone.
set -euo pipefail
cd "$(dirname "$0")/.."

engine="base importfile pricing calc"
under_windows="$engine widgets gui"
windows="editor download views views/art views/goto views/lists views/bill views/plan views/batch views/clean views/compare views/iso"

# allowed FOLDER: the folders that FOLDER may include from besides itself.
allowed() {
    case "$1" in
        base) echo "" ;;
        importfile) echo "base" ;;
        pricing) echo "base importfile" ;;
        calc) echo "base importfile pricing" ;;
        calc/cli) echo "$engine" ;;
        widgets) echo "" ;;
        gui) echo "$engine widgets" ;;
        editor | download | views/lists | views/art | views/goto | views/bill | views/plan | views/batch | views/clean) echo "$under_windows" ;;
        views/compare) echo "$under_windows views/plan views/iso views/art" ;;
        views/iso) echo "$under_windows views/art views/plan" ;;
        views) echo "$under_windows views/art views/goto" ;;
        app) echo "$under_windows $windows" ;;
        support/engine) echo "$engine" ;;
        support) echo "$under_windows $windows app support/engine" ;;
        *) echo "-" ;; # a folder the rules do not know
    esac
}

is_engine() {
    case "$1" in base | importfile | pricing | calc | calc/cli | support/engine) return 0 ;; *) return 1 ;; esac
}

failures=0
fail() {
    echo "$root/$1: $2" >&2
    failures=$((failures + 1))
}

# check ROOT: the files below ROOT (src, or tests for its shared support), each named by its
# path below ROOT.
check() {
    root=$1
    shift
    while IFS= read -r file; do
        check_file "$file"
    done < <(cd "$root" && find "$@" \( -name '*.h' -o -name '*.cpp' \) | sed 's|^\./||' | sort)
}

check_file() {
    local file=$1 folder rule line target target_folder
    folder=$(dirname "$file")
    rule=$(allowed "$folder")
    if [ "$rule" = "-" ]; then
        fail "$file" "der Ordner $folder hat keine Regel in scripts/check-includes.sh"
        return
    fi
    while IFS= read -r line; do
        if [[ $line =~ ^#[[:space:]]*include[[:space:]]*\"([^\"]+)\" ]]; then
            target=${BASH_REMATCH[1]}
            if [[ $target != */* ]]; then
                [ -f "$root/$folder/$target" ] ||
                    fail "$file" "\"$target\" liegt nicht im eigenen Ordner; den Ordner nennen"
                continue
            fi
            target_folder=$(dirname "$target")
            [ "$target_folder" = "$folder" ] && continue
            if [[ " $rule " != *" $target_folder "* ]]; then
                fail "$file" "darf $target nicht einbinden ($folder nimmt nur aus: ${rule:-nichts})"
            fi
        elif [[ $line =~ ^#[[:space:]]*include[[:space:]]*\<(Q[A-Za-z]*)[/\>] ]] && is_engine "$folder"; then
            fail "$file" "die Engine bleibt ohne Qt: ${BASH_REMATCH[1]}"
        fi
    done <"$root/$file"
}

check src .
check tests support

if [ "$failures" -gt 0 ]; then
    echo "$failures Include(s) gegen die Schichten; die Regeln stehen oben in scripts/check-includes.sh" >&2
    exit 1
fi
echo "Includes: alle Schichten in Ordnung"
