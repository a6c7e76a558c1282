#!/usr/bin/env bash
# run_game.sh BUILD_DIR: starts the game of BUILD_DIR under Wine from a folder that holds
# the shipped data files. On a machine without a display it starts a private Xvfb display,
# lets the program run a few seconds, saves a screenshot and says where.
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$1
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export WINEPREFIX=${WINEPREFIX:-$build/play/prefix}
export ZD_EMU_LIB_DIR="$build/wine32emu"
. "$top/tools/wine_env.sh"
# The i686 build, which players get; only where neither 32-bit Wine nor its emulated
# route runs, the 64-bit build of the same sources (tools/wine_route.sh).
tree="$build/$ZD_PROGRAMS_TREE"

game="$tree/ZERADE95.exe"
[ -f "$game" ] || game=$(find "$tree" -name ZERADE95.exe -print -quit 2>/dev/null)
if [ -z "$game" ] || [ ! -f "$game" ]; then
  # Until the game is built, the installation notice program stands in for it.
  game="$tree/installnote/ravezudi.exe"
fi

folder="$build/play/game"
rm -rf "$folder"
mkdir -p "$folder"
cp "$game" "$folder/"
[ -d "$top/data" ] && cp -r "$top/data/." "$folder/"
exe=$(basename "$game")

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  cd "$folder" && exec wine "$exe"
fi

echo "No display: running $exe on a private Xvfb display for a few seconds."
mkdir -p "$build/play"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$build/play/display" \
  >"$build/play/xvfb.log" 2>&1 &
xvfb=$!
trap 'wineserver -k >/dev/null 2>&1; kill $xvfb 2>/dev/null' EXIT
for _ in $(seq 100); do [ -s "$build/play/display" ] && break; sleep 0.1; done
export DISPLAY=":$(head -n1 "$build/play/display")"
[ -f "$WINEPREFIX/system.reg" ] || { echo "Creating the Wine prefix (once)..."; wineboot -i >/dev/null 2>&1; wineserver -w; }
(cd "$folder" && wine "$exe" >/dev/null 2>&1 &)
sleep "${ZD_PLAY_SECONDS:-8}"
shot="$build/play/screenshot.png"
import -window root "$shot"
echo "Screenshot saved: $shot"
