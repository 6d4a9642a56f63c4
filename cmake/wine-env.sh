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

# Y: wine leaves its windows to the window manager, which frames them. N: wine places and frames
# them itself; under Xvfb, with no window manager, message boxes and file dialogs then close at
# once instead of after about two seconds. Read by each wine program as it starts.
tamsel_wine_managed() {
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$1" /f \
    >>"$WINEPREFIX/wineboot.log" 2>&1 </dev/null
}

# Creates the prefix once, with unmanaged windows and wine's own fonts. The lock lets programs
# that start together (ctest runs several) wait for the one that sets the prefix up.
tamsel_wine_prefix() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts"
  [[ -f "$WINEPREFIX/.tamsel-ready" && -f "$fonts/marlett.ttf" ]] && return 0
  mkdir -p "$WINEPREFIX"
  (
    flock 9
    if [[ ! -f "$WINEPREFIX/.tamsel-ready" ]]; then
      wineboot -i >"$WINEPREFIX/wineboot.log" 2>&1 </dev/null
      tamsel_wine_managed N
      if [[ -n "${TAMSEL_DPI:-}" ]]; then
        wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$TAMSEL_DPI" /f \
          >>"$WINEPREFIX/wineboot.log" 2>&1 </dev/null
      fi
      wineserver -w
      touch "$WINEPREFIX/.tamsel-ready"
    fi
    # MS Sans Serif of the dialog, the Marlett glyphs of caption buttons and scroll bars: Debian's
    # wine does not look where fonts-wine puts them, but finds them in the prefix.
    [[ -f "$fonts/marlett.ttf" ]] || cp /usr/share/wine/fonts/* "$fonts/" 2>/dev/null || true
  ) 9>"$WINEPREFIX/.tamsel-lock"
}
