#!/usr/bin/env bash
# make screenshots: runs the desktop program under a virtual X server on the
# sample corpus and saves PNGs of its windows into docs/screenshots/.
set -euo pipefail
build=${1:-build}
cd "$(dirname "$0")/.."
gui=$build/src/gui/lexvane
out=docs/screenshots
if [ ! -x "$gui" ]; then
  echo "screenshots: $gui is missing (build with -DLEXVANE_BUILD_GUI=ON)" >&2
  exit 1
fi
if ! command -v xvfb-run >/dev/null; then
  echo "screenshots: xvfb-run is missing (make deps installs xvfb)" >&2
  exit 1
fi
mkdir -p "$out"
# A settings file of its own, so that the pictures never depend on the user's.
settings=$(mktemp -d)
trap 'rm -rf "$settings"' EXIT
LEXVANE_SETTINGS=$settings/lexvane.ini QT_QPA_PLATFORM=xcb \
  xvfb-run -a -s "-screen 0 1024x700x24" \
  "$gui" --screenshot "$out" samples/sample.CTL
ls -1 "$out"/*.png
