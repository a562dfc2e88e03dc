#!/usr/bin/env bash
# lexvane-cli concord against `rg -c -w -i`, `LC_ALL=C wc -w` and
# `LC_ALL=C grep -c -w -i` over the same files in the same run; medians of
# BENCH_RUNS runs, wall and processor time, reported as ratios. Goals on
# this kind of machine: a scan for a rare mask (every word and sentence
# still counted) in at most 1.5 x the ripgrep time, in at most a third of the
# wc -w time; the retrieval of 10 000 sentences under 10 % of a full scan;
# peak memory independent of the corpus size.
#   BUILD_DIR        the build folder (lexvane-cli, bench/concord_phases)
#   CORPUS_DIR       about 1 GB of text in a few big files
#   CORPUS_MANY_DIR  optional: the same kind of text in many files
#   CORPUS_SMALL_DIR optional: a smaller corpus, for the memory comparison
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
runs=${BENCH_RUNS:-5}
cli=$BUILD_DIR/src/cli/lexvane-cli
phases=$BUILD_DIR/bench/concord_phases
[ -x "$cli" ] || { echo "missing $cli" >&2; exit 1; }
# make_corpus.sh puts one "zebra" sentence in every third megabyte: a rare
# mask with a few hundred hits, for which the scan reads every byte. "walk*"
# fills the table at once.
rare=${BENCH_RARE_MASK:-zebra*}
rare_grep=${BENCH_RARE_GREP:-zebra[a-z]*}
rare_rg=${BENCH_RARE_RG:-zebra\w*}
frequent=${BENCH_FREQUENT_MASK:-walk*}
# A rare mask whose first letter starts many words: the second letter
# decides which windows need a closer look.
first_letter=${BENCH_FIRST_LETTER_MASK:-tzq*}


bench_corpus() {  # bench_corpus DIR
  local dir=$1
  shopt -s nullglob
  local files=("$dir"/*.txt)
  [ ${#files[@]} -gt 0 ] || { echo "no files in $dir" >&2; return; }
  cat "${files[@]}" > /dev/null  # warm the cache
  echo "corpus: ${#files[@]} files, $(corpus_mb "$dir") MB in $dir"
  local wc_t grep_t rg_t rare_t freq_t
  wc_t=$(median_times "$runs" env LC_ALL=C wc -w "${files[@]}")
  if command -v rg > /dev/null; then
    rg_t=$(median_times "$runs" sh -c 'rg -c -w -i "$0" "$@" | cat' "$rare_rg" "${files[@]}")
  fi
  # Through a pipe: GNU grep writing to /dev/null stops at the first match.
  grep_t=$(median_times "$runs" sh -c 'LC_ALL=C grep -c -w -i "$0" "$@" | cat' "$rare_grep" \
    "${files[@]}")
  rare_t=$(median_times "$runs" "$cli" concord -m "$rare" -o /dev/null "${files[@]}")
  freq_t=$(median_times "$runs" "$cli" concord -m "$frequent" -o /dev/null "${files[@]}")
  first_t=$(median_times "$runs" "$cli" concord -m "$first_letter" -o /dev/null "${files[@]}")
  read -r wc_w wc_c <<< "$wc_t"
  read -r grep_w grep_c <<< "$grep_t"
  read -r rare_w rare_c <<< "$rare_t"
  read -r freq_w freq_c <<< "$freq_t"
  read -r first_w first_c <<< "$first_t"
  echo "wc -w:              ${wc_w} s wall, ${wc_c} s cpu"
  if [ -n "${rg_t:-}" ]; then
    read -r rg_w rg_c <<< "$rg_t"
    echo "rg -c -w -i:        ${rg_w} s wall, ${rg_c} s cpu"
  fi
  echo "grep -c -w -i:      ${grep_w} s wall, ${grep_c} s cpu"
  echo "concord '$rare':    ${rare_w} s wall, ${rare_c} s cpu"
  echo "concord '$frequent' (table of 10000): ${freq_w} s wall, ${freq_c} s cpu"
  echo "concord '$first_letter':      ${first_w} s wall, ${first_c} s cpu"
  echo "ratio rare concord / wc -w: $(ratio "$rare_w" "$wc_w") wall, $(ratio "$rare_c" "$wc_c") cpu (goal: 0.33 or less)"
  echo "ratio rare concord / grep:  $(ratio "$rare_w" "$grep_w") wall, $(ratio "$rare_c" "$grep_c") cpu (goal: 4 or less)"
  if [ -n "${rg_t:-}" ]; then
    echo "ratio rare concord / rg:    $(ratio "$rare_w" "$rg_w") wall, $(ratio "$rare_c" "$rg_c") cpu (goal: 1.5 or less)"
    echo "ratio frequent concord / rg: $(ratio "$freq_w" "$rg_w") wall, $(ratio "$freq_c" "$rg_c") cpu"
    echo "ratio '$first_letter' concord / rg: $(ratio "$first_w" "$rg_w") wall, $(ratio "$first_c" "$rg_c") cpu"
  fi
  if [ -x "$phases" ]; then
    local full retrieve
    full=$("$phases" --runs "$runs" "$rare" "${files[@]}" | sed -n 's/^scan: \([0-9.]*\) s wall.*/\1/p')
    retrieve=$("$phases" --runs "$runs" --max 10000 "$frequent" "${files[@]}" |
      sed -n 's/^retrieve: \([0-9.]*\) s wall.*/\1/p')
    echo "retrieval of 10000 sentences: ${retrieve} s wall; full scan ${full} s;" \
      "ratio $(echo "scale=3; $retrieve / $full" | bc -l) (goal: under 0.10)"
  fi
  echo "peak memory, rare concord: $(peak_kb "$cli" concord -m "$rare" -o /dev/null "${files[@]}") kB"
}

bench_corpus "$CORPUS_DIR"
if [ -n "${CORPUS_MANY_DIR:-}" ] && [ -d "$CORPUS_MANY_DIR" ]; then
  echo
  bench_corpus "$CORPUS_MANY_DIR"
fi
if [ -n "${CORPUS_SMALL_DIR:-}" ] && [ -d "$CORPUS_SMALL_DIR" ]; then
  echo
  shopt -s nullglob
  small=("$CORPUS_SMALL_DIR"/*.txt)
  echo "peak memory, rare concord, $(corpus_mb "$CORPUS_SMALL_DIR") MB corpus:" \
    "$(peak_kb "$cli" concord -m "$rare" -o /dev/null "${small[@]}") kB"
fi
