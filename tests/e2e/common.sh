# Shared by the end-to-end scripts: the private wine prefix, and tamsel.exe started as a user
# starts it. Wine's output goes to files: its helpers keep inherited pipes open.
source "$(dirname "${BASH_SOURCE[0]}")/../../cmake/wine-env.sh"

tamsel=$1
driver=$2
work=$3
rm -rf "$work"
mkdir -p "$work"
log="$work/wine.log"

# The Windows path of a file: the prefix's drive Z: is the root folder. Worked out here rather
# than by winepath, which is one more wine program to start for every path.
win() { realpath -m -- "$1" | tr / '\\' | sed 's/^/Z:/'; }
drive() {
  local code=0
  wine "$driver" "$@" >>"$log" 2>&1 || code=$?
  [[ $code -eq 0 ]] || echo "driver $1: exit code $code" >>"$log"
  return $code
}

# A failed script also ends its editor, so that the next script finds only its own window.
fail() {
  echo "FAILED: $*"
  import -window root "$work/failure.png" 2>/dev/null && echo "screen at the failure: $work/failure.png"
  echo "--- wine log"; cat "$log"
  [[ -n "${tamsel_pid:-}" ]] && kill "$tamsel_pid" 2>/dev/null
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
