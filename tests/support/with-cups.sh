#!/usr/bin/env bash
# Runs a command against a print system of its own: a private CUPS daemon on a socket in a
# scratch directory, with one printer, "tk-file", that writes each job into a file there. The
# command sees CUPS_SERVER and TK_PRINTED (the printer's file). Exit code 77 (skipped) with a
# message when CUPS is not installed or its daemon cannot start here.
#   with-cups.sh COMMAND...
set -euo pipefail
for tool in cupsd lpadmin lpstat; do
  if ! command -v $tool >/dev/null && [ ! -x /usr/sbin/$tool ]; then
    echo "SKIPPED: $tool is not installed (Debian packages cups-daemon, cups-client)"
    exit 77
  fi
done
PATH=$PATH:/usr/sbin
work=$(mktemp -d)
chmod 755 "$work"
daemon=""
cleanup() {
  if [ -n "$daemon" ]; then kill "$daemon" 2>/dev/null || true; wait "$daemon" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 1' HUP INT TERM
mkdir -p "$work/etc/ppd" "$work/spool/tmp" "$work/cache" "$work/state/certs" "$work/log" "$work/out"
chmod 777 "$work/out"
socket=$work/cups.sock
cat > "$work/etc/cupsd.conf" <<CONF
Listen $socket
LogLevel warn
WebInterface No
Browsing No
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order allow,deny
    Allow all
  </Limit>
</Policy>
CONF
cat > "$work/etc/cups-files.conf" <<CONF
FileDevice Yes
ServerRoot $work/etc
RequestRoot $work/spool
TempDir $work/spool/tmp
CacheDir $work/cache
StateDir $work/state
ErrorLog $work/log/error_log
AccessLog $work/log/access_log
PageLog $work/log/page_log
ServerBin $work/bin
CONF
# The printer's one filter passes a job on as it comes (a PDF page from Qt) into its file.
mkdir -p "$work/bin/filter"
for part in daemon backend; do ln -s "/usr/lib/cups/$part" "$work/bin/$part"; done
printf '#!/bin/sh\nexec cat "${6:--}"\n' > "$work/bin/filter/tk-pass"
chmod 755 "$work/bin" "$work/bin/filter" "$work/bin/filter/tk-pass"
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
cupsd -f -c "$work/etc/cupsd.conf" -s "$work/etc/cups-files.conf" 2>"$work/log/start" &
daemon=$!
export CUPS_SERVER=$socket
for _ in $(seq 1 100); do
  [ -S "$socket" ] && lpstat -r >/dev/null 2>&1 && break
  sleep 0.1
done
if ! lpstat -r >/dev/null 2>&1; then
  echo "SKIPPED: a private CUPS daemon could not start here: $(cat "$work/log/start" "$work/log/error_log" 2>/dev/null | tail -n 3)"
  exit 77
fi
export TK_PRINTED=$work/out/printed
lpadmin -p tk-file -E -v "file://$TK_PRINTED" -P "$here/tk-file.ppd" 2>/dev/null
"$@"
