#!/usr/bin/env bash
# Configures and builds the given trees under build/:
#   native - the portable core and its tests, with the sanitizers (clang)
#   win32  - the shipped 32-bit programs
#   win64  - the same sources for 64-bit Wine, with the Windows tests
set -euo pipefail
cd "$(dirname "$0")/.."

for tree in "$@"; do
    case "$tree" in
    native) args=(-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=Debug) ;;
    win32) args=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw.cmake -DQV_ARCH=i686 -DCMAKE_BUILD_TYPE=Release) ;;
    win64) args=(-DCMAKE_TOOLCHAIN_FILE=cmake/mingw.cmake -DQV_ARCH=x86_64 -DCMAKE_BUILD_TYPE=Release) ;;
    *) echo "unknown tree: $tree" >&2; exit 2 ;;
    esac
    [ -f "build/$tree/CMakeCache.txt" ] || cmake -S . -B "build/$tree" -G Ninja "${args[@]}" >/dev/null
    cmake --build "build/$tree"
done
