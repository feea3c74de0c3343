#!/usr/bin/env bash
# The Windows resource script compiles, and carries the version information
# and the icon.   windres_test.sh <app-source-dir>
set -euo pipefail
windres=x86_64-w64-mingw32-windres
command -v $windres >/dev/null || { echo "SKIP: $windres is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$1"
$windres --preprocessor=cpp nombrelix.rc -O coff -o "$work/nombrelix.o"
$windres --preprocessor=cpp -i nombrelix.rc -O res -o "$work/nombrelix.res"
$windres -i "$work/nombrelix.res" -O rc -o "$work/back.rc"
fail=0
check() { if grep -q -- "$1" "$work/back.rc"; then echo "ok: $1"; else echo "FAIL: no $1"; fail=1; fi; }
check 'FILEVERSION 1, 0, 0, 0'
check 'PRODUCTVERSION 1, 0, 0, 0'
check 'BLOCK "040904B0"'
check 'VALUE "ProductName", "Nombrelix"'
check 'VALUE "FileVersion", "1.00"'
check 'VALUE "ProductVersion", "1.00"'
check 'VALUE "Translation", 0x409, 1200'
check 'RT_GROUP_ICON'
exit $fail
