#!/usr/bin/env bash
# Configures and builds one tree. Usage: scripts/build.sh native|play|asan|win64|win32|release
# Trees live in build/<name>. Extra arguments go to cmake's configure step.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
tree=$1; shift
args=(-G Ninja -S "$root" -B "$root/build/$tree")
case "$tree" in
  native)  args+=(-DCMAKE_BUILD_TYPE=RelWithDebInfo) ;;
  play)    args+=(-DCMAKE_BUILD_TYPE=Release -DVEXLO_TESTS=OFF) ;;
  release) args+=(-DCMAKE_BUILD_TYPE=Release -DVEXLO_TESTS=OFF -DVEXLO_BENCHMARKS=ON) ;;
  asan)    args+=(-DCMAKE_BUILD_TYPE=Debug -DVEXLO_SANITIZE=ON -DVEXLO_TOOLS=ON) ;;
  win64)   args+=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-x86_64.cmake") ;;
  win32)   args+=(-DCMAKE_BUILD_TYPE=Release -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake") ;;
  *) echo "unknown tree: $tree (native, asan, win64, win32, release)" >&2; exit 2 ;;
esac
cmake "${args[@]}" "$@" >/dev/null
cmake --build "$root/build/$tree" -j "$(nproc)"
