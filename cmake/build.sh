#!/usr/bin/env bash
# Configures (once) and builds the trees:
#   cmake/build.sh                  both trees, every target, and the release zip
#   cmake/build.sh TREE TARGET...   only these targets of build/TREE (native or windows)
set -euo pipefail
cd "$(dirname "$0")/.."

configure() {
  [[ -f build/$1/CMakeCache.txt ]] && return
  case $1 in
    native) cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo ;;
    windows) cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake ;;
    *) echo "build.sh: no tree named $1" >&2; return 2 ;;
  esac
}

if [[ $# -ge 2 ]]; then
  tree=$1
  shift
  configure "$tree"
  cmake --build "build/$tree" --target "$@"
  exit
fi

configure native
configure windows
cmake --build build/native
cmake --build build/windows
cmake --build build/windows --target package
