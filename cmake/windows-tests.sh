#!/usr/bin/env bash
# Runs the Windows tree's tests through wine; expects a display (./test runs it under xvfb-run).
set -euo pipefail
cd "$(dirname "$0")/.."
source cmake/wine-env.sh

# Prepares a prefix and keeps one wineserver for it the whole run: each program then starts in
# a fraction of a second. Its background processes start now, with their output in a file
# rather than in a pipe of ctest's that they would keep open. Its windows are unmanaged, also
# if a run that took the screenshot under a window manager was killed.
start_wine() {
  tamsel_wine_prefix
  wineserver -p >"$WINEPREFIX/wineserver.log" 2>&1 </dev/null
  wine cmd /c exit >"$WINEPREFIX/warmup.log" 2>&1 </dev/null || true
  tamsel_wine_managed N
}
stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
}
# The tests' own prefix, and the one whose screen has 192 DPI (see wine-env.sh).
trap 'stop_wine; (TAMSEL_DPI=192 && source cmake/wine-env.sh && stop_wine)' EXIT
start_wine
(TAMSEL_DPI=192 && source cmake/wine-env.sh && start_wine)

ctest --test-dir build/windows --output-on-failure -j "$(nproc)" "$@"
