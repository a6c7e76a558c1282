# Sourced by the scripts that start Wine. Picks how this machine runs the Windows
# programs (tools/wine_route.sh; ZD_WINE_ROUTE set beforehand forces it) and exports:
#   ZD_WINE_ROUTE    native, emu or wine64
#   ZD_PROGRAMS_TREE the build tree whose programs a player's machine would run here:
#                    win32 (i686) on native and emu, win64 (x86_64) only on wine64
#   ZD_DRIVER_TREE   the tree of the test drivers: win64 wherever 64-bit Wine is the
#                    loader (they are started hundreds of times, and natively that is
#                    quick), win32 on native
# On emu, `wine` is 64-bit Wine in a 64-bit prefix; for a 32-bit program it starts its
# 32-bit loader, which the kernel hands to qemu inside the user namespace that
# tools/wine32emu/enter.sh makes. A script that sources this file at its top level is
# started again inside that namespace (with the same arguments) before anything else
# runs; a function that sources it must do that itself (zd_wine_enter).
zd_wine_top="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
if [ -z "${ZD_WINE_ROUTE:-}" ]; then
  ZD_WINE_ROUTE=$(bash "$zd_wine_top/tools/wine_route.sh")
fi
export ZD_WINE_ROUTE
case "$ZD_WINE_ROUTE" in
  native) ZD_PROGRAMS_TREE=win32 ZD_DRIVER_TREE=win32 ;;
  emu) ZD_PROGRAMS_TREE=win32 ZD_DRIVER_TREE=win64 ;;
  *) ZD_PROGRAMS_TREE=win64 ZD_DRIVER_TREE=win64 ;;
esac
export ZD_PROGRAMS_TREE ZD_DRIVER_TREE
# Off the native route 64-bit Wine is the loader.
if [ "$ZD_WINE_ROUTE" != native ]; then
  case ":$PATH:" in *":$zd_wine_top/tools/wine64:"*) ;; *) export PATH="$zd_wine_top/tools/wine64:$PATH" ;; esac
  export WINELOADER=/usr/lib/wine/wine64
fi
export ZD_EMU_LIB_DIR=${ZD_EMU_LIB_DIR:-${ZD_BUILD_DIR:-$zd_wine_top/build}/wine32emu}

# zd_wine_enter SCRIPT ARGS...: on emu, outside the namespace, starts SCRIPT again inside
# it (never returns); otherwise returns at once. A script that runs only 64-bit programs
# and must see the processes of every namespace stays outside with ZD_EMU_STAY_OUT=1:
# inside one, the processes started in another namespace hide their environment.
zd_wine_enter() {
  if [ "$ZD_WINE_ROUTE" = emu ] && [ "${ZD_EMU_INSIDE:-}" != 1 ] && [ "${ZD_EMU_STAY_OUT:-}" != 1 ]; then
    exec "$zd_wine_top/tools/wine32emu/enter.sh" bash "$@"
  fi
}
if [ -z "${FUNCNAME[*]+set}" ] && [ -f "$0" ]; then
  zd_wine_enter "$0" "$@"
fi
