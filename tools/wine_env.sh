# Sourced by the scripts that start Wine. Where this machine cannot execute 32-bit code
# (32-bit Wine then fails with "Exec format error"), `wine` and `wineboot` are made to
# start 64-bit Wine, which runs the 64-bit build of the programs (build/win64).
# ZD_WINE64=1 or 0 forces the choice; otherwise it is found out here.
zd_wine_tools="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/wine64"
if [ -z "${ZD_WINE64:-}" ]; then
  if /usr/lib/wine/wine --version >/dev/null 2>&1; then ZD_WINE64=0; else ZD_WINE64=1; fi
fi
export ZD_WINE64
if [ "$ZD_WINE64" = 1 ]; then
  case ":$PATH:" in *":$zd_wine_tools:"*) ;; *) export PATH="$zd_wine_tools:$PATH" ;; esac
  export WINELOADER=/usr/lib/wine/wine64
fi
unset zd_wine_tools
