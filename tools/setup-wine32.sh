#!/usr/bin/env bash
# Installs 32-bit Wine (wine32) on a machine whose kernel runs 32-bit code.
#
# A multi-arch library must have the same version in both architectures, and
# a machine's installed amd64 packages and the i386 package lists can
# disagree: the image was made from other lists, or a mirror's i386 security
# updates lag the amd64 ones. So when the plain install fails, every package
# of wine32's i386 dependency closure whose installed amd64 version differs
# from its i386 candidate is given one version in both architectures:
# - i386 candidate newer: both architectures at that version;
# - i386 list behind: the i386 file of the installed amd64 version, fetched
#   from the archive that holds the amd64 one (same pool path, _i386.deb)
#   and offered to apt from a local file repository.
# Exits 0 when wine32 is installed.
set -uo pipefail

install() {
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "$@" >>"$log" 2>&1
}

installed_version() {
    dpkg-query -W -f='${Status} ${Version}' "$1" 2>/dev/null | awk '$3 == "installed" { print $4 }'
}
candidate() { apt-cache policy "$1" 2>/dev/null | awk '$1 == "Candidate:" { print $2 }'; }
multi_arch_same() {
    apt-cache show "$1=$2" 2>/dev/null | awk '$1 == "Multi-Arch:" { print $2; exit }' | grep -qx same
}
# The archive URIs whose lists hold version $2 of package $1.
archives_of() {
    apt-cache policy "$1" 2>/dev/null | awk -v v="$2" '
        /^ (\*\*\*)? +[^ ]+ [0-9-]+$/ { sub(/^ (\*\*\*)? +/, ""); here = ($1 == v); next }
        here && $2 ~ /^[a-z+]+:/ { print $2 }'
}

repo=/var/cache/quorvel-wine32
list=/etc/apt/sources.list.d/quorvel-wine32.list

# Prints the apt-get arguments, one a line, that give package $1 one version
# in both architectures; nothing when they agree already.
plan() {
    local name=$1 have want file got archive target
    have=$(installed_version "$name:amd64")
    want=$(candidate "$name:i386")
    [ -n "$have" ] && [ -n "$want" ] && [ "$have" != "$want" ] || return 0
    multi_arch_same "$name:i386" "$want" || return 0
    if dpkg --compare-versions "$want" gt "$have"; then
        echo "$name:amd64=$want"
        echo "$name:i386=$want"
        return 0
    fi
    # The i386 list is behind the installed amd64 package.
    file=$(apt-cache show "$name:amd64=$have" 2>/dev/null | awk '$1 == "Filename:" { print $2; exit }')
    got=
    for archive in $(archives_of "$name:amd64" "$have"); do
        [ -n "$file" ] || break
        target="$repo/$(basename "${file%_amd64.deb}_i386.deb")"
        if /usr/lib/apt/apt-helper download-file "$archive/${file%_amd64.deb}_i386.deb" "$target" \
            >>"$log" 2>&1; then
            got=1
            break
        fi
    done
    if [ -n "$got" ]; then
        echo "$name:i386=$have"
    else
        echo "setup: no i386 file of $name $have was found" >&2
    fi
}

main() {
    log=${1:-/tmp/setup-wine32.log}
    : >"$log"
    install wine32 && exit 0
    echo "setup: wine32 does not install as it is; matching its libraries' versions" >&2

    rm -rf "$repo" "$list" && mkdir -p "$repo"
    chown _apt: "$repo" 2>/dev/null || true # apt's downloads run as _apt
    local wanted=() closure entry name
    closure=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts --no-breaks \
        --no-replaces --no-enhances wine32:i386 2>/dev/null | grep -E '^[a-z0-9].*:i386$' | sort -u)
    for entry in $closure; do
        name=${entry%:i386}
        # Not installable in both architectures at once.
        case "$name" in dpkg | libcap2-bin) continue ;; esac
        mapfile -t -O "${#wanted[@]}" wanted < <(plan "$name")
    done

    if compgen -G "$repo/*.deb" >/dev/null; then
        (
            cd "$repo" || exit 1
            for deb in *.deb; do
                dpkg-deb -f "$deb"
                echo "Filename: ./$deb"
                echo "Size: $(stat -c %s "$deb")"
                echo "SHA256: $(sha256sum "$deb" | cut -d' ' -f1)"
                echo
            done >Packages
        )
        echo "deb [trusted=yes] file:$repo ./" >"$list"
        apt-get update -qq -o Dir::Etc::sourcelist="$list" -o Dir::Etc::sourceparts=- \
            -o APT::Get::List-Cleanup=0 >>"$log" 2>&1
    fi
    install wine32 "${wanted[@]}"
    local status=$?
    # The installed packages need the local repository no longer; a later full
    # update must not look for it.
    rm -f "$list"
    exit $status
}

# Run, or (sourced by a test) only define the functions.
if [ "${BASH_SOURCE[0]}" = "$0" ]; then
    main "$@"
fi
