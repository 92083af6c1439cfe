#!/usr/bin/env bash
# Sets up, builds and starts the program under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
wintree=$(bash tools/windows-tree.sh)
bash tools/build.sh "$wintree"
exec "build/$wintree/wine-run.sh" "build/$wintree/bin/SaverTemplate.scr" /s
