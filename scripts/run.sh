#!/usr/bin/env bash
# Builds Almarin and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DALMARIN_TESTS=OFF >/dev/null
cmake --build build --target almarin almarin_assets
exec build/bin/almarin "$@"
