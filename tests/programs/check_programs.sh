#!/usr/bin/env bash
# check_programs.sh WIN32_BUILD_DIR PROGRAM...
# Each shipped program is a 32-bit Windows GUI program whose import table names only
# DLLs that every Windows has (it is linked statically: no mingw runtime DLL beside it).
set -uo pipefail
dir=$1
shift
allowed='^(KERNEL32|USER32|GDI32|COMDLG32|WINMM|ADVAPI32|SHELL32|COMCTL32|OLE32|msvcrt)\.dll$'
failed=0
for name in "$@"; do
  exe=$(find "$dir" -name "$name" -not -path '*/CMakeFiles/*' -print -quit)
  if [ -z "$exe" ]; then
    echo "FAIL: $name was not built"
    failed=1
    continue
  fi
  kind=$(file -b "$exe")
  case "$kind" in
    "PE32 executable (GUI) Intel 80386"*) echo "ok: $name: $kind" ;;
    *) echo "FAIL: $name: $kind"; failed=1 ;;
  esac
  dlls=$(i686-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print $3}')
  for dll in $dlls; do
    if grep -qiE "$allowed" <<<"$dll"; then
      echo "ok: $name imports $dll"
    else
      echo "FAIL: $name imports $dll, which Windows does not ship"
      failed=1
    fi
  done
done
exit $failed
