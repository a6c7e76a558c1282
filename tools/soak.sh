#!/usr/bin/env bash
# soak.sh [SECONDS [SEED]]: the long soak. Plays the built game under Wine on a private
# Xvfb display for SECONDS (default 3600) with seeded random real input (SEED default:
# random, printed first), answering every box and dialog, and prints its figures: inputs,
# commands, dialogs answered, samples of GDI objects, handles and memory, their values
# after the first minute, at their peak and at the end, and every fault seen.
# Environment: ZD_BUILD_DIR (default build/), ZD_SOAK_SOUND=1 plays into a PulseAudio
# null sink (sounds then take their real time), ZD_SOAK_EXITS (per mille of actions
# that exit the game, which is then restarted; default 0: one process the whole run),
# ZD_SOAK_PREFIX_FROM=DIR copies a ready Wine prefix instead of creating one (slow where
# 32-bit programs run emulated).
set -uo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${ZD_BUILD_DIR:-$top/build}
seconds=${1:-3600}
seed=${2:-$((RANDOM * 32768 + RANDOM))}
echo "soak: $seconds s, seed $seed (replay: tools/soak.sh $seconds $seed)"

export ZD_E2E_STATE="$build/soak"
. "$top/tools/wine_env.sh"
# The game as this machine runs it, and the drivers (see tools/wine_env.sh).
export ZD_WIN32_DIR="$build/$ZD_PROGRAMS_TREE" ZD_DRIVER_DIR="$build/$ZD_DRIVER_TREE"
if [ "$ZD_WINE_ROUTE" = emu ]; then
  # Emulated 32-bit Wine hangs in the common file dialogs and cannot be counted in
  # (tests/e2e/README.md): the soak plays the x86_64 build here.
  export ZD_WIN32_DIR="$build/win64"
  echo "soak: the x86_64 game (this machine runs the i686 one only emulated)"
fi
export ZD_SOURCE_DIR="$top" ZD_IDS="$build/e2e_ids.sh"
export ZD_TEST_NAME=long
[ -x "$ZD_DRIVER_DIR/tests/driver/zdsoak.exe" ] || { echo "build first: $ZD_DRIVER_DIR/tests/driver/zdsoak.exe is missing" >&2; exit 2; }
. "$top/tests/e2e/harness.sh"
if [ -n "${ZD_SOAK_PREFIX_FROM:-}" ]; then
  rm -rf "$ZD_E2E_STATE"
  mkdir -p "$ZD_E2E_STATE/work" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  cp -a "$ZD_SOAK_PREFIX_FROM" "$WINEPREFIX" || exit 1
  xvfb=$(e2e_start_xvfb 24 run) || exit 1
  set -- $xvfb
  printf 'E2E_XVFB_PID=%s\nDISPLAY=%s\n' "$1" "$2" > "$E2E_RUN_ENV"
else
  e2e_run_setup || exit 1
fi
trap 'e2e_run_cleanup >/dev/null' EXIT
(
  # A subshell: e2e_begin's exit trap reports the processes left behind.
  e2e_begin
  . "$top/tests/e2e/game_lib.sh"
  . "$top/tests/e2e/soak_lib.sh"
  [ "${ZD_SOAK_SOUND:-0}" = 1 ] && e2e_audio_start
  GAME_DIR="$E2E_WORK/game"
  game_prepare
  soak_pictures "$E2E_WORK/pictures"
  mkdir -p "$E2E_WORK/saves"
  # The game's resident memory as Linux sees it, every 60 s, beside the soak's own figures.
  (
    while sleep 60; do
      # This run's game: its command line holds its folder (with backslashes).
      pid=$(pgrep -f "${GAME_DIR//\//.}.ZERADE95" | head -n1)
      [ -n "$pid" ] && echo "rss $(date +%H:%M:%S) $(awk '/^VmRSS/ {print $2, $3}' "/proc/$pid/status")"
    done
  ) > "$build/soak-rss.log" &
  rss_sampler=$!
  soak_run "$GAME_DIR" "$seconds" "$seed" --pictures "$(winpath "$E2E_WORK/pictures")" \
    --saves "$(winpath "$E2E_WORK/saves")" --exits "${ZD_SOAK_EXITS:-0}" | tee "$build/soak.log"
  status=${PIPESTATUS[0]}
  kill $rss_sampler
  cat "$build/soak-rss.log"
  echo "soak: record in $build/soak.log; exit status $status (0: no fault)"
  [ "$status" = 0 ] || E2E_FAILED=1
)
