#!/bin/sh
# Builds and runs every test (GUI tests offscreen; printing tests on a private CUPS queue).
set -e
cd "$(dirname "$0")/.."
./scripts/build.sh
cd build
ctest -j"$(nproc)" --output-on-failure
