#!/usr/bin/env bash
# Builds Almarin with its tests and runs every test headless, then the whole suite again under the
# address and undefined-behaviour sanitizers.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
# One style everywhere: a file that clang-format would change fails the run.
find src tests bench fuzz tools -name '*.cpp' -o -name '*.h' | xargs clang-format --dry-run --Werror
cmake -S . -B build -G Ninja -DALMARIN_TESTS=ON >/dev/null
cmake --build build
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j2)
bash scripts/sanitize.sh
