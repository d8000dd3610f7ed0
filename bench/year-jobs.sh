#!/usr/bin/env bash
# Whole-process timings of the many-page jobs, each against what it replaces, run in turn; prints the
# median of the pair ratios with the medians of both commands:
#   year   twelve months of a template to one PDF in one process      against one month to one PDF
#          (target CPU <= 3)
#   batch  100 one-month exports as the lines of one --batch          against the same 100 exports, one
#          process each, one after the other (target throughput, wall of the processes over wall of the
#          batch, >= 4)
# It builds nothing: build almarin and measure first (-DALMARIN_BENCH=ON).
#
#   bench/year-jobs.sh [BUILD] [PAIRS] [BATCH_PAIRS]
set -euo pipefail
bin=$(realpath "${1:-build}")/bin
pairs=${2:-11}
batchPairs=${3:-3}
here=$(dirname "$(realpath "$0")")
for program in almarin measure; do
    [[ -x $bin/$program ]] || { echo "year-jobs.sh: $bin/$program is missing (build it first)" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export QT_QPA_PLATFORM=offscreen
template=$here/../scripts/pages/l00-text.qxf

# run NAME COMMAND...: appends the run's wall and CPU time in microseconds to $work/NAME.
run() {
    local name=$1 times wall user sys
    shift
    times=$("$bin/measure" "$@") || { echo "year-jobs.sh: failed: $*" >&2; exit 1; }
    read -r wall user sys <<<"$times"
    echo "$wall $((user + sys))" >>"$work/$name"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# figure NAME AGAINST FIELD LABEL TARGET: the median of NAME over AGAINST pair by pair (field 1 wall,
# 2 CPU), the first pair left out as a warm-up.
figure() {
    local name=$1 against=$2 field=$3 label=$4 target=$5
    local a b ratio
    a=$(tail -n +2 "$work/$name" | cut -d' ' -f"$field" | median)
    b=$(tail -n +2 "$work/$against" | cut -d' ' -f"$field" | median)
    ratio=$(paste -d' ' <(tail -n +2 "$work/$name" | cut -d' ' -f"$field") \
        <(tail -n +2 "$work/$against" | cut -d' ' -f"$field") | awk '{ print $1 / $2 }' | median)
    printf "%-6s %-4s %8.1f / %8.1f ms = %5.2f   (target %s, median of %d pairs)\n" "$name" "$label" \
        "$(echo "$a" | awk '{ print $1 / 1000 }')" "$(echo "$b" | awk '{ print $1 / 1000 }')" "$ratio" "$target" \
        "$(($(wc -l <"$work/$name") - 1))"
}

for ((i = 0; i <= pairs; i++)); do
    run year "$bin/almarin" --export "$work/year.pdf" "$template" --months 2027-01..2027-12 --fill
    run month "$bin/almarin" --export "$work/month.pdf" "$template" --month 2027-01 --fill
done
figure year month 2 cpu "<= 3"
figure year month 1 wall "<= 3"

for ((n = 1; n <= 100; n++)); do
    printf -- "--export '%s/page %d.pdf' '%s' --month %04d-%02d --fill\n" "$work" "$n" "$template" \
        $((2027 + (n - 1) / 12)) $(((n - 1) % 12 + 1))
done >"$work/jobs.txt"
for ((i = 0; i <= batchPairs; i++)); do
    run processes xargs -L 1 -a "$work/jobs.txt" "$bin/almarin"
    run batch "$bin/almarin" --batch "$work/jobs.txt"
done
figure processes batch 1 wall ">= 4"
# On a machine busy with other work the wall time follows the CPU time each gets; the CPU ratio says it
# without the noise.
figure processes batch 2 cpu ">= 4"
