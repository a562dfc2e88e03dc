#!/usr/bin/env bash
# Runs every fuzz target for SECONDS each, from the seed corpus kept in
# fuzz/corpus/<target> plus what earlier runs found (BUILD_DIR/fuzz-corpus).
# A crash, a failed check or a sanitizer report fails the run; the input that
# caused it is kept as BUILD_DIR/fuzz-artifacts/<target>-crash-*.
# Usage: fuzz/run.sh BUILD_DIR SECONDS [TARGET...]
set -euo pipefail
build=$1
seconds=$2
shift 2
here=$(cd "$(dirname "$0")" && pwd)
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(ini list_files search_files scanner concord retrieve)
fi
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-halt_on_error=1:print_stacktrace=1}
mkdir -p "$build/fuzz-artifacts"
status=0
for target in "${targets[@]}"; do
  found="$build/fuzz-corpus/$target"
  mkdir -p "$found"
  echo "== fuzz_$target: $seconds s"
  if ! "$build/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
      -max_len=8192 -print_final_stats=1 -artifact_prefix="$build/fuzz-artifacts/$target-" \
      "$found" "$here/corpus/$target" 2>"$build/fuzz-artifacts/$target.log"; then
    echo "fuzz_$target FAILED:"
    tail -n 60 "$build/fuzz-artifacts/$target.log"
    status=1
  else
    grep -E '^stat::number_of_executed_units|^#[0-9]+.*DONE' "$build/fuzz-artifacts/$target.log" | tail -n 2 || true
  fi
done
exit $status
