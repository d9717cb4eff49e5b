#!/usr/bin/env bash
# scripts/fautes-plantees.sh [LIST [SOURCE]]: plants each fault of LIST (default:
# scripts/fautes-plantees.txt), one at a time, in a scratch copy of SOURCE (default: this
# checkout's working tree, the files git tracks), builds it, runs CTest (packaging and the web
# version aside) and prints for each fault whether the suite catches it, and with which
# tests. Before the tests are cut down, and after, the same list shows whether they still
# catch as much. Takes about a minute a fault; the copy goes into $TARVEX_FAUTES (default
# /tmp/tarvex-fautes).
#
# LIST holds blocks of four lines (blank lines and lines starting with # between blocks):
#   @ ID what the fault does
#   path/of/the/file
#   - text found exactly once in that file
#   + the text put in its place (empty: the text goes)
#   ? why no test can observe it (optional: a fault the suite is known to miss)
# (one blank after - and + is not part of the text)
# where \n stands for a line end. A fault missed with a "?" line is reported as an expected
# survivor; one caught though it has a "?" line is reported too, so that the line goes.
set -uo pipefail
liste=$(realpath "${1:-$(dirname "$0")/fautes-plantees.txt}")
source=$(realpath "${2:-$(dirname "$0")/..}")
copie=${TARVEX_FAUTES:-/tmp/tarvex-fautes}
rm -rf "$copie" && mkdir -p "$copie/src"
(cd "$source" && git ls-files -z | xargs -0 cp --parents -t "$copie/src")
# The web version is left out: its tests compare it with the native build, which carries the
# same fault, and rebuilding it for each fault would take minutes.
cmake -S "$copie/src" -B "$copie/build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DTARVEX_EMCMAKE=TARVEX_EMCMAKE-NOTFOUND >/dev/null ||
    exit 1
nice cmake --build "$copie/build" >/dev/null || { echo "the clean copy does not build"; exit 1; }
executer() { nice ctest --test-dir "$copie/build" -LE 'packaging|web' -j2 --timeout 300 >"$copie/ctest.log" 2>&1; }
executer || { echo "the clean copy fails its tests"; grep -E 'Failed|\*\*\*' "$copie/ctest.log"; exit 1; }

prises=0 total=0 attendues=0 suivante=""
while if [[ -n $suivante ]]; then tete=$suivante suivante=""; else IFS= read -r tete; fi; do
    [[ $tete == @* ]] || continue
    read -r fichier && read -r ancien && read -r nouveau
    raison=""
    if IFS= read -r ligne; then
        if [[ $ligne == '? '* ]]; then raison=${ligne#? }; else suivante=$ligne; fi
    fi
    id=${tete#@ }
    ancien=${ancien#-} ancien=${ancien# } nouveau=${nouveau#+} nouveau=${nouveau# }
    ancien=${ancien//\\n/$'\n'} nouveau=${nouveau//\\n/$'\n'} # \n stands for a line end
    f="$copie/src/$fichier"
    n=$(ANCIEN="$ancien" perl -0ne 'print scalar(() = /\Q$ENV{ANCIEN}\E/g)' "$f")
    if [[ $n != 1 ]]; then
        echo "$id | not planted: the text occurs $n times in $fichier"
        continue
    fi
    cp "$f" "$f.orig"
    ANCIEN="$ancien" NOUVEAU="$nouveau" perl -0pi -e 's/\Q$ENV{ANCIEN}\E/$ENV{NOUVEAU}/' "$f"
    total=$((total + 1))
    if ! nice cmake --build "$copie/build" >"$copie/build.log" 2>&1; then
        echo "$id | does not build"
    elif executer; then
        if [[ -n $raison ]]; then
            attendues=$((attendues + 1))
            echo "$id | survives, as expected: $raison"
        else
            echo "$id | MISSED"
        fi
    else
        prises=$((prises + 1))
        echo "$id | caught by $(grep -oE '[0-9]+ - [^ ]+' "$copie/ctest.log" | sed 's/^[0-9]* - //' |
            sort | tr '\n' ' ')${raison:+(though listed as a survivor)}"
    fi
    mv "$f.orig" "$f" && touch "$f" # newer than the objects built from the fault
done <"$liste"
nice cmake --build "$copie/build" >/dev/null
echo "caught $prises of $total; expected survivors: $attendues"
