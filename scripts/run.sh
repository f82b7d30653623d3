#!/usr/bin/env bash
# Installs what is missing, builds the release build and starts a program (handvise2 unless named).
set -euo pipefail
cd "$(dirname "$0")/.."

program="${1:-handvise2}"
scripts/install-deps.sh
cmake --preset release >/dev/null
cmake --build --preset release --target "$program"
exec "build/release/bin/$program"
