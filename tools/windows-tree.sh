#!/usr/bin/env bash
# Prints the build tree whose programs Wine can run here: win32 where the
# kernel executes 32-bit code and 32-bit Wine is installed, else win64 (the
# same sources, 64-bit). With --why, prints the reason after the name.
why=${1:-}
if /usr/lib/wine/wineserver32 --version >/dev/null 2>&1; then
    tree=win32 reason="32-bit Wine runs here"
elif [ ! -e /usr/lib/wine/wineserver32 ]; then
    tree=win64 reason="32-bit Wine (wine32) is not installed"
else
    tree=win64 reason="this kernel runs no 32-bit programs"
fi
if [ "$why" = --why ]; then echo "$tree tree, because $reason"; else echo "$tree"; fi
