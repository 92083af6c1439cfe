#!/usr/bin/env bash
# Exits 0 when this kernel runs 32-bit x86 programs, 1 when it does not.
# Asks the kernel itself: a 96-byte static i386 program that only exits with
# status 42, so no 32-bit library or loader needs to be installed first.
set -u
dir=$(cd "$(dirname "$0")/.." && pwd)/build
mkdir -p "$dir"
probe=$(mktemp "$dir/runs-32bit.XXXXXX")
trap 'rm -f "$probe"' EXIT
{
    # ELF header: 32-bit, little-endian, executable for i386, entry 0x08048054.
    printf '\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00'
    printf '\x02\x00\x03\x00\x01\x00\x00\x00\x54\x80\x04\x08\x34\x00\x00\x00'
    printf '\x00\x00\x00\x00\x00\x00\x00\x00\x34\x00\x20\x00\x01\x00\x00\x00\x00\x00\x00\x00'
    # One loadable, executable segment: the whole file at 0x08048000.
    printf '\x01\x00\x00\x00\x00\x00\x00\x00\x00\x80\x04\x08\x00\x80\x04\x08'
    printf '\x60\x00\x00\x00\x60\x00\x00\x00\x05\x00\x00\x00\x00\x10\x00\x00'
    # mov eax, 1 (exit); mov ebx, 42; int 0x80
    printf '\xb8\x01\x00\x00\x00\xbb\x2a\x00\x00\x00\xcd\x80'
} >"$probe"
chmod +x "$probe"
"$probe" 2>/dev/null
[ $? -eq 42 ]
