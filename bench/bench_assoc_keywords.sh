#!/usr/bin/env bash
# Association measures and keyword lists, as ratios of one run:
# - the seven measures applied to a collocate table, once the corpus's word
#   counts exist, against the table's own build (goal: at most 0.10), on
#   the big corpus and, as a worst case, on a table of some 300 000 rows
#   over a vocabulary of 300 000 generated words;
# - a keyword list of the big corpus against a reference of about
#   BENCH_REFERENCE_MB megabytes (default 100, generated with a vocabulary
#   of its own) against the two word lists built alone (goal: at most 1.2).
# Called by bench/run.sh with BUILD_DIR and CORPUS_DIR set.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
BUILD_DIR=${BUILD_DIR:-build}
CORPUS_DIR=${CORPUS_DIR:?set CORPUS_DIR (bench/run.sh does)}
runs=${BENCH_RUNS:-5}
reference_mb=${BENCH_REFERENCE_MB:-100}
files=("$CORPUS_DIR"/*.txt)

echo "Association measures on the collocate table of house and walk* (max 100000 rows):"
"$BUILD_DIR/bench/assoc_phases" --runs "$runs" "house" "${files[@]}"
"$BUILD_DIR/bench/assoc_phases" --runs "$runs" "walk*" "${files[@]}"

reference=$(mktemp -d "${TMPDIR:-/tmp}/lexvane-reference.XXXXXX")
trap 'rm -rf "$reference"' EXIT
echo
echo "Generating the reference corpus ($reference_mb MB) in $reference ..."
"$BUILD_DIR/bench/make_vocab_corpus" "$reference" "$reference_mb" 4 300000
echo "Association measures on the collocate table of b* in the reference corpus:"
"$BUILD_DIR/bench/assoc_phases" --runs "$runs" "b*" "$reference"/*.txt
{
  printf '[File list]\r\n'
  n=0
  for f in "$reference"/*.txt; do n=$((n + 1)); printf 'File%d=%s\r\n' "$n" "$f"; done
  printf '[Scan]\r\nIgnoreCapital=1\r\n'
} > "$reference/reference.CTL"
cat "${files[@]}" "$reference"/*.txt > /dev/null
echo "Keyword list of $(corpus_mb "$CORPUS_DIR") MB against $reference_mb MB:"
"$BUILD_DIR/bench/keyword_phases" --runs "$(( runs < 3 ? runs : 3 ))" \
  "$reference/reference.CTL" "${files[@]}"
