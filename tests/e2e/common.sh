# Shared by the end-to-end scripts: the private wine prefix, and tamsel.exe started as a user
# starts it. Wine's output goes to files: its helpers keep inherited pipes open.
source "$(dirname "${BASH_SOURCE[0]}")/../../cmake/wine-env.sh"

tamsel=$1
driver=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
log="$work/wine.log"

win() { winepath -w "$1" 2>>"$log"; }
drive() { wine "$driver" "$@" >>"$log" 2>&1; }

fail() {
  echo "FAILED: $*"
  import -window root "$work/failure.png" 2>/dev/null && echo "screen at the failure: $work/failure.png"
  echo "--- wine log"; cat "$log"
  exit 1
}

start_tamsel() {
  wine "$tamsel" "$@" >>"$work/tamsel.log" 2>&1 &
  tamsel_pid=$!
}

# Waits for tamsel.exe to end and checks its exit code.
expect_exit_zero() {
  local code=0
  wait "$tamsel_pid" || code=$?
  [[ $code -eq 0 ]] || fail "tamsel.exe ended with exit code $code"
}
