#!/usr/bin/env bash
# Sets up, builds, makes a sample screensaver from the built-in logo through
# the saver library, and shows it full screen under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
wintree=$(bash tools/windows-tree.sh)
bash tools/build.sh "$wintree"
bin="build/$wintree/bin"
"build/$wintree/wine-run.sh" "$bin/MakeSample.exe" >/dev/null
exec "build/$wintree/wine-run.sh" "$bin/Quorvel Sample.scr" /s
