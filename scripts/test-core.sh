#!/bin/sh
# Builds the widget-free core alone (no Qt Widgets) with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs its tests.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build-core -DCMAKE_BUILD_TYPE=Debug -DSC_CORE_ONLY=ON -DSC_SANITIZE=ON -DSC_WERROR=ON -DCMAKE_UNITY_BUILD=ON \
    ${SC_CMAKE_ARGS} >/dev/null
cmake --build build-core -j"$(nproc)"
cd build-core
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=print_stacktrace=1 ctest -j"$(nproc)" --output-on-failure
