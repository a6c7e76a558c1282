#!/usr/bin/env bash
# Regenerates every picture and recording of the game from the tools in this folder:
#   data/*.vod, data/PLANET_R.BKG          (make_piece_sets.py, make_pictures.py)
#   resources/pictures/*                    (make_pictures.py)
#   resources/sounds/*.wav                  (make_sounds.sh)
# and writes build/contact_sheet.png for review. Needs Debian's povray, imagemagick,
# espeak-ng, sox and python3; takes a few minutes on two cores. The results are
# committed, so building the game needs none of this.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
for tool in povray /usr/bin/convert espeak-ng sox soxi awk /usr/bin/python3; do
  command -v "$tool" >/dev/null || { echo "missing: $tool (see tools/setup.sh)" >&2; exit 1; }
done
"$here/make_sounds.sh"
/usr/bin/python3 "$here/make_pictures.py"
/usr/bin/python3 "$here/make_piece_sets.py"
"$here/measure_sounds.sh"
