#!/usr/bin/env bash
# Times whole `almarin --export` runs of a year page (PNG and PDF) and a `--dump`, start-up included:
# the median CPU time (perf's task clock) and wall time of RUNS runs of each, taken by turns.
#
#   bench/export-process.sh [ALMARIN] [DOCUMENT] [RUNS]
set -euo pipefail
almarin=$(realpath "${1:-build/bin/almarin}")
document=$(realpath "${2:-$(dirname "$0")/../scripts/pages/l10-plain.qxf}")
runs=${3:-20}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen

jobs=(png pdf dump)
for ((i = 0; i < runs; i++)); do
    for job in "${jobs[@]}"; do
        if [[ $job == dump ]]; then
            args=(--dump "$document")
        else
            args=(--export "$work/year.$job" "$document")
        fi
        start=$(date +%s%N)
        perf stat -x, -e task-clock -o "$work/stat" "$almarin" "${args[@]}" >/dev/null
        end=$(date +%s%N)
        grep task-clock "$work/stat" | cut -d, -f1 >>"$work/$job.cpu"
        echo $(((end - start) / 1000)) >>"$work/$job.wall"
    done
done
median() { sort -n "$1" | awk -v scale="$2" '{ v[NR] = $1 } END { printf "%.1f", v[int((NR + 1) / 2)] / scale }'; }
for job in "${jobs[@]}"; do
    printf "%-4s  cpu %5s ms  wall %5s ms  (median of %d)\n" "$job" "$(median "$work/$job.cpu" 1)" \
        "$(median "$work/$job.wall" 1000)" "$runs"
done
