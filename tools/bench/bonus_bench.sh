#!/usr/bin/env bash
# bonus_bench.sh [BUILD_DIR] [RUNS]: the time bonus animation under Wine on a private
# Xvfb display (bonus_bench.exe, tools/bench/bonus_bench_win32.cpp), RUNS times (3).
# Prints figures; passes or fails nothing (the machines are shared and noisy).
#   - 200 bare pauses of 20 ms: what the machine allows at the moment
#   - one ball and four balls that stay inside the window all 100 steps: the whole
#     length (goal: 4.0 s within 5 %), the longest drawing and erasing step on the
#     50 x 40 field, and the GDI objects of the process before and after
set -uo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
runs=${2:-3}
. "$top/tools/wine_env.sh"
programs=win32
[ "$ZD_WINE64" = 1 ] && programs=win64
export ZD_E2E_STATE="$build/bench-state" ZD_WIN32_DIR="$build/$programs" ZD_SOURCE_DIR="$top"
export ZD_TEST_NAME=bonus-bench
. "$top/tests/e2e/harness.sh"
trap 'e2e_end >/dev/null 2>&1; e2e_run_cleanup >/dev/null' EXIT
e2e_run_setup >/dev/null || exit 1
e2e_begin >/dev/null
trap 'e2e_end >/dev/null 2>&1; e2e_run_cleanup >/dev/null' EXIT

echo "$programs build of the programs; $(nproc) cores"
wine "$ZD_DRIVER" tick >/dev/null 2>&1   # Wine is up before the first run
for run in $(seq 1 "$runs"); do
  echo "run $run, load average $(cut -d' ' -f1-3 /proc/loadavg):"
  wine "$ZD_WIN32_DIR/graphics/bonus_bench.exe" 2>/dev/null | tr -d '\r' | sed 's/^/  /'
done
