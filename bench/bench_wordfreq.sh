#!/usr/bin/env bash
# Word frequency list (lexvane-cli wordfreq) against the classic pipeline
#   LC_ALL=C tr -cs 'A-Za-z' '\n' | tr A-Z a-z | sort | uniq -c | sort -rn
# and LC_ALL=C wc -w on the same files in the same run: the repeated samples
# ($CORPUS_DIR) and a generated large-vocabulary corpus of the same size.
# Medians of BENCH_RUNS runs (the pipeline: at most 3), as ratios; peak
# memory per word type; and the ordering of a million types by collation keys.
# Goals for the large-vocabulary gigabyte: at most 0.4 x the wc -w time
# (lex/wc), at most 100 bytes of peak memory per type.
# Called by bench/run.sh with BUILD_DIR and CORPUS_DIR set.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
BUILD_DIR=${BUILD_DIR:-build}
CORPUS_DIR=${CORPUS_DIR:?set CORPUS_DIR (bench/run.sh does)}
runs=${BENCH_RUNS:-5}
pipeline_runs=$(( runs < 3 ? runs : 3 ))
mb=${BENCH_MB:-1024}
cli=$BUILD_DIR/src/cli/lexvane-cli

vocab=$(mktemp -d "${TMPDIR:-/tmp}/lexvane-vocab.XXXXXX")
trap 'rm -rf "$vocab"' EXIT
echo "Generating the large-vocabulary corpus ($mb MB) in $vocab ..."
"$BUILD_DIR/bench/make_vocab_corpus" "$vocab" "$mb" 8 3000000

pipeline() {
  cat "$@" | LC_ALL=C tr -cs 'A-Za-z' '\n' | LC_ALL=C tr A-Z a-z | LC_ALL=C sort \
    | LC_ALL=C uniq -c | LC_ALL=C sort -rn
}
export -f pipeline

printf '%-14s %6s %9s %9s %9s %8s %9s %8s %8s %9s\n' corpus MB types lexvane pipeline 'wc -w' \
  'pipe/lex' 'lex/wc' 'peak MB' 'B/type'
for dir in "$CORPUS_DIR" "$vocab"; do
  files=("$dir"/*.txt)
  cat "${files[@]}" > /dev/null
  name=$(basename "$dir")
  [ "$dir" = "$vocab" ] && name=vocabulary
  t_lex=$(median_seconds "$runs" "$cli" wordfreq "${files[@]}" -o /dev/null)
  t_wc=$(median_seconds "$runs" env LC_ALL=C wc -w "${files[@]}")
  t_pipe=$(median_seconds "$pipeline_runs" bash -c 'pipeline "$@"' _ "${files[@]}")
  types=$("$cli" wordfreq --words-only "${files[@]}" | wc -l)
  peak=$(peak_kb "$cli" wordfreq "${files[@]}" -o /dev/null)
  printf '%-14s %6s %9s %9.2f %9.2f %9.2f %8s %9s %8s %9s\n' "$name" "$(corpus_mb "$dir")" \
    "$types" "$t_lex" "$t_pipe" "$t_wc" "$(ratio "$t_pipe" "$t_lex")" "$(ratio "$t_lex" "$t_wc")" \
    $((peak / 1024)) $((peak * 1024 / (types > 0 ? types : 1)))
done
echo
echo "Ordering 1 000 000 distinct types by collation keys (keys s, sort s, total s):"
"$BUILD_DIR/bench/order_types" 1000000
