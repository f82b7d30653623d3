#!/usr/bin/env bash
# Runs clang-tidy with the repository's .clang-tidy on every C++ source of the debug build (two at a time),
# leaving out what moc and the other generators write. Exits non-zero on any finding.
# Usage: scripts/run-clang-tidy.sh [file-regex]   (configures the debug build first when it is missing)
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/debug
if [[ ! -f "$build/compile_commands.json" ]]; then
  cmake --preset debug >/dev/null
fi
# Sources that include moc's output (tests with Q_OBJECT in the .cpp) need it generated: build first.
cmake --build --preset debug >/dev/null

# Sources of the repository only: not the build tree's generated files (moc_*, *_autogen, qrc_*).
filter="${1:-.*}"
files=$(git ls-files '*.cpp' | grep -E -- "$filter" || true)
if [[ -z "$files" ]]; then
  echo "no source matches $filter" >&2
  exit 1
fi

if command -v run-clang-tidy >/dev/null; then
  # run-clang-tidy takes regular expressions over the database's absolute file names.
  regex=$(printf '%s\n' $files | sed -e "s|^|^$PWD/|" -e 's|[.]|[.]|g' -e 's|$|$|' | paste -sd'|')
  run-clang-tidy -quiet -j 2 -p "$build" "$regex"
else
  status=0
  for file in $files; do
    clang-tidy --quiet -p "$build" "$file" || status=1
  done
  exit $status
fi
