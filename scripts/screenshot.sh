#!/usr/bin/env bash
# Takes a screenshot of the Tarvex window: builds build/tarvex if needed, starts it on a
# private virtual X server (Xvfb), waits until its window is mapped, captures that window
# alone and stops everything it started.
#
#   scripts/screenshot.sh [OUTPUT.png]      default: docs/screenshot.png
#
# Environment: TARVEX_BIN (default build/tarvex), TARVEX_TITLE (window title pattern,
# an extended regular expression, default "^Tarvex"), SCREENSHOT_TIMEOUT (seconds to wait
# for the window, default 30), SCREENSHOT_SETTLE (seconds between mapping and capture,
# default 1).
# Missing tools (Xvfb, xdotool, ImageMagick's import) are installed with apt-get, through
# sudo when not root.
set -euo pipefail
cd "$(dirname "$0")/.."

output="${1:-docs/screenshot.png}"
binary="${TARVEX_BIN:-build/tarvex}"
title="${TARVEX_TITLE:-^Tarvex}"
wait_seconds="${SCREENSHOT_TIMEOUT:-30}"
settle="${SCREENSHOT_SETTLE:-1}"

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

# --- tools ---------------------------------------------------------------------------
# command -> Debian package. import is looked up in /usr/bin: another "convert" or
# "import" earlier in PATH may not be ImageMagick.
declare -A tools=([/usr/bin/Xvfb]=xvfb [/usr/bin/xdotool]=xdotool [/usr/bin/import]=imagemagick)
missing=()
for t in "${!tools[@]}"; do
  [ -x "$t" ] || missing+=("${tools[$t]}")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

# --- build ---------------------------------------------------------------------------
if [ -z "${TARVEX_BIN:-}" ]; then
  if [ -f build/CMakeCache.txt ]; then
    cmake --build build --target tarvex
  else
    ./setup.sh build
  fi
fi
if [ ! -x "$binary" ]; then
  echo "screenshot: $binary was not built" >&2
  exit 1
fi

# --- virtual display -----------------------------------------------------------------
work="$(mktemp -d)"
xvfb_pid=""
app_pid=""
cleanup() {
  if [ -n "$app_pid" ]; then kill "$app_pid" 2>/dev/null || true; wait "$app_pid" 2>/dev/null || true; fi
  if [ -n "$xvfb_pid" ]; then kill "$xvfb_pid" 2>/dev/null || true; wait "$xvfb_pid" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# Xvfb picks a free display number itself and writes it to file descriptor 3.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$work/display" ] && break
  if ! kill -0 "$xvfb_pid" 2>/dev/null; then
    echo "screenshot: Xvfb did not start:" >&2; cat "$work/xvfb.log" >&2; exit 1
  fi
  sleep 0.1
done
[ -s "$work/display" ] || { echo "screenshot: Xvfb gave no display number" >&2; exit 1; }
export DISPLAY=":$(head -n1 "$work/display")"

# --- the window ----------------------------------------------------------------------
# A UTF-8 locale keeps Qt from complaining about the C locale; an explicit one is kept.
if [ -z "${LC_ALL:-}${LANG:-}" ]; then export LANG=C.UTF-8; fi
export QT_QPA_PLATFORM=xcb
export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
"$binary" >"$work/app.log" 2>&1 &
app_pid=$!

window=""
deadline=$((SECONDS + wait_seconds))
while [ "$SECONDS" -lt "$deadline" ]; do
  if ! kill -0 "$app_pid" 2>/dev/null; then
    echo "screenshot: $binary exited before showing its window:" >&2; cat "$work/app.log" >&2; exit 1
  fi
  # --onlyvisible: the window is mapped (viewable), not merely created.
  window="$(xdotool search --onlyvisible --name "$title" 2>/dev/null | head -n1 || true)"
  [ -n "$window" ] && break
  sleep 0.2
done
if [ -z "$window" ]; then
  echo "screenshot: no visible window whose title matches '$title' after ${wait_seconds}s" >&2
  cat "$work/app.log" >&2
  exit 1
fi
sleep "$settle"   # let the first paint finish

mkdir -p "$(dirname "$output")"
/usr/bin/import -window "$window" -strip "png:$output"
echo "screenshot: window \"$(xdotool getwindowname "$window")\" -> $output ($(/usr/bin/identify -format '%wx%h' "$output"))"
