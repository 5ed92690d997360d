#!/bin/sh
# Installs what is missing and builds the program, its tests and benchmarks into build/.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo ${SC_CMAKE_ARGS} >/dev/null
cmake --build build -j"$(nproc)"
