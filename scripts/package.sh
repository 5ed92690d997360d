#!/bin/sh
# Builds the Debian package salescounter_<version>_<arch>.deb in build/ from
# the program built there (by scripts/test.sh, or built here when missing),
# and prints its path.
set -e
cd "$(dirname "$0")/.."
[ -f build/CMakeCache.txt ] || cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo ${SC_CMAKE_ARGS} >/dev/null
cmake --build build -j"$(nproc)" --target salescounter >&2
cd build
rm -f salescounter_*.deb
cpack -G DEB >/dev/null
ls "$PWD"/salescounter_*.deb # the one line on standard output
