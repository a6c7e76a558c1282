#!/usr/bin/env bash
# Builds the game and starts it under Wine. Without a display it starts a private Xvfb
# display, lets the program run a few seconds, saves a screenshot and says where.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${ZD_BUILD_DIR:-$top/build}
bash "$top/tools/setup.sh"
cmake -S "$top" -B "$build" -DZD_WITH_FUZZ=OFF >/dev/null
cmake --build "$build" -j"$(nproc)" >/dev/null
exec bash "$top/tools/run_game.sh" "$build" "$@"
