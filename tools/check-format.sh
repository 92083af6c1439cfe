#!/usr/bin/env bash
# Checks that the tracked C++ files match .clang-format. Files named in
# tools/format-pending.txt (one path a line) are not yet reformatted and are
# skipped; a listed file that already matches is reported, so the list only
# shrinks. With file arguments, checks just those.
set -euo pipefail
cd "$(dirname "$0")/.."

pending=tools/format-pending.txt
if [ $# -gt 0 ]; then
    files=("$@")
else
    # git lists nothing outside a checkout or in one another user owns, and
    # checking no file must not pass.
    listing=$(git ls-files '*.cpp' '*.h') || listing=
    if [ -z "$listing" ]; then
        echo "check-format: git lists no C++ files here; run it in a git checkout git may read" >&2
        exit 1
    fi
    mapfile -t files <<<"$listing"
fi

status=0
for file in "${files[@]}"; do
    listed=0
    [ -f "$pending" ] && grep -qxF "$file" "$pending" && listed=1
    if clang-format --dry-run -Werror "$file" >/dev/null 2>&1; then
        if [ $listed = 1 ]; then
            echo "check-format: $file matches now; take it off $pending" >&2
            status=1
        fi
    elif [ $listed = 0 ]; then
        echo "check-format: $file does not match .clang-format (clang-format -i $file)" >&2
        status=1
    fi
done
[ $status = 0 ] && echo "check-format: ${#files[@]} files checked"
exit $status
