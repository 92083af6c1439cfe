#!/usr/bin/env bash
# Installs 32-bit Wine (wine32) on a machine whose kernel runs 32-bit code.
#
# A multi-arch library must have the same version in both architectures, and
# a machine's installed amd64 packages and the i386 package lists can
# disagree: the image was made from other lists, or the amd64 lists have
# moved past the i386 ones. So when the plain install fails, every package
# of wine32's i386 dependency closure whose installed amd64 version differs
# from its i386 candidate is given the newest version that both
# architectures can have: one the i386 lists hold and the amd64 lists hold
# or is installed. The amd64 twin moves to it, and the script says so.
#
# Every file comes through apt, checked against the signed package lists.
# None is fetched by hand: an i386 file of a version the i386 lists lack has
# no hash that anyone vouches for.
# Exits 0 when wine32 is installed.
set -euo pipefail
# apt-cache's output is read below, so untranslated.
export LC_ALL=C

install() {
    # Another apt (an unattended upgrade) may hold the dpkg lock for a while.
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        -o DPkg::Lock::Timeout=600 "$@" >>"$log" 2>&1
}

installed_version() {
    { dpkg-query -W -f='${Status} ${Version}' "$1" 2>/dev/null || true; } |
        awk '$3 == "installed" { print $4 }'
}
candidate() { apt-cache policy "$1" 2>/dev/null | awk '$1 == "Candidate:" { print $2 }'; }
multi_arch_same() {
    apt-cache show "$1=$2" 2>/dev/null | awk '$1 == "Multi-Arch:" { print $2; exit }' | grep -qx same
}
# The versions of package $1 (name:arch) that the package lists hold.
list_versions() { apt-cache madison "$1" 2>/dev/null | awk -F' [|] ' '{ print $2 }'; }

# Prints the newest of the versions $2 (the i386 lists') that the versions
# $3 (the amd64 lists') or the installed amd64 version $1 also hold.
newest_common() {
    local best='' version
    for version in $2; do
        grep -qxF -- "$version" <<<"$1"$'\n'"$3" || continue
        if [ -z "$best" ] || dpkg --compare-versions "$version" gt "$best"; then best=$version; fi
    done
    echo "$best"
}

# Prints the apt-get arguments, one a line, that give package $1 one version
# in both architectures; nothing when they agree already. Says on stderr
# what moves.
plan() {
    local name=$1 have want
    have=$(installed_version "$name:amd64")
    want=$(candidate "$name:i386")
    [ -n "$have" ] && [ -n "$want" ] && [ "$have" != "$want" ] || return 0
    multi_arch_same "$name:i386" "$want" || return 0
    want=$(newest_common "$have" "$(list_versions "$name:i386")" "$(list_versions "$name:amd64")")
    if [ -z "$want" ]; then
        echo "setup: $name: no version is in both architectures' lists (amd64 $have is installed)" >&2
    elif [ "$want" = "$have" ]; then
        echo "$name:i386=$have"
    else
        echo "setup: $name: amd64 $have moves to $want, the newest version both architectures' lists hold" >&2
        echo "$name:amd64=$want"
        echo "$name:i386=$want"
    fi
}

main() {
    log=${1:-/tmp/setup-wine32.log}
    : >"$log"
    install wine32 && return 0
    echo "setup: wine32 does not install as it is; matching its libraries' versions" >&2

    local wanted=() closure entry name
    closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
        --no-replaces --no-enhances wine32:i386 2>/dev/null | grep -E '^[a-z0-9].*:i386$' | sort -u)
    for entry in $closure; do
        name=${entry%:i386}
        # Not installable in both architectures at once.
        case "$name" in dpkg | libcap2-bin) continue ;; esac
        mapfile -t -O "${#wanted[@]}" wanted < <(plan "$name")
    done
    install --allow-downgrades wine32 "${wanted[@]}"
}

# Run, or (sourced by a test) only define the functions.
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    main "$@"
fi
