#!/usr/bin/env bash
# Every shape of input costs time in proportion to its bytes: a run of zero
# bytes (separators), one word of the whole file, lines ended by carriage
# returns alone, and ordinary prose for comparison, each at BENCH_SHAPE_MB
# and four times that. For each shape and command (concord with a rare
# mask, wordfreq, tokens of the small shapes) the ratio of the two times;
# goal: about 4 (linear), at most 5.
#   BUILD_DIR       the build folder (lexvane-cli)
#   BENCH_ROOT      where the files are made
#   BENCH_SHAPE_MB  the smaller size in MB (default 64)
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"
runs=${BENCH_RUNS:-5}
cli=$BUILD_DIR/src/cli/lexvane-cli
mb=${BENCH_SHAPE_MB:-64}
dir=${BENCH_ROOT:-/tmp/lexvane-bench}/shapes
mkdir -p "$dir"

make_shape() {  # make_shape NAME MB: the file of that shape and size
  local name=$1 size=$(($2 * 1048576)) file="$dir/$1-$2mb.txt"
  if [ ! -f "$file" ]; then
    case $name in
      zeros) head -c "$size" /dev/zero > "$file" ;;
      word) head -c "$size" /dev/zero | tr '\0' 'w' > "$file" ;;
      cr) yes 'A short line ends here.' | tr '\n' '\r' | head -c "$size" > "$file" ;;
      prose) cat "$here"/../samples/*.txt > "$file.part"
             while [ "$(stat -c %s "$file.part")" -lt "$size" ]; do
               cat "$file.part" "$file.part" > "$file.2" && mv "$file.2" "$file.part"
             done
             head -c "$size" "$file.part" > "$file" && rm -f "$file.part" ;;
    esac
    printf ' A long walk.' >> "$file"
  fi
  echo "$file"
}

printf '%-8s %-9s %9s %9s %7s\n' shape command "${mb} MB" "$((4 * mb)) MB" ratio
for shape in zeros word cr prose; do
  small=$(make_shape "$shape" "$mb")
  large=$(make_shape "$shape" $((4 * mb)))
  for command in concord wordfreq; do
    case $command in
      concord) args=(concord -m 'zebra*' --crlf -o /dev/null) ;;
      wordfreq) args=(wordfreq -o /dev/null) ;;
    esac
    read -r small_w small_c <<< "$(median_times "$runs" "$cli" "${args[@]}" "$small")"
    read -r large_w large_c <<< "$(median_times "$runs" "$cli" "${args[@]}" "$large")"
    printf '%-8s %-9s %8.3fs %8.3fs %7s\n' "$shape" "$command" "$small_c" "$large_c" \
      "$(ratio "$large_c" "$small_c")"
  done
done
echo "(processor time, medians of $runs runs; goal: ratio about 4, at most 5)"
