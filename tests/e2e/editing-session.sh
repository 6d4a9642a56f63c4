#!/usr/bin/env bash
# A whole editing session in the built program, driven from the keyboard and the file dialogs:
# open, import, export, rename, move, remove, save, exit. The saved archive must be, byte for
# byte, what those edits give.
set -uo pipefail
source "$(dirname "$0")/common.sh"

archive="$work/session.viv"
loose="$work/new file.txt"
exported="$work/exported.txt"
expected="$work/expected.viv"
printf 'imported' >"$loose"
drive make-archive "$(win "$archive")" "a.txt=abc" "b.bin=0123" "c.dat=xyz" || fail "could not write the archive"

start_tamsel "$(win "$archive")"
drive wait-rows 3 || fail "the archive was not listed"

drive keys alt+i && drive answer "Import file" "$(win "$loose")" && drive wait-rows 4 || fail "import"

drive focus-list && drive keys home alt+e && drive answer "Export file" "$(win "$exported")" || fail "export"
# The editor writes the file after the dialog has closed, and flushes it to disk first.
for _ in $(seq 100); do [[ "$(cat "$exported" 2>/dev/null)" == "abc" ]] && break; sleep 0.1; done
[[ "$(cat "$exported" 2>/dev/null)" == "abc" ]] || fail "the exported file does not hold a.txt"

drive focus-list && drive keys home down alt+r && drive rename "renamed.bin" || fail "rename"

# new file.txt, last, moves up one place.
drive focus-list && drive keys home down down down alt+u || fail "move up"

drive focus-list && drive keys home alt+m && drive wait-rows 3 || fail "remove"

drive keys alt+s alt+x || fail "save and exit"
expect_exit_zero

drive make-archive "$(win "$expected")" "renamed.bin=0123" "new file.txt=imported" "c.dat=xyz" ||
  fail "could not write the expected archive"
cmp "$archive" "$expected" || { drive expect-archive "$(win "$archive")"; fail "the saved archive differs"; }
echo "session archive as expected"
