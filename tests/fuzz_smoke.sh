#!/usr/bin/env bash
# fuzz_smoke.sh FUZZER CORPUS SECONDS
# A short libFuzzer run over a scratch copy of the seed corpus. Fails on any crash,
# leak, timeout or sanitizer report; prints the number of executions.
set -euo pipefail
fuzzer=$1 corpus=${2:-} seconds=${3:-10}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/corpus"
if [ -n "$corpus" ] && [ -d "$corpus" ]; then
  cp -r "$corpus"/. "$work/corpus/"
fi
cd "$work"
"$fuzzer" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -print_final_stats=1 \
  corpus > log 2>&1 || { tail -n 60 log; exit 1; }
grep -E 'stat::number_of_executed_units|stat::peak_rss_mb' log || true
