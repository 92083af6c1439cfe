#!/usr/bin/env bash
# Prints the build tree whose programs Wine can run here: win32 where the
# kernel executes 32-bit code and 32-bit Wine is installed, else win64 (the
# same sources, 64-bit). With --why, prints the reason after the name.
why=${1:-}
cd "$(dirname "$0")/.."
if ! bash tools/runs-32bit.sh; then
    tree=win64 reason="this kernel runs no 32-bit programs"
elif /usr/lib/wine/wineserver32 --version >/dev/null 2>&1; then
    tree=win32 reason="32-bit Wine runs here"
else
    tree=win64 reason="32-bit Wine (wine32) could not be installed although this kernel runs 32-bit programs: the shipped 32-bit programs are NOT tested under Wine (see tools/setup.sh's messages above)"
fi
if [ "$why" = --why ]; then echo "$tree tree, because $reason"; else echo "$tree"; fi
