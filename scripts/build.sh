#!/usr/bin/env bash
# Configures and builds one of Korvana's builds.
#   build.sh native|asan|win64|win32
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
kind=${1:?usage: build.sh native|asan|win64|win32}
jobs=$(nproc)
case "$kind" in
  native)
    cmake -S "$root" -B "$root/build/native" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$root/build/native" -j "$jobs" ;;
  asan)
    cmake -S "$root" -B "$root/build/asan" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DKORVANA_SANITIZE=ON -DKORVANA_BENCH=OFF >/dev/null
    cmake --build "$root/build/asan" -j "$jobs" --target korvana_tests korvana-cli ;;
  win64)
    cmake -S "$root" -B "$root/build/win64" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" -DKORVANA_BENCH=OFF >/dev/null
    cmake --build "$root/build/win64" -j "$jobs" ;;
  win32)
    cmake -S "$root" -B "$root/build/win32" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" -DKORVANA_BENCH=OFF >/dev/null
    cmake --build "$root/build/win32" -j "$jobs" --target korvana korvana-cli ;;
  *)
    echo "unknown build '$kind'" >&2
    exit 2 ;;
esac
