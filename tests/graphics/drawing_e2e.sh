#!/usr/bin/env bash
# drawing_e2e.sh [BITS]: the drawing helpers in a real window under Wine, on a 24-bit
# display or (BITS 8) an 8-bit palette display; the captured pixels are checked.
. "$ZD_SOURCE_DIR/tests/e2e/harness.sh"
bits=${1:-24}
e2e_begin
[ "$bits" = 8 ] && e2e_display 8
check_eq "display depth" "$(xdpyinfo | awk '/depth of root window/ {print $5}')" "$bits"

program="$ZD_WIN32_DIR/tests/graphics/drawtest.exe"
target="class:ZdDrawTest"
dir=$(winepath -w "$(dirname "$program")" 2>/dev/null)
e2e_launch draw "$dir" "$(winepath -w "$program" 2>/dev/null)"
require "drawing window appears" zd wait "$target" 20000 >/dev/null
sleep 1
zd capture "$target" shot.bmp
require "capture written" test -s shot.bmp
# ZD_KEEP_SHOTS=DIR keeps the capture for a person to look at.
[ -n "${ZD_KEEP_SHOTS:-}" ] && cp shot.bmp "$ZD_KEEP_SHOTS/drawing-$bits.bmp"

pixel() { convert shot.bmp -crop "1x1+$1+$2" -depth 8 rgb:- | od -An -tu1 | xargs; }
expect() { check_eq "$1 at ($2,$3)" "$(pixel "$2" "$3")" "$4"; }

# Stretching: each quadrant of the 4 x 4 picture covers 80 x 60.
expect "red quadrant" 40 30 "255 0 0"
expect "green quadrant" 120 30 "0 255 0"
expect "blue quadrant" 40 90 "0 0 255"
expect "white quadrant" 120 90 "255 255 255"
expect "red up to the quadrant edge" 79 59 "255 0 0"
expect "white from the quadrant edge" 80 60 "255 255 255"
# Source clamp: a 9 x 9 area of a 10 x 10 bitmap is widened to the edge, so the magenta
# last column and row appear, stretched 2 times.
expect "cyan inside" 205 15 "0 255 255"
expect "clamped last column" 219 15 "255 0 255"
expect "clamped last row" 205 29 "255 0 255"
# An area well inside is copied as it is.
expect "copied area" 234 14 "0 255 255"
expect "nothing past the copied area" 235 14 "0 0 0"
# Masked draw: black is transparent.
expect "masked, transparent corner" 211 111 "255 255 0"
expect "masked, red centre" 215 115 "255 0 0"
expect "stretched mask, transparent corner" 242 112 "255 255 0"
expect "stretched mask, red centre" 260 130 "255 0 0"
expect "stretched mask, transparent edge" 278 148 "255 255 0"
# An empty bitmap draws nothing.
expect "empty bitmap leaves the box" 50 180 "128 128 128"
# Line: end point excluded.
expect "line" 50 235 "0 255 0"
expect "line end not drawn" 100 235 "0 0 0"

# The client area is exactly the size asked of SetClientSize.
read -r left top right bottom < <(zd rect "$target" | tr -c '0-9-\n' ' ')
check_eq "client size" "$((right - left))x$((bottom - top))" "720x440"
# What the loads reported, that a sized screen bitmap leaves the picture with the caller,
# and that a shared palette exists on a palette display only.
palette="no palette"; [ "$bits" = 8 ] && palette="palette"
screen=32; [ "$bits" = 8 ] && screen=8
check_eq "caption" "$(zd windows drawtest.exe | cut -f3)" \
  "Drawing test 340x320, 360x320, kept, $screen bits, $palette"
expect "sized bitmap, red quarter" 180 140 "255 0 0"
expect "sized bitmap, white quarter" 240 180 "255 255 255"
# The clock face from its resource, masked: black is transparent.
expect "clock corner shows the box" 337 337 "0 128 128"
expect "clock face" 370 400 "255 255 255"
expect "clock hand" 384 364 "255 0 0"
# The instructions picture shrunk into 120 x 107.
expect "instructions, blue half" 480 380 "0 0 255"
expect "instructions, yellow half" 540 380 "255 255 0"
# The title picture: close to the picture itself. On a true-colour display the decoding
# is exact, so 20 x 20 means agree closely; on the 8-bit display the picture is dithered
# to the shared palette and Wine's X11 driver shows only its twenty static colours
# there, so only the mean of the whole picture is compared, loosely.
mean() { convert "$1" -crop "$4x$5+$2+$3" +repage -resize '1x1!' -depth 8 rgb:- | od -An -tu1 | xargs; }
near() {  # near DESCRIPTION "R G B" "R G B" LIMIT
  local r1 g1 b1 r2 g2 b2 worst=0 d
  read -r r1 g1 b1 <<<"$2"
  read -r r2 g2 b2 <<<"$3"
  for d in $((r1 - r2)) $((g1 - g2)) $((b1 - b2)); do
    d=${d#-}
    [ "$d" -gt "$worst" ] && worst=$d
  done
  check "$1: $2 against $3" test "$worst" -le "$4"
}
egg="$ZD_SOURCE_DIR/tests/graphics/pictures/egg2.jpg"
if [ "$bits" = 8 ]; then
  near "title picture, whole" "$(mean shot.bmp 330 0 340 320)" "$(mean "$egg" 0 0 340 320)" 32
else
  for spot in "40 40" "200 150" "300 280"; do
    read -r x y <<<"$spot"
    near "title picture near ($x,$y)" "$(mean shot.bmp $((330 + x)) "$y" 20 20)" \
      "$(mean "$egg" "$x" "$y" 20 20)" 4
  done
fi

zd close "$target"
check_eq "exit code" "$(e2e_exit_code draw)" 0
