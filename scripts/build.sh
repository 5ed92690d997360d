#!/bin/sh
# Installs what is missing and builds the program, its tests and benchmarks into build/.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
# A unity build: each library's sources compiled a few to one unit, so that
# the Qt headers are read far fewer times (the cold build takes half as long).
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_UNITY_BUILD=ON ${SC_CMAKE_ARGS} >/dev/null
cmake --build build -j"$(nproc)"
