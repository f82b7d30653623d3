#!/usr/bin/env bash
# Installs what is missing, builds the release and the sanitizer build, and runs every test in both.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

for preset in release asan; do
  echo "== ${preset}: configure and build =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== ${preset}: tests =="
  ctest --preset "$preset"
done
