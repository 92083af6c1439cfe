#!/usr/bin/env bash
# check-format.sh where git lists nothing (no .git here) must fail, not pass
# having checked no file.
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
copy=$(mktemp -d)
trap 'rm -rf "$copy"' EXIT
mkdir "$copy/tools"
cp "$root/tools/check-format.sh" "$copy/tools/"
if GIT_CEILING_DIRECTORIES=$(dirname "$copy") bash "$copy/tools/check-format.sh" >/dev/null 2>&1; then
    echo "FAIL: check-format.sh passed outside a git checkout" >&2
    exit 1
fi
echo "check-format.sh outside a git checkout: fails, as it should"
