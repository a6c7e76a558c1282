#!/usr/bin/env bash
# check_programs.sh [--x86_64] WIN32_BUILD_DIR PROGRAM...
# Each shipped program is a Windows GUI program of the tree's architecture (32-bit, or
# x86_64 with --x86_64) whose import table names only DLLs that every Windows has (it is
# linked statically: no mingw runtime DLL beside it), and whose manifest, when it has
# one, names that same architecture everywhere (Windows refuses a 64-bit program that
# asks for the x86 common controls).
set -uo pipefail
kind_wanted="PE32 executable (GUI) Intel 80386" arch_wanted=x86 objdump=i686-w64-mingw32-objdump
if [ "${1:-}" = --x86_64 ]; then
  kind_wanted="PE32+ executable (GUI) x86-64" arch_wanted=amd64 objdump=x86_64-w64-mingw32-objdump
  shift
fi
dir=$1
shift
if [ "$arch_wanted" = amd64 ] && [ ! -d "$dir" ]; then
  echo "skipped: no x86_64 tree is built here ($dir)"
  exit 77
fi
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
    "$kind_wanted"*) echo "ok: $name: $kind" ;;
    *) echo "FAIL: $name: $kind"; failed=1 ;;
  esac
  dlls=$("$objdump" -p "$exe" | awk '/DLL Name:/ {print $3}')
  for dll in $dlls; do
    if grep -qiE "$allowed" <<<"$dll"; then
      echo "ok: $name imports $dll"
    else
      echo "FAIL: $name imports $dll, which Windows does not ship"
      failed=1
    fi
  done
  if grep -aq '<assembly' "$exe"; then
    archs=$(grep -ao 'processorArchitecture="[^"]*"' "$exe" | sort -u | paste -sd ' ')
    if [ "$archs" = "processorArchitecture=\"$arch_wanted\"" ]; then
      echo "ok: $name: its manifest names $arch_wanted"
    else
      echo "FAIL: $name: its manifest names ${archs:-no architecture}, not only $arch_wanted"
      failed=1
    fi
  fi
done
exit $failed
