#!/usr/bin/env bash
# Runs the print tests against a print server of their own: a private cupsd (its own folders and
# socket, no root and no system service needed) with one default queue whose device is a file, behind a
# driver that passes PDF through. The queue takes one copy per job, as a simple printer does. Then the
# tests that need no printer run with the server address pointing nowhere. The queue is made the
# default only after the tests of a server without one.
#
#   tests/print/test_print.sh TEST_BINARY
set -euo pipefail
binary=$(realpath "$1")
if ! command -v cupsd >/dev/null && [ ! -x /usr/sbin/cupsd ]; then
  echo "cupsd is not installed (scripts/install-deps.sh installs it)"
  exit 77
fi
PATH=$PATH:/usr/sbin
work=$(mktemp -d)
cupsd_pid=
stop() {
  [ -n "$cupsd_pid" ] && kill "$cupsd_pid" 2>/dev/null && wait "$cupsd_pid" 2>/dev/null
  rm -rf "$work"
}
trap stop EXIT
# Filters run as the server's user, which must reach the spool and the output.
chmod 755 "$work"
mkdir -p "$work/etc/ppd" "$work/spool/tmp" "$work/cache" "$work/state" "$work/log" "$work/out"
chmod 1777 "$work/spool/tmp" "$work/out"

cat >"$work/etc/cupsd.conf" <<CONF
Listen $work/cups.sock
LogLevel info
MaxCopies 1
WebInterface No
Browsing No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
{
  echo "ServerRoot $work/etc"
  echo "RequestRoot $work/spool"
  echo "TempDir $work/spool/tmp"
  echo "CacheDir $work/cache"
  echo "StateDir $work/state"
  echo "ErrorLog $work/log/error_log"
  echo "AccessLog $work/log/access_log"
  echo "PageLog $work/log/page_log"
  echo "Printcap $work/state/printcap"
  echo "FileDevice Yes"
  if [ "$(id -u)" -eq 0 ]; then
    echo "SystemGroup root"
  else
    echo "User $(id -un)"
    echo "Group $(id -gn)"
    echo "SystemGroup $(id -gn)"
  fi
} >"$work/etc/cups-files.conf"

cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" 2>"$work/log/cupsd.err" &
cupsd_pid=$!
export CUPS_SERVER=$work/cups.sock
for _ in $(seq 100); do
  # lpstat -r answers with status 0 either way; only its words tell.
  [ "$(lpstat -r 2>/dev/null)" = "scheduler is running" ] && break
  kill -0 "$cupsd_pid" 2>/dev/null || { echo "cupsd did not start:"; cat "$work/log/cupsd.err"; exit 1; }
  sleep 0.1
done
# lpadmin warns that drivers are deprecated; anything else it says is kept for a failure.
lpadmin -p AlmarinPdf -E -v "file://$work/out/job.pdf" -P "$(dirname "$0")/passthrough-pdf.ppd" 2>"$work/log/lpadmin.err" ||
  { cat "$work/log/lpadmin.err"; exit 1; }
export ALMARIN_PRINT_OUTPUT=$work/out/job.pdf
# Printers are read from the server alone, never from the user's own choice of default.
export HOME=$work

status=0
"$binary" --gtest_filter='NoDefaultPrinter*' || status=1
lpadmin -d AlmarinPdf
"$binary" --gtest_filter='-NoPrinter*:NoDefaultPrinter*' || status=1
CUPS_SERVER=$work/no-server.sock "$binary" --gtest_filter='NoPrinter*' || status=1
[ $status -eq 0 ] || { echo "--- print server log"; tail -n 40 "$work/log/error_log"; }
exit $status
