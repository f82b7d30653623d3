#!/usr/bin/env bash
# Takes screenshots of the real windows of both programs under Xvfb, for README and the software-centre
# entries. Usage: scripts/screenshots.sh [output folder] (default docs/screenshots). Uses the release
# build (built when missing); QT_SCALE_FACTOR=2 in the environment gives shots at scale 2.
# Needs the screenshot tools: scripts/install-deps.sh --dev.
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-docs/screenshots}"
mkdir -p "$out"

cmake --preset release >/dev/null
cmake --build --preset release --target handvise2 cadencer dspdf >/dev/null

# A display number no other X server uses.
display=90
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
xvfb=$!
runtime=$(mktemp -d)
trap 'kill "$xvfb" 2>/dev/null; rm -rf "$runtime"' EXIT
for _ in $(seq 100); do [[ -e /tmp/.X11-unix/X$display ]] && break; sleep 0.1; done

export DISPLAY=":$display" XDG_RUNTIME_DIR="$runtime" XDG_CONFIG_HOME="$runtime/config"
scale="${QT_SCALE_FACTOR:-1}"
for program in handvise2 cadencer; do
  "build/release/bin/$program" &
  pid=$!
  sleep 3
  # The whole screen, cut down to what is not the empty background.
  xwd -root -silent | convert xwd:- -trim +repage "$out/$program$([[ $scale == 1 ]] || echo "@${scale}x").png"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
ls "$out"
