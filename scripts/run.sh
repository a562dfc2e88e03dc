#!/usr/bin/env bash
# make run: the desktop program on the sample corpus, or a command-line demo
# on it where there is no display.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
list=samples/sample.CTL
cli=$build/src/cli/lexvane-cli
gui=$build/src/gui/lexvane
if [ -x "$gui" ] && [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  exec "$gui" "$list"
fi

echo "No display: a lexvane-cli demo on $list instead."
demo() {  # demo LINES ARGS...: shows the command and the first LINES lines of its output
  local lines=$1; shift
  echo
  echo "\$ lexvane-cli $*"
  # Output is Windows-1252 bytes; shown here decoded for the terminal.
  "$cli" "$@" 2>&1 | tr -d '\r' | iconv -f WINDOWS-1252 -t UTF-8 | head -n "$lines" || true
}
demo_utf8() {  # the same for a UTF-8 corpus, whose output is UTF-8 already
  local lines=$1; shift
  echo
  echo "\$ lexvane-cli $*"
  "$cli" "$@" 2>&1 | tr -d '\r' | head -n "$lines" || true
}
demo 6 tokens -l "$list"
demo 8 concord -l "$list" -m 'walk*' --sort right --format justify --width 32
demo 6 stats --of concord -l "$list" -m 'walk*'
demo 4 concord -l "$list" --column 1:the --column 2:house --gap 1=1 --delimiters '[]'
demo 8 wordfreq -l "$list" --sort freq
demo 6 colloc -l "$list" -m house --colloc-sort total
demo 3 concord -l samples/dos.CTL -m 'caf*'
demo 4 wordfreq -l samples/tagged.CTL --sort class
demo_utf8 3 concord -l samples/utf8.CTL -m 'κύματ*'
demo_utf8 4 wordfreq -l samples/utf8.CTL --sort freq
