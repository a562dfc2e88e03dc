#!/usr/bin/env bash
# Fails when a sanitizer wrote any report into the folder given; prints them.
set -euo pipefail
folder=$1
shopt -s nullglob
logs=("$folder"/*)
if [ ${#logs[@]} -eq 0 ]; then
  echo "No sanitizer reports."
  exit 0
fi
for log in "${logs[@]}"; do
  echo "==== $log"
  cat "$log"
done
echo "${#logs[@]} sanitizer report file(s)."
exit 1
