#!/usr/bin/env bash
# bonus_bench.sh [BUILD_DIR] [RUNS]: the time bonus animation under Wine on a private
# Xvfb display (bonus_bench.exe, tools/bench/bonus_bench_win32.cpp), RUNS times (3).
# Prints figures; passes or fails nothing (the machines are shared and noisy).
#   - 200 bare pauses of 20 ms: what the machine allows at the moment
#   - one ball and four balls that stay inside the window all 100 steps: the whole
#     length (goal: 4.0 s within 5 %), the longest drawing and erasing step on the
#     50 x 40 field, and the GDI objects of the process before and after
set -uo pipefail
runs=${2:-3}
. "$(dirname "$0")/bench_lib.sh"
bench_begin bonus "${1:-}"

echo "$programs build of the programs; $(nproc) cores"
wine "$ZD_DRIVER" tick >/dev/null 2>&1   # Wine is up before the first run
for run in $(seq 1 "$runs"); do
  echo "run $run, load average $(cut -d' ' -f1-3 /proc/loadavg):"
  wine "$ZD_WIN32_DIR/graphics/bonus_bench.exe" 2>/dev/null | tr -d '\r' | sed 's/^/  /'
done
