#!/usr/bin/env bash
# make bench: throughput of the engine against classic tools on the same files.
set -euo pipefail
echo "no benchmarks yet"
