#!/usr/bin/env bash
# The built program as a user starts it: an archive path with blanks on its command line, the
# archive listed, a screenshot, and Alt+X ending it with exit code 0.
set -uo pipefail
source "$(dirname "$0")/common.sh"

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
