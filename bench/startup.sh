#!/usr/bin/env bash
# Start-up benchmark: exec to the first window of handvise2, cadencer and a bare Qt window (a QLabel in a
# QApplication, built in the tree), under an Xvfb server and a session bus of their own, the three taking
# turns run after run.
# Prints each program's median time to its window being mapped and to its first pixels, with the ratios to
# the bare window's. Usage: bench/startup.sh [runs (default 12)] [build folder (default build/release)].
# QT_SCALE_FACTOR in the environment is passed on.
set -euo pipefail
cd "$(dirname "$0")/.."
runs="${1:-12}"
build="${2:-build/release}"
bin="$build/bin"
for program in startup_probe startup_bare_window handvise2 cadencer; do
  [[ -x "$bin/$program" ]] || { echo "$bin/$program is missing: build the release preset first" >&2; exit 1; }
done

# Private runtime and configuration folders: no launcher settings of the user's, no shared sockets.
private=$(mktemp -d)
chmod 700 "$private"
xvfb=""
bus=""
cleanup() {
  [[ -n "$xvfb" ]] && kill "$xvfb" 2>/dev/null && wait "$xvfb" 2>/dev/null
  [[ -n "$bus" ]] && kill "$bus" 2>/dev/null
  rm -rf "$private"
}
trap cleanup EXIT

# Xvfb picks a free display itself and writes its number once it accepts connections.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$private/display" 2>/dev/null &
xvfb=$!
for _ in $(seq 200); do [[ -s "$private/display" ]] && break; sleep 0.05; done
[[ -s "$private/display" ]] || { echo "Xvfb did not start" >&2; exit 1; }

export DISPLAY=":$(cat "$private/display")" XDG_RUNTIME_DIR="$private" XDG_CONFIG_HOME="$private/config"
unset QT_QPA_PLATFORM WAYLAND_DISPLAY
# A session bus of its own, as a desktop has: without one, each program spends its start trying to
# launch one. The bus picks a fresh socket itself.
unset DBUS_SESSION_BUS_ADDRESS
if command -v dbus-daemon >/dev/null; then
  { read -r address && read -r bus; } < <(dbus-daemon --session --fork --print-address=1 --print-pid=1)
  export DBUS_SESSION_BUS_ADDRESS="$address"
else
  echo "dbus-daemon is not installed: the programs start without a session bus" >&2
fi
"$bin/startup_probe" "$runs" bare="$bin/startup_bare_window" handvise2="$bin/handvise2" cadencer="$bin/cadencer"
