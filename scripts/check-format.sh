#!/bin/sh
# Fails when a source file differs from what clang-format makes of it (.clang-format).
set -e
cd "$(dirname "$0")/.."
command -v clang-format >/dev/null || { apt-get install -y -qq clang-format >/dev/null; }
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
