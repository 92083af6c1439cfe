#!/usr/bin/env bash
# The wine32 set-up's choice of one version for both architectures of a
# library, fed with made-up package lists (nothing is installed or fetched).
# The made-up apt-cache and dpkg-query are called from the sourced script.
# shellcheck disable=SC1091,SC2317
set -euo pipefail
source "$(dirname "$0")/../setup-wine32.sh"

# The made-up library libx: its installed amd64 version and the versions the
# i386 and amd64 lists hold, newest first.
installed='' i386='' amd64=''
dpkg-query() { echo "install ok installed $installed"; }
apt-cache() {
    local arch versions v
    case $1 in
    policy) echo "  Candidate: ${i386%% *}" ;;
    show) echo "Multi-Arch: same" ;;
    madison)
        arch=${2#*:} versions=${i386}
        [ "$arch" = amd64 ] && versions=$amd64
        for v in $versions; do echo "  libx:$arch | $v | http://deb.example/debian x/main $arch Packages"; done
        ;;
    esac
}

status=0
expect() { # expected plan; installed amd64; i386 list; amd64 list
    installed=$2 i386=$3 amd64=$4
    local got
    got=$(plan libx 2>/dev/null | xargs)
    if [ "$got" != "$1" ]; then
        echo "FAIL: amd64 $2 installed, lists i386 ($3), amd64 ($4): planned '$got', not '$1'" >&2
        status=1
    fi
}
# The amd64 lists have moved past the i386 ones: back to the newest both hold.
expect "libx:amd64=1.0-2 libx:i386=1.0-2" 1.0-3 "1.0-2 1.0-1" "1.0-3 1.0-2 1.0-1"
# The installed amd64 version is in no list.
expect "libx:amd64=1.0-2 libx:i386=1.0-2" 1.0-4 "1.0-2 1.0-1" "1.0-3 1.0-2"
# The i386 lists are ahead, and the amd64 ones hold their version.
expect "libx:amd64=1.0-2 libx:i386=1.0-2" 1.0-1 "1.0-2 1.0-1" "1.0-2 1.0-1"
# No version in both lists: nothing to ask for.
expect "" 1.0-4 "1.0-2" "1.0-3"
[ $status = 0 ] && echo "setup-wine32.sh: version choice as expected"
exit $status
