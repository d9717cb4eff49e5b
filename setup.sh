#!/usr/bin/env bash
# Installs what is missing on a Debian or Ubuntu machine, builds into build/, then starts
# the calculator (run) or runs every test (test).
#
#   ./setup.sh run     builds what the window needs (and tarvex-replay), then starts it
#   ./setup.sh test    also builds the tests, the sanitized stress test, the benchmarks and
#                      the web version, installs the packaging validators, chromium and the
#                      browser tests' npm packages, and runs every test
#   ./setup.sh build   as run, without starting anything
#   ./setup.sh web [PORT]  builds the web version into build-web/ (the manual's PDF from
#                      build/) and serves build-web/site on 127.0.0.1:PORT (8000)
#
# Installing needs root: the script uses sudo when it is not root and sudo exists;
# otherwise it prints the commands to run as root and exits with status 1.
set -euo pipefail
cd "$(dirname "$0")"

action="${1:-run}"
case "$action" in run|test|build|web) ;; *) echo "usage: $0 [run|test|build|web [PORT]]" >&2; exit 2 ;; esac
port="${2:-8000}"
if [ "$action" = web ] && ! [[ "$port" =~ ^[0-9]+$ ]]; then echo "usage: $0 web [PORT]" >&2; exit 2; fi

# What the window needs: the compiler, CMake and Ninja, Qt 6 and its French translations
# (Qt's own dialogs), the font the window is drawn for, and the fonts the manual is laid out
# in.
packages=(g++ cmake ninja-build qt6-base-dev qt6-translations-l10n fonts-liberation2
          fonts-dejavu-core)
if [ "$action" = test ]; then
  # The tests; the locales package for the comma-decimal runs; the validators and lintian
  # of the packaging tests, with dpkg-shlibdeps (dpkg-dev) and file for the package's
  # dependencies; the screen reader Orca and what the test that listens to it runs it in
  # (a private X server, xdotool for the keys, the accessibility and session buses, a
  # window manager).
  packages+=(libgtest-dev nlohmann-json3-dev locales
             desktop-file-utils appstream lintian dpkg-dev file
             orca xvfb xdotool at-spi2-core dbus openbox)
fi
if [ "$action" = test ] || [ "$action" = web ]; then
  # The web version: Debian's Emscripten (it brings node); to serve it, Python's web server;
  # to test it, chromium, and npm for the browser tests' driver.
  packages+=(emscripten)
  if [ "$action" = web ]; then packages+=(python3); fi
  if [ "$action" = test ]; then
    packages+=(chromium)
    command -v npm >/dev/null 2>&1 || packages+=(npm)
  fi
fi

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
need_locale=false
if [ "$action" = test ] && ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
  need_locale=true
fi

# Root commands, as they are printed when they cannot be run from here.
apt_line="apt-get update && apt-get install -y --no-install-recommends ${missing[*]}"
locale_line="echo 'fr_FR.UTF-8 UTF-8' >> /etc/locale.gen && locale-gen"

as_root=()
if [ "${#missing[@]}" -gt 0 ] || $need_locale; then
  problem=""
  if [ "${#missing[@]}" -gt 0 ] && ! command -v apt-get >/dev/null 2>&1; then
    problem="this script installs with apt-get (Debian, Ubuntu), which is missing; install the same packages with your system's tools"
  elif [ "$(id -u)" -ne 0 ]; then
    if command -v sudo >/dev/null 2>&1; then
      as_root=(sudo)
    else
      problem="installing what is missing needs root, and sudo is not available"
    fi
  fi
  if [ -n "$problem" ]; then
    {
      echo "setup.sh: $problem. Run as root:"
      echo
      [ "${#missing[@]}" -eq 0 ] || echo "  $apt_line"
      ! $need_locale || echo "  $locale_line"
      echo
      echo "then $0 $action again."
    } >&2
    exit 1
  fi
fi

if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${as_root[@]}" apt-get update
  "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive \
    apt-get install -y --no-install-recommends "${missing[@]}"
fi

if $need_locale; then
  # The tests run the scenarios once more under a comma-decimal locale.
  echo "Generating the fr_FR.UTF-8 locale (in /etc/locale.gen)"
  if [ -f /etc/locale.gen ]; then
    "${as_root[@]}" sed -i 's/^# *\(fr_FR\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
  fi
  grep -qs '^fr_FR\.UTF-8 UTF-8' /etc/locale.gen ||
    echo 'fr_FR.UTF-8 UTF-8' | "${as_root[@]}" tee -a /etc/locale.gen >/dev/null
  "${as_root[@]}" locale-gen
fi

if [ "$action" = test ]; then
  # The browser tests' driver, at the versions of tests/web/package-lock.json; without it
  # they say why and are skipped.
  cache="$PWD/build/npm-cache" # npm's downloads, inside the clone
  (cd tests/web && npm ci --ignore-scripts --no-audit --no-fund --cache "$cache") ||
    echo "setup.sh: npm ci failed in tests/web: the browser tests will be skipped" >&2
fi

if [ "$action" = test ]; then extras=ON; else extras=OFF; fi
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTARVEX_TESTS=$extras -DTARVEX_SANITIZERS=$extras -DTARVEX_BENCHMARKS=$extras
if [ "$action" = web ]; then
  # The manual's PDF is laid out by the native build; the rest is Emscripten's.
  cmake --build build --parallel "$(nproc)" --target tarvex_manuel_pdf
  emcmake cmake -S . -B build-web -G Ninja -DTARVEX_MANUEL_PDF="$PWD/build/manuel/manuel.pdf"
  cmake --build build-web --parallel "$(nproc)"
  echo
  echo "Tarvex in the browser: http://127.0.0.1:$port/ (Ctrl+C stops the server)."
  echo "The folder build-web/site is the whole web version: any static web host serves it."
  exec python3 -m http.server --bind 127.0.0.1 --directory build-web/site "$port"
fi
cmake --build build --parallel "$(nproc)"

case "$action" in
  run)
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
      exec build/tarvex
    fi
    echo "No display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is set)."
    echo "Instead, a short calculation played without a window (docs/demo.replay):"
    echo "each key, and what the calculator's display shows after it."
    echo
    build/tarvex-replay --journal docs/demo.replay
    ;;
  test)
    ctest --test-dir build --output-on-failure --parallel "$(nproc)"
    ;;
esac
