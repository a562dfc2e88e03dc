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
echo "== lexvane-cli demo on $list =="
if [ -x "$cli" ]; then
  for cmd in "tokens -l $list" ; do
    echo "\$ lexvane-cli $cmd | head"
    "$cli" $cmd | head || true
  done
fi
