#!/usr/bin/env bash
# Fails, naming the places, when a tracked C++ file differs from what clang-format makes of it with the
# repository's .clang-format. Fast: it only reads. `clang-format -i FILE` fixes a file it names.
set -euo pipefail
cd "$(dirname "$0")/.."

if ! command -v clang-format >/dev/null; then
  echo "clang-format is not installed (scripts/install-deps.sh installs it)" >&2
  exit 1
fi
git ls-files -z '*.cpp' '*.h' | xargs -0 -r clang-format --dry-run --Werror
echo "clang-format: every tracked C++ file is formatted"
