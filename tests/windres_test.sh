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
. "$(dirname "$0")/lib.sh"
has() { check_that grep -q -- "$1" "$work/back.rc"; }
has "FILEVERSION $major, $minor, 0, 0"
has "PRODUCTVERSION $major, $minor, 0, 0"
has 'BLOCK "040904B0"'
has 'VALUE "ProductName", "Nombrelix"'
has "VALUE \"FileVersion\", \"$version\""
has "VALUE \"ProductVersion\", \"$version\""
has 'VALUE "Translation", 0x409, 1200'
has 'RT_GROUP_ICON'
exit $fail
