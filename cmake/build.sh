#!/usr/bin/env bash
# Configures (once) and builds both trees.
set -euo pipefail
cd "$(dirname "$0")/.."

[[ -f build/native/CMakeCache.txt ]] ||
  cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
[[ -f build/windows/CMakeCache.txt ]] ||
  cmake -S . -B build/windows -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake

cmake --build build/native
cmake --build build/windows
