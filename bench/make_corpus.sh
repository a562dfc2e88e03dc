#!/usr/bin/env bash
# Builds the benchmark corpora by repeating the plain English sample files:
#   $ROOT/big   about BENCH_MB megabytes in 10 big files
#   $ROOT/many  the same text in about 1000 files
#   $ROOT/small about 100 MB in 4 files
# Every third megabyte carries one sentence with the word "zebra", which the
# samples never use: a rare mask with a few hundred hits per gigabyte.
# A corpus already there with the right size is kept.
set -euo pipefail
root=$1
mb=${BENCH_MB:-1024}
here=$(cd "$(dirname "$0")/.." && pwd)
mapfile -t samples < <(ls "$here"/samples/*.txt | grep -viE 'dos|tagged')
[ ${#samples[@]} -gt 0 ] || { echo "no sample texts" >&2; exit 1; }
mkdir -p "$root"
chunk=$root/.chunk
rare=$root/.chunk-rare
layout=2  # bump when the way the corpora are made changes
if [ "$(cat "$root/.layout" 2>/dev/null)" != "$layout" ]; then
  rm -rf "$root/big" "$root/many" "$root/small" "$chunk" "$rare"
  echo "$layout" > "$root/.layout"
fi
if [ ! -s "$chunk" ]; then
  # About 1 MB of the samples, repeated whole.
  : > "$chunk"
  while [ "$(stat -c %s "$chunk")" -lt 1048576 ]; do cat "${samples[@]}" >> "$chunk"; done
  { printf 'Near the gate a zebra stood quite still.\n'; cat "$chunk"; } > "$rare"
fi
megabyte=0
fill() {  # fill DIR FILES TOTAL_MB
  local dir=$1 files=$2 total=$3
  local want=$((total * 1024 * 1024 * 9 / 10))
  if [ -d "$dir" ] && [ "$(du -sb "$dir" | cut -f1)" -ge "$want" ] \
      && [ "$(ls "$dir" | wc -l)" -eq "$files" ]; then return; fi
  rm -rf "$dir"; mkdir -p "$dir"
  local bytes=$((total * 1048576 / files))
  local copies=$((bytes / 1048576 + 1))
  set +o pipefail  # head ends the copies early
  for ((f = 1; f <= files; f++)); do
    # Whole copies of the chunk, cut to the file's share of the total.
    for ((k = 0; k < copies; k++)); do
      if (( (megabyte + k) % 3 == 0 )); then cat "$rare"; else cat "$chunk"; fi
    done | head -c "$bytes" \
      > "$(printf '%s/text%04d.txt' "$dir" "$f")"
    megabyte=$((megabyte + copies))
  done
}
fill "$root/big" 10 "$mb"
fill "$root/many" 1000 "$mb"
fill "$root/small" 4 100
