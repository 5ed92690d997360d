#!/bin/sh
# Builds only the program and starts it; data.mdb lives in this folder (the
# repository's), as it always has for a start from the source.
set -e
cd "$(dirname "$0")/.."
./scripts/build.sh program
exec ./build-program/salescounter --data "$PWD" "$@"
