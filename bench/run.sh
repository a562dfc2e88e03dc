#!/usr/bin/env bash
# make bench: the engine against classic command-line tools on the same files,
# in the same run; figures are medians, reported as ratios.
#   BENCH_MB    size of the large corpora in MB (default 1024)
#   BENCH_ROOT  where the corpora are built (default /tmp/lexvane-bench)
#   BENCH_RUNS  runs per figure (default 5)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
export BUILD_DIR=$(cd "${1:-build}" && pwd)
export BENCH_ROOT=${BENCH_ROOT:-/tmp/lexvane-bench}
export BENCH_RUNS=${BENCH_RUNS:-5}
echo "Building the benchmark corpora in $BENCH_ROOT ..."
"$here/make_corpus.sh" "$BENCH_ROOT"
export CORPUS_DIR=$BENCH_ROOT/big
export CORPUS_MANY_DIR=$BENCH_ROOT/many
export CORPUS_SMALL_DIR=$BENCH_ROOT/small
cat "$CORPUS_DIR"/*.txt > /dev/null  # warm the cache
for script in "$here"/bench_*.sh; do
  [ -e "$script" ] || continue
  echo
  echo "== $(basename "$script" .sh) =="
  bash "$script"
done
