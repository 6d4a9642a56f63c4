#!/usr/bin/env bash
# Installs, on Debian 12, whatever the build and the tests need and the machine lacks.
set -euo pipefail

# fonts-wine, which wine only recommends, holds the dialog's MS Sans Serif and the Marlett glyphs
# of the caption buttons; openbox frames the window for the screenshot.
packages=(
  cmake ninja-build g++ clang libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  wine wine64 fonts-wine xvfb xauth imagemagick openbox
  googletest time locales
)

sudo=()
[[ $(id -u) -eq 0 ]] || sudo=(sudo)

missing=()
for p in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$p" 2>/dev/null || true)
  [[ "$status" == "install ok installed" ]] || missing+=("$p")
done
if [[ ${#missing[@]} -gt 0 ]]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  "${sudo[@]}" apt-get update -qq
  "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

# The Windows tests of double-byte names run wine in a Japanese locale (code page 932).
if ! locale -a 2>/dev/null | grep -qix 'ja_JP\.utf-\?8'; then
  echo "Generating the locale ja_JP.UTF-8"
  "${sudo[@]}" localedef -i ja_JP -f UTF-8 ja_JP.UTF-8
fi
