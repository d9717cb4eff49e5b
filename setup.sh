#!/usr/bin/env bash
# Installs what is missing on a Debian or Ubuntu machine, builds into build/, then either
# starts the calculator (run) or runs every test (test).
set -euo pipefail
cd "$(dirname "$0")"

action="${1:-run}"
case "$action" in run|test|build) ;; *) echo "usage: $0 [run|test|build]" >&2; exit 2 ;; esac

sudo_cmd=()
if [ "$(id -u)" -ne 0 ]; then sudo_cmd=(sudo); fi

packages=(g++ cmake ninja-build qt6-base-dev libgtest-dev nlohmann-json3-dev locales fonts-liberation2 fonts-dejavu-core)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ "${#missing[@]}" -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  "${sudo_cmd[@]}" apt-get update
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
fi

if [ "$action" = test ] && ! locale -a 2>/dev/null | grep -qi '^fr_FR\.utf-\?8$'; then
  # The tests run the scenarios once more under a comma-decimal locale.
  echo "Generating the fr_FR.UTF-8 locale"
  if [ -f /etc/locale.gen ]; then
    "${sudo_cmd[@]}" sed -i 's/^# *\(fr_FR\.UTF-8 UTF-8\)/\1/' /etc/locale.gen
    grep -q '^fr_FR\.UTF-8 UTF-8' /etc/locale.gen || echo 'fr_FR.UTF-8 UTF-8' | "${sudo_cmd[@]}" tee -a /etc/locale.gen >/dev/null
    "${sudo_cmd[@]}" locale-gen
  else
    "${sudo_cmd[@]}" locale-gen fr_FR.UTF-8
  fi
fi

cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build --parallel "$(nproc)"

case "$action" in
  run)
    if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
      exec build/tarvex
    fi
    echo "No display to show the window on: here is a demonstration through tarvex-replay instead."
    echo "Keys: $(grep -v '^#' docs/demo.replay | tr '\n' ' ')"
    build/tarvex-replay docs/demo.replay
    ;;
  test)
    ctest --test-dir build --output-on-failure --parallel "$(nproc)"
    ;;
esac
