# Sourced by ./test, ./run and cmake/wine-run: the private wine prefix and a quiet wine.
tamsel_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
# TAMSEL_DPI=192 selects a second prefix whose screen has 192 DPI, for the tests of high-DPI
# screens; the registry setting is per prefix, and the other tests need the default 96.
if [[ -n "${TAMSEL_DPI:-}" ]]; then
  export WINEPREFIX="$tamsel_root/build/wineprefix-${TAMSEL_DPI}dpi"
else
  export WINEPREFIX="${WINEPREFIX:-$tamsel_root/build/wineprefix}"
fi
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
    if [[ -n "${TAMSEL_DPI:-}" ]]; then
      wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$TAMSEL_DPI" /f \
        >>"$WINEPREFIX/wineboot.log" 2>&1 </dev/null
    fi
    wineserver -w
    touch "$WINEPREFIX/.tamsel-ready"
  fi
}
