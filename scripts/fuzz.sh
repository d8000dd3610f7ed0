#!/usr/bin/env bash
# Builds every fuzz target with clang and runs each for the given number of seconds (default 60).
# Usage: scripts/fuzz.sh [SECONDS] [TARGET-NAME...]
# FUZZ_BUILD_DIR chooses the build folder (default build-fuzz); the build uses at most two jobs.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
bash scripts/install-deps.sh
command -v clang++ >/dev/null || { sudo=""; [ "$(id -u)" -ne 0 ] && sudo=sudo; $sudo apt-get install -y -qq clang >/dev/null; }
build=${FUZZ_BUILD_DIR:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DALMARIN_FUZZ=ON -DALMARIN_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
names=("$@")
if [ ${#names[@]} -eq 0 ]; then
  for f in fuzz/*.cpp; do names+=("$(basename "${f%.cpp}")"); done
fi
for name in "${names[@]}"; do
  [ -f "fuzz/$name.cpp" ] || { echo "no fuzz target fuzz/$name.cpp" >&2; exit 2; }
done
cmake --build "$build" -j2 --target "${names[@]/#/fuzz_}"
status=0
for name in "${names[@]}"; do
  corpus="$build/corpus/$name"
  mkdir -p "$corpus"
  [ -d "fuzz/corpus/$name" ] && cp -n fuzz/corpus/"$name"/* "$corpus"/ 2>/dev/null || true
  # A reader that takes over 1 GB or 10 s for one input is a finding (a memory bomb, a hang). Documents, rich
  # text, pictures and icon libraries carry pictures, long texts and dense tables, so their inputs may grow
  # to 1 MB.
  limits=(-rss_limit_mb=1024 -timeout=10)
  case "$name" in
    documentreader|rtfreader|picture|metafile|iconlibrary) limits+=(-max_len=1048576) ;;
  esac
  echo "== $name for ${seconds}s"
  # Findings are written as crash-*, leak-*, oom-* or timeout-* files in the build folder.
  (cd "$build" && QT_QPA_PLATFORM=offscreen "bin/fuzz_$name" -max_total_time="$seconds" "${limits[@]}" \
     -artifact_prefix="$name-" "corpus/$name") || status=1
done
exit $status
