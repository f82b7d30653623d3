#!/usr/bin/env bash
# Runs a command in a Wayland session of its own: a headless weston on a socket in a private runtime
# folder (mode 0700), so runs side by side never meet, and stopped afterwards whatever the command did.
# Usage: run-under-weston.sh command [arguments...]   Exit code: the command's; 77 (skip) without weston.
set -euo pipefail

if ! command -v weston >/dev/null; then
  echo "weston is not installed (scripts/install-deps.sh installs it)"
  exit 77
fi

runtime=$(mktemp -d "${TMPDIR:-/tmp}/handvise-wayland.XXXXXX")
chmod 700 "$runtime"
socket=handvise-test
XDG_RUNTIME_DIR="$runtime" weston --no-config --backend=headless-backend.so --socket="$socket" --idle-time=0 --width=1280 \
  --height=1024 >"$runtime/weston.log" 2>&1 &
weston=$!
cleanup() {
  kill "$weston" 2>/dev/null || true
  wait "$weston" 2>/dev/null || true
  rm -rf "$runtime"
}
trap cleanup EXIT

for _ in $(seq 100); do
  [[ -S $runtime/$socket ]] && break
  kill -0 "$weston" 2>/dev/null || { cat "$runtime/weston.log"; exit 1; }
  sleep 0.1
done
[[ -S $runtime/$socket ]] || { echo "weston did not start"; cat "$runtime/weston.log"; exit 1; }

# Every warning of the Wayland platform plugin counts here: none is silenced.
status=0
env -u QT_LOGGING_RULES -u DISPLAY XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY="$socket" \
  QT_QPA_PLATFORM=wayland "$@" || status=$?
exit "$status"
