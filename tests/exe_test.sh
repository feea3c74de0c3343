#!/usr/bin/env bash
# SPDX-License-Identifier: MIT
# nombrelix.exe as shipped: the version resource (Nombrelix, 1.00, U.S.
# English with Unicode, 040904B0), the icon, a manifest asking for Common
# Controls 6 and per-monitor DPI awareness v2, and imports of Windows' own
# DLLs only (statically linked: no runtime to install).
# Usage: exe_test.sh path/to/nombrelix.exe VERSION
set -euo pipefail
exe=$1 version=$2
objdump=x86_64-w64-mingw32-objdump
command -v "$objdump" >/dev/null || { echo "SKIP: $objdump is not installed"; exit 77; }
. "$(dirname "$0")/lib.sh"
wide=$(strings -el "$exe")
for want in "040904B0" "Nombrelix" "$version" "Dec to Hex to Bin" "nombrelix.exe"; do
  check "version resource: $want" "$(grep -xF -- "$want" <<<"$wide" | head -n1)" "$want"
done
narrow=$(strings -a "$exe")
grep -q 'name="Microsoft.Windows.Common-Controls" version="6.0.0.0"' <<<"$narrow" && echo "ok: Common Controls 6" ||
  { echo "FAIL: no Common Controls 6 in the manifest"; fail=1; }
grep -q '>PerMonitorV2<' <<<"$narrow" && echo "ok: per-monitor DPI awareness v2" ||
  { echo "FAIL: no PerMonitorV2 in the manifest"; fail=1; }
rsrc=$("$objdump" -s -j .rsrc "$exe" | wc -l)
[ "$rsrc" -gt 100 ] && echo "ok: resources present" || { echo "FAIL: no resource section"; fail=1; }
imports=$("$objdump" -p "$exe" | awk '/DLL Name:/ {print toupper($3)}' | sort -u)
allowed="ADVAPI32.DLL COMCTL32.DLL GDI32.DLL KERNEL32.DLL MSVCRT.DLL OLE32.DLL OLEACC.DLL OLEAUT32.DLL USER32.DLL UXTHEME.DLL"
for dll in $imports; do
  [[ " $allowed " == *" $dll "* ]] && echo "ok: imports $dll" || { echo "FAIL: imports $dll"; fail=1; }
done
exit $fail
