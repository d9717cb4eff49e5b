#!/usr/bin/env bash
# Size of the tests against the size of the code they test: non-blank lines of .cpp, .h and
# .scn files that are not comments (// in C++, # in scenario files, /* */ blocks), among the
# files git tracks. Tests = everything under tests/; code = src/, tools/ and web/.
# Prints both counts and the ratio tests / code.
set -euo pipefail
cd "$(dirname "$0")/.."

compter() {
    git ls-files -- "$@" | grep -E '\.(cpp|h|scn)$' | while IFS= read -r f; do
        awk -v scn="$([[ $f == *.scn ]] && echo 1 || echo 0)" '
            { sub(/^[ \t\r]+/, ""); sub(/[ \t\r]+$/, "") }
            bloc { if (index($0, "*/")) { bloc = 0; $0 = substr($0, index($0, "*/") + 2);
                                          sub(/^[ \t]+/, "") } else next }
            $0 == "" { next }
            scn && /^#/ { next }
            !scn && /^\/\// { next }
            !scn && /^\/\*/ { if (!index(substr($0, 3), "*/")) bloc = 1; next }
            { n++ }
            END { print n + 0 }' "$f"
    done | awk '{ s += $1 } END { print s + 0 }'
}

tests=$(compter tests)
code=$(compter src tools web)
ratio=$(awk -v t="$tests" -v c="$code" 'BEGIN { printf "%.3f", c ? t / c : 0 }')
echo "tests: $tests lines; code (src, tools, web): $code lines; ratio: $ratio"
