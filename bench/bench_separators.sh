#!/usr/bin/env bash
# Separator-only text: a sparse file of BENCH_MB megabytes of zero bytes
# (separators, like long runs of blanks or digits) with one sentence at its
# end. Every scan must stay linear in the bytes read: concord, which cuts the
# file into units for its threads, within twice the time of tokens, which
# reads it once from start to end.
#   BUILD_DIR   the build folder (lexvane-cli)
#   BENCH_ROOT  where the file is made (sparse: it takes no room on disk)
#   BENCH_MB    its size in MB (default 1024; 4097 puts the sentence past
#               2^32, and the check below then proves the scanned offsets)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
runs=${BENCH_RUNS:-5}
cli=$BUILD_DIR/src/cli/lexvane-cli
mb=${BENCH_MB:-1024}
file=${BENCH_ROOT:-/tmp/lexvane-bench}/separators-${mb}mb.txt
mkdir -p "$(dirname "$file")"
if [ ! -f "$file" ]; then
  truncate -s "${mb}M" "$file"
  printf ' A long walk.' >> "$file"
fi
echo "file: $mb MB of zero bytes, then \" A long walk.\" ($file)"
read -r tokens_w tokens_c <<< "$(median_times "$runs" "$cli" tokens "$file")"
read -r concord_w concord_c <<< "$(median_times "$runs" "$cli" concord -m walk -o /dev/null "$file")"
read -r freq_w freq_c <<< "$(median_times "$runs" "$cli" wordfreq -o /dev/null "$file")"
echo "tokens:          ${tokens_w} s wall, ${tokens_c} s cpu"
echo "wordfreq:        ${freq_w} s wall, ${freq_c} s cpu"
echo "concord -m walk: ${concord_w} s wall, ${concord_c} s cpu"
echo "ratio concord / tokens: $(ratio "$concord_w" "$tokens_w") wall (goal: 2 or less)"
# The results, checked once: "walk" at its true byte offset and the one
# concordance row.
expected=$((mb * 1048576 + 8))
got=$("$cli" tokens "$file" | awk -F'\t' '$5 == "walk" {print $2}')
row=$("$cli" concord -m walk "$file" | tr -d '\r')
if [ "$got" != "$expected" ] || [ "$row" != "A long walk . " ]; then
  echo "wrong result: walk at ${got:-nowhere} (expected $expected), row \"$row\"" >&2
  exit 1
fi
echo "checked: walk at byte offset $got, one concordance row"
