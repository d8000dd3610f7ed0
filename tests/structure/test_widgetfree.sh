#!/usr/bin/env bash
# The libraries below the page view use nothing of Qt Widgets: no symbol they leave for the linker to
# find may be one that the Widgets library defines, nor one of the print dialogs'.
#
#   test_widgetfree.sh QT_WIDGETS_LIBRARY LIBRARY...
set -euo pipefail
widgets=$1
shift
exported=$(mktemp)
trap 'rm -f "$exported"' EXIT
nm -D --defined-only "$widgets" | awk '{sub(/@.*/, "", $3); print $3}' | sort -u >"$exported"
if [[ ! -s "$exported" ]]; then
    echo "no symbols read from $widgets" >&2
    exit 1
fi
status=0
for library in "$@"; do
    used=$(nm -u "$library" | awk '{print $2}' | sort -u |
        { comm -12 - "$exported"; nm -u "$library" | awk '{print $2}' | c++filt |
            grep -E 'Q(Abstract)?Print(Preview)?(Dialog|Widget)|QPageSetupDialog' || true; } | c++filt | sort -u)
    if [[ -n "$used" ]]; then
        echo "$(basename "$library") uses Qt Widgets:"
        echo "$used" | head -20 | sed 's/^/  /'
        status=1
    fi
done
exit $status
