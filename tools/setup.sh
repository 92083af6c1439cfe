#!/usr/bin/env bash
# Installs what building and testing need on Debian 12 (run as root).
# Quick when everything is already there.
#
# 32-bit Wine (wine32) is wanted but not required: where a package mirror is
# in mid-sync its i386 packages can lag the amd64 ones, and where the kernel
# runs no 32-bit code it is of no use. Without it the win64 tree runs the
# tests (tools/windows-tree.sh says which tree runs, and why).
set -euo pipefail

packages=(
    cmake ninja-build clang clang-format libclang-rt-14-dev googletest
    g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix libz-mingw-w64-dev zlib1g-dev libstb-dev
    wine wine64 xvfb xauth
    fp-utils # chmcmd and chmls: the help file quorvel.chm
)
optional=(wine32)

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
missing_optional=()
for p in "${optional[@]}"; do installed "$p" || missing_optional+=("$p"); done

if [ ${#missing[@]} -gt 0 ] || [ -n "${need_update:-}" ]; then
    update 4
elif [ ${#missing_optional[@]} -gt 0 ]; then
    update 1 # only the optional package is missing: one quick try
fi
if [ ${#missing[@]} -gt 0 ]; then
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
for p in "${missing_optional[@]}"; do
    if ! DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$p" >/dev/null 2>/tmp/setup-$p.err; then
        echo "setup: $p could not be installed; the 64-bit tree will run the Windows tests:" >&2
        tail -n 3 /tmp/setup-$p.err >&2
    fi
done
