#!/usr/bin/env bash
# Start-up time and peak memory of build/tarvex against the Qt 6 Widgets floor, measured by
# the shared start-up harness, then checked against the goals: at most 1.3 times the floor's
# median time to window (aim: 1.15), at most the floor's peak RSS + 8 MB. Not a test: run it by hand.
#
# usage: tools/bench/window/demarrage.sh [ROUNDS] [OUT_DIR]    (defaults: 20, /tmp/startup-out)
# Needs: apt-get install -y --no-install-recommends xvfb xfonts-base libx11-dev libxres-dev gcc
# The harness is $STARTUP_HARNESS (default ../shared/bench/startup/startup.sh beside the checkout).
set -euo pipefail

racine=$(cd "$(dirname "${BASH_SOURCE[0]}")/../../.." && pwd)
harnais=${STARTUP_HARNESS:-$racine/../shared/bench/startup/startup.sh}
tours=${1:-20}
sortie=${2:-/tmp/startup-out}

cmake --build "$racine/build" --target tarvex >/dev/null
cd "$racine"
"$harnais" -n "$tours" -o "$sortie" qtfloor=qtfloor tarvex=build/tarvex >/dev/null
resume=$(ls -t "$sortie"/startup-*.md | head -n 1)
cat "$resume"

# Rows of the summary: | name | toolkit | ok | median ms | min | max | peak RSS MB | ...
awk -F' *[|] *' '
    $2 == "qtfloor" && !ms0 { ms0 = $5; rss0 = $8 }
    $2 == "tarvex" && !ms   { ms = $5; rss = $8 }
    END {
        if (!ms0 || !ms) { print "no result for qtfloor or tarvex"; exit 2 }
        t = ms / ms0; m = rss - rss0
        printf "\ntarvex: %.1f ms = %.2f x floor (goal <= 1.3), peak RSS %.1f MB = floor %+.1f MB (goal <= +8)\n", ms, t, rss, m
        exit (t <= 1.3 && m <= 8) ? 0 : 1
    }' "$resume"
