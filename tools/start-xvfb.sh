#!/usr/bin/env bash
# start-xvfb.sh N: makes sure an X server answers on display :N, starting
# Xvfb (1920 x 1080) when none runs. A server that was killed without its
# clean-up leaves its socket and lock file behind; they must not pass for a
# live server, or every window of the programs after it fails.
# Exit status: 0 a server was running, 2 one was started, 1 none could be.
set -e
n=$1
socket=/tmp/.X11-unix/X$n
lock=/tmp/.X$n-lock

live_server() {
    local pid
    pid=$(tr -d ' \n' 2>/dev/null <"$lock") || return 1
    [ -n "$pid" ] && [ -e "$socket" ] && [[ $(cat "/proc/$pid/comm" 2>/dev/null) == X* ]]
}

(
    flock 8
    if ! live_server; then
        rm -f "$socket" "$lock"
        setsid Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp </dev/null >/dev/null 2>&1 8>&- &
        for _ in $(seq 100); do live_server && break; sleep 0.1; done
        live_server || { echo "start-xvfb.sh: Xvfb did not start on :$n" >&2; exit 1; }
        exit 2
    fi
) 8>"/tmp/quorvel-xvfb-$n.lock"
