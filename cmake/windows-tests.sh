#!/usr/bin/env bash
# Runs the Windows tree's tests through wine; expects a display (./test runs it under xvfb-run).
set -euo pipefail
cd "$(dirname "$0")/.."
source cmake/wine-env.sh

tamsel_wine_prefix
# One wineserver for the whole run: each program then starts in a fraction of a second.
wineserver -p >"$WINEPREFIX/wineserver.log" 2>&1 </dev/null
trap 'wineserver -k >/dev/null 2>&1 || true' EXIT
# Unmanaged windows, also if a run that took the screenshot under a window manager was killed.
tamsel_wine_managed N
# Starts the prefix's background processes now, with their output in a file rather than in
# a pipe of ctest's that they would keep open.
wine cmd /c exit >"$WINEPREFIX/warmup.log" 2>&1 </dev/null || true

ctest --test-dir build/windows --output-on-failure -j "$(nproc)" "$@"
