#!/usr/bin/env bash
# The concordance plot and the dispersion figures: the plot of 10 000 hits
# over 1 000 files drawn (goal: well under 100 ms); what the figures add to
# a concordance build (goal: nothing measurable; the per-file word counts are
# kept during the scan, the files' sizes and the figures after it), as the
# ratio of that time to the build's; and the word list's Range and DP
# columns against the plain list (time and peak memory) on the corpus of
# many files. Medians, as ratios within this run.
#   BUILD_DIR        the build folder
#   CORPUS_DIR       the big corpus (a few files)
#   CORPUS_MANY_DIR  the same text in about 1000 files
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
runs=${BENCH_RUNS:-5}
cli=$BUILD_DIR/src/cli/lexvane-cli
phases=$BUILD_DIR/bench/concord_phases
draw=$BUILD_DIR/bench/plot_draw

if [ -x "$draw" ]; then
  "$draw" 10000 1000 "$runs"
fi

dispersion_share() {  # dispersion_share MASK DIR
  local mask=$1 dir=$2
  shopt -s nullglob
  local files=("$dir"/*.txt)
  [ ${#files[@]} -gt 0 ] || return 0
  local out scan retrieve disp
  out=$("$phases" --runs "$runs" "$mask" "${files[@]}")
  scan=$(sed -n 's/^scan: \([0-9.]*\) s wall.*/\1/p' <<< "$out")
  retrieve=$(sed -n 's/^retrieve: \([0-9.]*\) s wall.*/\1/p' <<< "$out")
  disp=$(sed -n 's/^dispersion: \([0-9.]*\) s wall.*/\1/p' <<< "$out")
  echo "concord '$mask', ${#files[@]} files: build $(echo "$scan + $retrieve" | bc -l) s," \
    "dispersion $disp s; ratio $(echo "scale=5; $disp / ($scan + $retrieve)" | bc -l)"
}
if [ -x "$phases" ]; then
  for dir in "$CORPUS_DIR" "${CORPUS_MANY_DIR:-}"; do
    [ -n "$dir" ] && [ -d "$dir" ] || continue
    dispersion_share 'zebra*' "$dir"
    dispersion_share 'walk*' "$dir"
  done
fi

if [ -n "${CORPUS_MANY_DIR:-}" ] && [ -d "$CORPUS_MANY_DIR" ]; then
  files=("$CORPUS_MANY_DIR"/*.txt)
  plain=$(median_seconds "$runs" "$cli" wordfreq "${files[@]}" -o /dev/null)
  spread=$(median_seconds "$runs" "$cli" wordfreq --range --dp "${files[@]}" -o /dev/null)
  plain_kb=$(peak_kb "$cli" wordfreq "${files[@]}" -o /dev/null)
  spread_kb=$(peak_kb "$cli" wordfreq --range --dp "${files[@]}" -o /dev/null)
  echo "wordfreq, ${#files[@]} files: plain ${plain} s, ${plain_kb} kB;" \
    "with --range --dp ${spread} s, ${spread_kb} kB;" \
    "ratios $(ratio "$spread" "$plain") time, $(ratio "$spread_kb" "$plain_kb") memory"
fi
