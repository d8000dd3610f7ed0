#!/usr/bin/env bash
# Builds the tests with AddressSanitizer and UndefinedBehaviorSanitizer (build-asan) and runs them
# headless; any report of undefined behaviour fails the run, as a memory error does.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# -O1 with line tables only keeps the build and the run within CI's time, and a report still names
# file and line. GCC's maybe-uninitialized warning misfires on the instrumented code; the normal
# build keeps it as an error.
cmake -S . -B build-asan -G Ninja -DALMARIN_TESTS=ON -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-O1 -g1" \
  -DCMAKE_CXX_FLAGS="-fsanitize=address,undefined -fno-omit-frame-pointer -Wno-maybe-uninitialized" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-asan
cd build-asan
# Qt keeps caches for the process's lifetime; leaks are not what this run looks for.
ASAN_OPTIONS=detect_leaks=0 UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2
