#!/usr/bin/env bash
# Sets up, builds and starts the creator under Wine.
#   bash tools/run.sh          the creator, Quorvel.exe
#   bash tools/run.sh sample   a sample screensaver made from the built-in logo
#                              through the saver library, full screen
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
wintree=$(bash tools/windows-tree.sh)
bash tools/build.sh "$wintree"
bin="build/$wintree/bin"
if [ "${1:-}" = sample ]; then
    "build/$wintree/wine-run.sh" "$bin/MakeSample.exe" >/dev/null
    exec "build/$wintree/wine-run.sh" "$bin/Quorvel Sample.scr" /s
fi
exec "build/$wintree/wine-run.sh" "$bin/Quorvel.exe"
