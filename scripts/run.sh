#!/bin/sh
# Builds and starts the program; data.mdb lives in the folder it is started from (this one).
set -e
cd "$(dirname "$0")/.."
./scripts/build.sh
exec ./build/salescounter
