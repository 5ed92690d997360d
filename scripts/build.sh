#!/bin/sh
# Installs what is missing and builds into build/ the program, its tests and
# benchmarks; with "program", only the program, into build-program/, so that
# a first start builds no test and the two folders never rebuild each other.
# Both are unity builds: each library's sources compiled a few to one unit, so
# that the Qt headers are read far fewer times and a cold build is much quicker.
set -e
cd "$(dirname "$0")/.."
unity=-DCMAKE_UNITY_BUILD=ON
if [ "$1" = program ]; then
    ./scripts/install-deps.sh program
    cmake -S . -B build-program -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=OFF $unity ${SC_CMAKE_ARGS} >/dev/null
    cmake --build build-program -j"$(nproc)" --target salescounter
else
    ./scripts/install-deps.sh
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo $unity ${SC_CMAKE_ARGS} >/dev/null
    cmake --build build -j"$(nproc)"
fi
