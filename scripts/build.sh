#!/bin/sh
# Installs what is missing and builds into build/ the program, its tests and
# benchmarks; with "program", only the program, into build-program/, so that
# a first start builds no test and the two folders never rebuild each other.
set -e
cd "$(dirname "$0")/.."
if [ "$1" = program ]; then
    ./scripts/install-deps.sh program
    cmake -S . -B build-program -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF ${SC_CMAKE_ARGS} >/dev/null
    cmake --build build-program -j"$(nproc)" --target salescounter
else
    ./scripts/install-deps.sh
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo ${SC_CMAKE_ARGS} >/dev/null
    cmake --build build -j"$(nproc)"
fi
