#!/usr/bin/env bash
# UTF-8 against 8-bit text: an ASCII-heavy English text in UTF-8 and in
# Windows-1252 (goal: UTF-8 within 1.3 times the 8-bit time, the concordance
# within 1.1 times), and a Greek text in UTF-8 and in ISO-8859-7 read as
# Windows-1252 (goal: within 2 times, the word list within 1.5 times),
# each by the concordance's fast scan, the word frequency list and the
# reference scanner. Ratios of medians of the same run.
#   BUILD_DIR    the build folder (bench/utf8_scan)
#   BENCH_ROOT   where the texts are written
#   BENCH_UTF8_MB  size of the UTF-8 texts in MB (default 200)
set -euo pipefail
runs=${BENCH_RUNS:-5}
"$BUILD_DIR/bench/utf8_scan" --mb "${BENCH_UTF8_MB:-200}" --runs "$runs" \
  --dir "${BENCH_ROOT:-/tmp/lexvane-bench}/utf8"
