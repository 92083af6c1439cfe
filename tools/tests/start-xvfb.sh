#!/usr/bin/env bash
# start-xvfb.sh beside what a killed server leaves (its socket and a lock
# naming a dead process) must start a server, and beside a live one must
# leave it alone.
set -euo pipefail
n=79
script="$(dirname "$0")/../start-xvfb.sh"
socket=/tmp/.X11-unix/X$n lock=/tmp/.X$n-lock
server_pid() { tr -d ' \n' <"$lock"; }
cleanup() { pkill -f "^Xvfb :$n " 2>/dev/null || true; }
trap cleanup EXIT
cleanup
sleep 0.2
rm -f "$socket" "$lock"

mkdir -p /tmp/.X11-unix
: >"$socket" # the old check looked only for a file there
sh -c 'exit 0' &
dead=$!
wait $dead
printf '%10d\n' "$dead" >"$lock"

status=0
bash "$script" $n || status=$?
pid=$(server_pid)
if [ $status -ne 2 ]; then
    echo "FAIL: start-xvfb.sh said $status, not 2, when it had to start a server on :$n" >&2
    exit 1
fi
if [ "$pid" = "$dead" ] || [ "$(cat "/proc/$pid/comm" 2>/dev/null)" != Xvfb ]; then
    echo "FAIL: a stale socket and lock passed for a live server on :$n" >&2
    exit 1
fi
bash "$script" $n
if [ "$(server_pid)" != "$pid" ]; then
    echo "FAIL: a second server was started beside the live one on :$n" >&2
    exit 1
fi
echo "start-xvfb.sh: a stale server's files are replaced, a live server is kept"
