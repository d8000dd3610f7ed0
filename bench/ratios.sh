#!/usr/bin/env bash
# Measures whole Almarin processes against the plain Qt floor programs, run in turn, and prints for each
# figure the median of the pair ratios (CPU = user + sys, and wall) with the medians of both commands:
#   year  `almarin --export` of a year page to PDF           against floor_pdf     (target CPU <= 1.10)
#   start Almarin's start-up to its empty main window shown  against floor_window  (target wall <= 1.5)
#   thumb `almarin --thumbnail` of a page of 50 objects       against floor_pdf     (target CPU <= 1.2)
# It builds nothing: build almarin, floor_pdf, floor_window and measure first (-DALMARIN_BENCH=ON).
# The start-up runs on QT_QPA_PLATFORM when set (xcb: on $DISPLAY), offscreen otherwise; the jobs always
# run offscreen.
#
#   bench/ratios.sh [BUILD] [PAIRS] [WARMUPS]
set -euo pipefail
bin=$(realpath "${1:-build}")/bin
pairs=${2:-15}
warmups=${3:-2}
here=$(dirname "$(realpath "$0")")
for program in almarin floor_pdf floor_window measure; do
    [[ -x $bin/$program ]] || { echo "ratios.sh: $bin/$program is missing (build it first)" >&2; exit 2; }
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# Its own runtime folder, so a running Almarin does not take the start-up request.
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR=$work/runtime
# A build keeps its settings beside the program: a recent document there would be opened at start-up.
if [[ -f $bin/QX.ini ]] && awk '/^\[/ { mru = ($0 == "[MRU]") } mru && /=/ { found = 1 } END { exit !found }' "$bin/QX.ini"; then
    echo "ratios.sh: $bin/QX.ini lists recent documents; remove its [MRU] section for an empty start" >&2
    exit 2
fi
startPlatform=${QT_QPA_PLATFORM:-offscreen}

# run NAME COMMAND...: appends the run's wall and CPU time in microseconds to $work/NAME.
run() {
    local name=$1 times wall user sys
    shift
    times=$("$bin/measure" "$@") || { echo "ratios.sh: failed: $*" >&2; exit 1; }
    read -r wall user sys <<<"$times"
    echo "$wall $((user + sys))" >>"$work/$name"
}

median() { sort -g | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# figure NAME TARGET MEASURE: NAME's runs against NAME.floor's, pair by pair, warm-ups left out.
figure() {
    local name=$1 target=$2 measure=$3 column
    printf "%-6s" "$name"
    for column in cpu wall; do
        local field=$([[ $column == wall ]] && echo 1 || echo 2)
        local mine floor ratio
        mine=$(tail -n +$((warmups + 1)) "$work/$name" | cut -d' ' -f$field | median)
        floor=$(tail -n +$((warmups + 1)) "$work/$name.floor" | cut -d' ' -f$field | median)
        ratio=$(paste -d' ' <(tail -n +$((warmups + 1)) "$work/$name" | cut -d' ' -f$field) \
            <(tail -n +$((warmups + 1)) "$work/$name.floor" | cut -d' ' -f$field) | awk '{ print $1 / $2 }' | median)
        printf "  %-4s %6.1f / %6.1f ms = %5.2f" "$column" "$(echo "$mine" | awk '{ print $1 / 1000 }')" \
            "$(echo "$floor" | awk '{ print $1 / 1000 }')" "$ratio"
    done
    printf "   (target %s <= %s, median of %d pairs)\n" "$measure" "$target" "$pairs"
}

year=$here/../scripts/pages/l10-plain.qxf
fifty=$here/data/fifty-objects.qxf
for ((i = 0; i < warmups + pairs; i++)); do
    QT_QPA_PLATFORM=offscreen run year "$bin/almarin" --export "$work/year.pdf" "$year"
    QT_QPA_PLATFORM=offscreen run year.floor "$bin/floor_pdf" "$work/floor.pdf"
    QT_QPA_PLATFORM=$startPlatform ALMARIN_EXIT_WHEN_SHOWN=1 run start "$bin/almarin"
    QT_QPA_PLATFORM=$startPlatform run start.floor "$bin/floor_window"
    QT_QPA_PLATFORM=offscreen run thumb "$bin/almarin" --thumbnail 256 "$fifty" "$work/thumb.png"
    QT_QPA_PLATFORM=offscreen run thumb.floor "$bin/floor_pdf" "$work/floor.pdf"
done
echo "Almarin / floor (start-up on $startPlatform; $(uptime | sed 's/.*load/load/'))"
figure year 1.10 cpu
figure start 1.5 wall
figure thumb 1.2 cpu
