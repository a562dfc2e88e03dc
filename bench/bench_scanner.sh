#!/usr/bin/env bash
# The text scanner against `LC_ALL=C wc -w` over the same files in the same
# run, both on one core; medians of BENCH_RUNS runs. Goal: ratio >= 3.
# Speeds are taken by processor time (user + system), which a busy machine
# does not distort; wall-clock speeds are shown beside them.
#   BUILD_DIR   the build folder (scanner_throughput from the bench_tools target)
#   CORPUS_DIR  a folder of text files, 100 MB or more
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
runs=${BENCH_RUNS:-5}
tool=$BUILD_DIR/bench/scanner_throughput
[ -x "$tool" ] || { echo "missing $tool: build the bench_tools target" >&2; exit 1; }
shopt -s nullglob
files=("$CORPUS_DIR"/*)
[ ${#files[@]} -gt 0 ] || { echo "no files in $CORPUS_DIR" >&2; exit 1; }
bytes=$(cat "${files[@]}" | wc -c)
pin=()
if command -v taskset > /dev/null; then pin=(taskset -c 0); fi

mbs() { echo "scale=1; $bytes / $1 / 1000000" | bc -l; }

echo "corpus: ${#files[@]} files, $((bytes / 1000000)) MB in $CORPUS_DIR"
scanner_line=$("${pin[@]}" "$tool" --runs "$runs" "${files[@]}")
scanner_cpu=$(sed -n 's|^scanner: \([0-9.]*\) MB/s cpu.*|\1|p' <<< "$scanner_line")
scanner_wall=$(sed -n 's|.*, \([0-9.]*\) MB/s wall.*|\1|p' <<< "$scanner_line")
read -r wc_wall wc_cpu < <(median_times "$runs" "${pin[@]}" env LC_ALL=C wc -w "${files[@]}")
echo "$scanner_line"
echo "wc -w: $(mbs "$wc_cpu") MB/s cpu ($wc_cpu s), $(mbs "$wc_wall") MB/s wall ($wc_wall s), median of $runs runs"
echo "ratio scanner / wc -w: $(ratio "$scanner_cpu" "$(mbs "$wc_cpu")") by processor time," \
  "$(ratio "$scanner_wall" "$(mbs "$wc_wall")") by wall time (goal: 3 or more)"
