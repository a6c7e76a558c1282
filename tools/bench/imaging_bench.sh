#!/usr/bin/env bash
# imaging_bench.sh BUILD_DIR: times picconv against ImageMagick's convert on a
# 1920 x 1080 photographic picture, writing every save format and reading every format
# back (whole process each, best of 3), and prints our time over theirs and the bytes
# each wrote; then times making a 1024 x 768 screen picture from a 1920 x 1080 JPEG
# inside the library. Figures only: nothing here passes or fails.
set -euo pipefail
build=$(cd "${1:-build}" && pwd)
picconv=$build/picconv
bench=$build/graphics/screen_bench
magick=/usr/bin/convert
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# A photographic picture: fractal plasma, softened, with fine grain.
$magick -size 1920x1080 -seed 11 plasma:fractal -blur 0x2 -attenuate 0.3 +noise Gaussian \
  -depth 8 -type TrueColor BMP3:source.bmp

now() { date +%s%N; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / (b > 0 ? b : 1) }'; }
best_of_3() {  # prints the best wall time of 3 runs of "$@" in ms
  local best=999999999 start end t
  for _ in 1 2 3; do
    start=$(now); "$@" >/dev/null 2>&1; end=$(now)
    t=$(( (end - start) / 1000000 ))
    (( t < best )) && best=$t
  done
  echo "$best"
}

# entry, our name, ImageMagick's output (with its options), label
rows=(
  "1|a.bkg|-quality 90 -sampling-factor 2x2 -interlace JPEG -define jpeg:optimize-coding=true jpg:b.bkg|bkg (progressive JPEG)"
  "2|a.pcx|b.pcx|PCX 24"
  "3|a.bmp|BMP3:b.bmp|Windows BMP 24"
  "4|a.jpg|-quality 95 -sampling-factor 1x1 -define jpeg:optimize-coding=true b.jpg|JFIF"
  "5|a2.jpg|-compress JPEG -quality 95 -sampling-factor 1x1 TIFF:b2.jpg|JPEG in TIFF"
  "6|a.tif|-compress LZW -define tiff:predictor=2 b.tif|TIFF LZW 24"
  "7|a2.tif|-compress None b2.tif|TIFF 24"
  "8|a.gif|-colors 256 b.gif|GIF 8"
  "9|a.tga|b.tga|TGA 24"
  "10|a2.bmp|BMP2:b2.bmp|OS/2 BMP 24"
  "11|a.pct|b.pct|PICT 24"
)
printf '%-22s %9s %9s %6s %11s %11s %9s %9s %6s\n' format "write us" "write IM" ratio "our bytes" "IM bytes" \
  "read us" "read IM" ratio
for row in "${rows[@]}"; do
  IFS='|' read -r entry ours theirs label <<<"$row"
  out_theirs=${theirs##* }; out_theirs=${out_theirs#*:}
  # shellcheck disable=SC2086
  tw_us=$(best_of_3 "$picconv" convert source.bmp "$ours" "$entry")
  # shellcheck disable=SC2086
  tw_im=$(best_of_3 $magick source.bmp $theirs)
  tr_us=$(best_of_3 "$picconv" convert "$ours" back-us.bmp 3)
  tr_im=$(best_of_3 $magick "$out_theirs" BMP3:back-im.bmp)
  printf '%-22s %7d ms %6d ms %6.2f %11d %11d %6d ms %6d ms %6.2f\n' "$label" "$tw_us" "$tw_im" \
    "$(ratio "$tw_us" "$tw_im")" "$(stat -c %s "$ours")" \
    "$(stat -c %s "$out_theirs")" "$tr_us" "$tr_im" "$(ratio "$tr_us" "$tr_im")"
done
echo
echo "bkg size against the 24-bit BMP: $(stat -c %s a.bmp) / $(stat -c %s a.bkg) = $(ratio "$(stat -c %s a.bmp)" "$(stat -c %s a.bkg)") times smaller"
$magick source.bmp -quality 90 background.jpg
"$bench" background.jpg 1024 768
