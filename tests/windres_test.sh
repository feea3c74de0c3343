#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# The Windows resource script compiles, and carries the version information
# and the icon.   windres_test.sh <configured nombrelix.rc> <version>
set -euo pipefail
windres=x86_64-w64-mingw32-windres
command -v $windres >/dev/null || { echo "SKIP: $windres is not installed"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
rc=$1
version=$2
major=${version%%.*}
minor=$((10#${version#*.}))
$windres --preprocessor=cpp "$rc" -O coff -o "$work/nombrelix.o"
$windres --preprocessor=cpp -i "$rc" -O res -o "$work/nombrelix.res"
$windres -i "$work/nombrelix.res" -O rc -o "$work/back.rc"
fail=0
check() { if grep -q -- "$1" "$work/back.rc"; then echo "ok: $1"; else echo "FAIL: no $1"; fail=1; fi; }
check "FILEVERSION $major, $minor, 0, 0"
check "PRODUCTVERSION $major, $minor, 0, 0"
check 'BLOCK "040904B0"'
check 'VALUE "ProductName", "Nombrelix"'
check "VALUE \"FileVersion\", \"$version\""
check "VALUE \"ProductVersion\", \"$version\""
check 'VALUE "Translation", 0x409, 1200'
check 'RT_GROUP_ICON'
exit $fail
