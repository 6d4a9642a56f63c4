#!/usr/bin/env bash
# The built program as a user starts it: an archive path with blanks on its command line, the
# archive listed, a screenshot, and Alt+X ending it with exit code 0. The screenshot (the
# README's docs/screenshot.png) shows the window as on a desktop: framed by a window manager,
# openbox. Only this script runs one; the other tests keep wine's unmanaged windows.
set -uo pipefail
source "$(dirname "$0")/common.sh"

openbox --sm-disable --startup "touch '$work/openbox-ready'" >"$work/openbox.log" 2>&1 &
openbox_pid=$!
trap 'tamsel_wine_managed N; kill "$openbox_pid" 2>/dev/null; wait "$openbox_pid" 2>/dev/null' EXIT
for _ in $(seq 100); do [[ -f "$work/openbox-ready" ]] && break; sleep 0.1; done
[[ -f "$work/openbox-ready" ]] || fail "openbox did not start: $(cat "$work/openbox.log")"
tamsel_wine_managed Y

archive="$work/sample archive.viv"
drive make-archive "$(win "$archive")" "readme.txt=Hello, VIV!" "data\\level1.dat=0123456789" "empty.bin=" "music.mus=la la la" ||
  fail "could not write the sample archive"

start_tamsel "$(win "$archive")"
drive wait-rows 4 || fail "the archive was not listed"
[[ "$(wine "$driver" status 2>>"$log" | tr -d '\r')" == "$(win "$archive")" ]] || fail "the status field does not show the path"
sleep 0.5
import -window root "$work/root.png" && convert "$work/root.png" -trim +repage "$work/screenshot.png" ||
  fail "no screenshot"
drive keys alt+x || fail "could not type Alt+X"
expect_exit_zero
echo "screenshot: $work/screenshot.png"
