#!/usr/bin/env bash
# Sets up, builds every tree and runs every test: the formatting check,
# native (sanitizers; each fuzz target replays its corpora and then makes a
# fixed-seed run of fixed length) and Windows (under Wine and Xvfb).
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh

wintree=$(bash tools/windows-tree.sh)
why=$(bash tools/windows-tree.sh --why)
echo "Windows tests: the $why"
trees=(native win32)
[ "$wintree" = win32 ] || trees+=("$wintree")
bash tools/build.sh "${trees[@]}"

stop_wine() { "build/$wintree/wine-run.sh" --stop; }
trap stop_wine EXIT

status=0
bash tools/check-format.sh || status=1
# The tools' own tests (they need no build).
for test in tools/tests/*.sh; do bash "$test" || status=1; done
(cd build/native && ctest --output-on-failure -j"$(nproc)") || status=1
# One Windows test program at a time: they share one screen, one mouse and
# one keyboard, and a window or input of one must never reach another's
# full-screen saver.
(cd "build/$wintree" && ctest --output-on-failure) || status=1
# The shipped 32-bit tree's checks that need no Wine (export names).
if [ "$wintree" != win32 ]; then
    (cd build/win32 && ctest --output-on-failure -L nowine) || status=1
fi
# Said again at the end, where a reader of a long log looks first.
echo "Windows tests ran on the $why"
exit $status
