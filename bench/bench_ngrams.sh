#!/usr/bin/env bash
# N-gram lists (lexvane-cli ngrams) against the word list (lexvane-cli
# wordfreq) of the same files in the same run: bigrams of the 100 MB corpus
# ($CORPUS_SMALL_DIR, goal: at most 2 x the word list's time), trigrams with
# minimum frequency 5 of the large corpus ($CORPUS_DIR, BENCH_MB; goal: at
# most 4 x the word list's time, within 8 GB), and the same trigrams of a
# generated large-vocabulary corpus, whose n-grams are nearly all distinct:
# there the minimum frequency must bound the memory (a hashed first pass,
# then an exact count of the n-grams that may pass it).
# Medians of BENCH_RUNS runs of wall and CPU time, as ratios; peak resident
# memory of each.
# Called by bench/run.sh with BUILD_DIR, CORPUS_DIR and CORPUS_SMALL_DIR set.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
BUILD_DIR=${BUILD_DIR:-build}
CORPUS_DIR=${CORPUS_DIR:?set CORPUS_DIR (bench/run.sh does)}
CORPUS_SMALL_DIR=${CORPUS_SMALL_DIR:?set CORPUS_SMALL_DIR (bench/run.sh does)}
runs=${BENCH_RUNS:-5}
mb=${BENCH_MB:-1024}
cli=$BUILD_DIR/src/cli/lexvane-cli

vocab=$(mktemp -d "${TMPDIR:-/tmp}/lexvane-ngram-vocab.XXXXXX")
trap 'rm -rf "$vocab"' EXIT
echo "Generating the large-vocabulary corpus ($mb MB) in $vocab ..."
"$BUILD_DIR/bench/make_vocab_corpus" "$vocab" "$mb" 8 3000000

printf '%-10s %5s %-11s %8s %8s %8s %8s %8s %8s %9s\n' corpus MB n-grams 'words s' \
  'n-gram s' 'wall n/w' 'cpu n/w' 'peak MB' 'w MB' kept
# row NAME DIR LABEL NGRAM-OPTIONS...
row() {
  local name=$1 dir=$2 label=$3
  shift 3
  local files=("$dir"/*.txt)
  cat "${files[@]}" > /dev/null
  local words ngrams peak_words peak_ngrams kept
  words=$(median_times "$runs" "$cli" wordfreq "${files[@]}" -o /dev/null)
  ngrams=$(median_times "$runs" "$cli" ngrams "${files[@]}" "$@" -o /dev/null)
  peak_words=$(peak_kb "$cli" wordfreq "${files[@]}" -o /dev/null)
  peak_ngrams=$(peak_kb "$cli" ngrams "${files[@]}" "$@" -o /dev/null)
  kept=$("$cli" ngrams "${files[@]}" "$@" --words-only 2> /dev/null | wc -l)
  local w_wall=${words% *} w_cpu=${words#* } n_wall=${ngrams% *} n_cpu=${ngrams#* }
  printf '%-10s %5s %-11s %8.2f %8.2f %8s %8s %8s %8s %9s\n' "$name" "$(corpus_mb "$dir")" \
    "$label" "$w_wall" "$n_wall" "$(ratio "$n_wall" "$w_wall")" "$(ratio "$n_cpu" "$w_cpu")" \
    $((peak_ngrams / 1024)) $((peak_words / 1024)) "$kept"
}
row small "$CORPUS_SMALL_DIR" "2" -n 2
row big "$CORPUS_DIR" "3, min f 5" -n 3 --min-freq 5
row big "$CORPUS_DIR" "2-4" -n 2-4
row vocabulary "$vocab" "3, min f 5" -n 3 --min-freq 5
echo
echo "Goals: small 2 at most 2.00 x the word list; big 3 (min f 5, 1 GB) at most 4.00 x,"
echo "within 8 GB. The vocabulary row's memory follows the n-grams kept, not the corpus."
echo "(w MB: the word list's peak; kept: the n-grams written.)"
