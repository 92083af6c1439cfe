#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 (run as root).
# Quick when everything is already there.
#
# 32-bit Wine (wine32) is installed where the kernel runs 32-bit code
# (tools/setup-wine32.sh, which also mends disagreeing package versions);
# elsewhere it is of no use and the win64 tree runs the tests
# (tools/windows-tree.sh says which tree runs, and why).
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    cmake ninja-build clang clang-format libclang-rt-14-dev googletest
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev zlib1g-dev libstb-dev
    wine wine64 xvfb xauth
    fp-utils # chmcmd and chmls: the help file quorvel.chm
    netpbm   # writes the test pictures of the formats our own decoders read
)

installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }

# A mirror in mid-sync serves an index of the wrong size and apt-get update
# exits 100; the other indexes are still updated. Try a few times, then go on
# with what was fetched.
update() {
    local try tries=$1
    for try in $(seq "$tries"); do
        apt-get update -qq && return 0
        echo "setup: apt-get update failed (try $try of $tries)" >&2
        [ "$try" = "$tries" ] || sleep $((try * 5))
    done
    echo "setup: going on with the package lists that could be fetched" >&2
}

if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    need_update=1
fi
missing=()
for p in "${packages[@]}"; do installed "$p" || missing+=("$p"); done
want_wine32=
if bash tools/runs-32bit.sh && ! installed wine32:i386; then want_wine32=1; fi

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ] || [ -n "$want_wine32" ]; then
    update 4
fi
if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
if [ -n "$want_wine32" ] && ! bash tools/setup-wine32.sh /tmp/setup-wine32.log; then
    echo "setup: wine32 could not be installed although this kernel runs 32-bit code;" \
        "the 64-bit tree will run the Windows tests:" >&2
    tail -n 5 /tmp/setup-wine32.log >&2
fi
