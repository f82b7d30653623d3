#!/usr/bin/env bash
# Runs every fuzz harness for a while with libFuzzer (clang, AddressSanitizer, UndefinedBehaviorSanitizer),
# under strict limits: an input may take 1 second and 512 MB at most. New inputs go to a scratch corpus
# in the build tree; crashes, timeouts and memory blow-ups are written to build/fuzz/findings/.
# A crash or a memory blow-up ends the run; a timeout is kept and the run goes on (on a busy machine an
# input can wait longer than it computes), and each kept one is timed again alone at the end.
# Usage: scripts/fuzz.sh [seconds per harness, default 60] [harness names...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift || true
harnesses=("$@")
if ((${#harnesses[@]} == 0)); then
  harnesses=(fuzz_page_pdf fuzz_page_store fuzz_numbers fuzz_credits fuzz_settings)
fi

./scripts/install-deps.sh
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz --target "${harnesses[@]}"

declare -A seeds=(
  [fuzz_page_pdf]=page [fuzz_page_store]=page
  [fuzz_numbers]=numbers [fuzz_credits]=credits [fuzz_settings]=settings)
runtime="$(mktemp -d)"
trap 'rm -rf "$runtime"' EXIT
findings="build/fuzz/findings"
mkdir -p "$findings"
status=0
for harness in "${harnesses[@]}"; do
  work="build/fuzz/corpus/$harness"
  mkdir -p "$work"
  options=()
  inputs=("$work" "tests/fuzz/corpus/${seeds[$harness]}")
  if [[ ${seeds[$harness]} == page ]]; then
    # Page inputs are kept small: a whole routine sheet takes some 50 ms under the sanitizers, and
    # mutating small pages finds more; the ordinary builds replay the whole seeds.
    options+=(-max_len=8192)
    inputs+=(tests/fuzz/repro)
  fi
  echo "== $harness: $seconds s"
  started=$(date +%s)
  if ! QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$runtime" QT_LOGGING_RULES='*=false' \
      ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
      nice "build/fuzz/tests/fuzz/$harness" -rss_limit_mb=512 -malloc_limit_mb=512 -timeout=1 -detect_leaks=0 \
      -fork=1 -ignore_timeouts=1 -ignore_ooms=0 -ignore_crashes=0 \
      -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$findings/$harness-" \
      "${options[@]}" "${inputs[@]}" 2>"build/fuzz/$harness.log"; then
    echo "   FOUND something: see build/fuzz/$harness.log and $findings/"
    status=1
  fi
  echo "   ran $(( $(date +%s) - started )) s; $(grep -E '^#[0-9]+: ' "build/fuzz/$harness.log" | tail -1)"
  for timeout in "$findings/$harness"-timeout-*; do
    [[ -e "$timeout" ]] || continue
    echo "   timeout kept: $timeout; alone: $(QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$runtime" \
      ASAN_OPTIONS=detect_leaks=0 "build/fuzz/tests/fuzz/$harness" -runs=3 "$timeout" 2>&1 | grep -oE 'in [0-9]+ ms')"
  done
done
exit $status
