#!/usr/bin/env bash
# Renders the application icon, packaging/org.example.tarvex.svg, into the PNG sizes that the
# hicolor theme and the window use (packaging/icons/NxN/org.example.tarvex.png). The PNG files
# are committed: run this after changing the SVG, and commit what it writes.
# Needs rsvg-convert (Debian package librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/.."

svg=packaging/org.example.tarvex.svg
for taille in 16 32 48 64 128 256; do
  dossier="packaging/icons/${taille}x${taille}"
  mkdir -p "$dossier"
  rsvg-convert --width "$taille" --height "$taille" "$svg" --output "$dossier/org.example.tarvex.png"
done
echo "icons written under packaging/icons/"
