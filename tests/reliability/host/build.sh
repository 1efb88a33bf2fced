#!/bin/sh
# Configures and builds the native sanitizer build of the runtime core.
# Usage: build.sh SOURCE_ROOT BUILD_DIR
set -e
root=${1:?source root}; out=${2:?build directory}
if [ ! -f "$out/CMakeCache.txt" ]; then
  cmake -S "$root/tests/reliability/host" -B "$out" -DCMAKE_BUILD_TYPE=Debug \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
fi
cmake --build "$out" -j2 -- --no-print-directory
