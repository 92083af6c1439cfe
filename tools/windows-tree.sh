#!/usr/bin/env bash
# Prints the build tree whose programs Wine can run here: win32 where the
# kernel executes 32-bit code, else win64 (the same sources, 64-bit).
if /usr/lib/wine/wineserver32 --version >/dev/null 2>&1; then echo win32; else echo win64; fi
