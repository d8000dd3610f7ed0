#!/usr/bin/env bash
# Builds every fuzz target with clang and runs each for the given number of seconds (default 60).
# Usage: scripts/fuzz.sh [SECONDS] [TARGET-NAME...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
bash scripts/install-deps.sh
command -v clang++ >/dev/null || { sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo; $sudo apt-get install -y -qq clang >/dev/null; }
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DALMARIN_FUZZ=ON -DALMARIN_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build-fuzz
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for f in fuzz/*.cpp; do names+=("$(basename "${f%.cpp}")"); done
fi
for name in "${names[@]}"; do
  corpus="build-fuzz/corpus/$name"
  mkdir -p "$corpus"
  [ -d "fuzz/corpus/$name" ] && cp -n fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
  echo "== $name for ${seconds}s"
  QT_QPA_PLATFORM=offscreen "build-fuzz/bin/fuzz_$name" -max_total_time="$seconds" -rss_limit_mb=4096 "$corpus"
done
