#!/usr/bin/env bash
# Installs what is missing, builds the release and the sanitizer build, and runs every test in both.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

# Formatting first: it takes a second and needs no build.
scripts/check-format.sh

# Share compiled objects between clones of the repository (CI builds in a fresh clone each time).
export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1

# The print tests print to a CUPS-PDF queue; its server runs for the tests and stops when this script ends.
scripts/cups-test-printer.sh start
trap 'scripts/cups-test-printer.sh stop' EXIT

for preset in release asan; do
  echo "== ${preset}: configure and build =="
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  echo "== ${preset}: tests =="
  ctest --preset "$preset"
done
