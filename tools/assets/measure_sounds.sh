#!/usr/bin/env bash
# Prints, for every recording: rate, bits, duration, peak and RMS level (dBFS), and the
# leading and trailing quiet time (below 2% of full scale), for review.
set -euo pipefail
calc() { awk "BEGIN { printf \"%.6f\", $1 }"; }
top=$(cd "$(dirname "$0")/../.." && pwd)
dir=${1:-$top/resources/sounds}
printf '%-18s %6s %4s %8s %7s %7s %6s %6s\n' name rate bits seconds peakdB rmsdB lead_ms tail_ms
for f in "$dir"/*.wav; do
  n=$(basename "$f" .wav)
  rate=$(soxi -r "$f"); bits=$(soxi -b "$f"); dur=$(soxi -D "$f")
  st=$(sox "$f" -n stats 2>&1)
  pk=$(awk '/^Pk lev dB/ {print $4}' <<<"$st"); rms=$(awk '/^RMS lev dB/ {print $4}' <<<"$st")
  lead=$(sox "$f" -n silence 1 0.001 2% stat 2>&1 | awk '/Length/ {print $3}')
  tail=$(sox "$f" -n reverse silence 1 0.001 2% stat 2>&1 | awk '/Length/ {print $3}')
  printf '%-18s %6s %4s %8.3f %7s %7s %6.0f %6.0f\n' "$n" "$rate" "$bits" "$dur" "$pk" "$rms" \
    "$(calc "($dur - $lead) * 1000")" "$(calc "($dur - $tail) * 1000")"
done
