# Sourced by ./test, ./run and cmake/wine-run: the private wine prefix and a quiet wine.
tamsel_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
export WINEPREFIX="${WINEPREFIX:-$tamsel_root/build/wineprefix}"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="
export WINEARCH=win64

# Creates the prefix once. Xvfb has no window manager: unmanaged windows make message boxes
# and file dialogs close at once instead of after about two seconds.
tamsel_wine_prefix() {
  if [[ ! -f "$WINEPREFIX/.tamsel-ready" ]]; then
    mkdir -p "$WINEPREFIX"
    wineboot -i >"$WINEPREFIX/wineboot.log" 2>&1 </dev/null
    wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f \
      >>"$WINEPREFIX/wineboot.log" 2>&1 </dev/null
    wineserver -w
    touch "$WINEPREFIX/.tamsel-ready"
  fi
}
