#!/usr/bin/env bash
# Runs every fuzz target built in BUILD_DIR (or the TARGETs named) for
# SECONDS each, from the seed corpus kept in
# fuzz/corpus/<target> plus what earlier runs found (BUILD_DIR/fuzz-corpus),
# FUZZ_JOBS targets at a time (default: one per processor).
# A crash, a failed check or a sanitizer report fails the run; the input that
# caused it is kept as BUILD_DIR/fuzz-artifacts/<target>-crash-*.
# Usage: fuzz/run.sh BUILD_DIR SECONDS [TARGET...]
set -euo pipefail
build=$1
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
jobs=${FUZZ_JOBS:-$(nproc)}
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  # Every fuzz target the build made.
  for binary in "$build"/fuzz/fuzz_*; do
    [ -f "$binary" ] && [ -x "$binary" ] && targets+=("${binary##*/fuzz_}")
  done
  if [ ${#targets[@]} -eq 0 ]; then
    echo "no fuzz targets in $build/fuzz" >&2
    exit 1
  fi
fi
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
mkdir -p "$build/fuzz-artifacts"

# One target; its log goes to fuzz-artifacts/<target>.log.
fuzz_one() {
  local target=$1
  local found="$build/fuzz-corpus/$target"
  local log="$build/fuzz-artifacts/$target.log"
  mkdir -p "$found"
  if "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
      -max_len=8192 -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$target-" \
      "$found" "$here/corpus/$target" 2>"$log"; then
    echo "== fuzz_$target: $seconds s, passed"
    grep -E '^stat::number_of_executed_units' "$log" | tail -n 1 || true
  else
    echo "== fuzz_$target FAILED:"
    tail -n 60 "$log"
    return 1
  fi
}

status=0
running=0
for target in "${targets[@]}"; do
  if [ "$running" -ge "$jobs" ]; then
    wait -n || status=1
    running=$((running - 1))
  fi
  fuzz_one "$target" &
  running=$((running + 1))
done
while [ "$running" -gt 0 ]; do
  wait -n || status=1
  running=$((running - 1))
done
exit $status
