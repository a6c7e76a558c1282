#!/usr/bin/env bash
# The test driver against a window that reports what reaches it.
. "$(dirname "$0")/harness.sh"
e2e_begin

cp "$ZD_WIN32_DIR/tests/driver/probe.exe" .
e2e_launch probe "Z:$(pwd | tr / '\\')" probe.exe
require "probe window appears" zd wait class:ZdProbe 20000 >/dev/null

listing=$(zd windows probe.exe)
check_eq "window listed with class and caption" "$(echo "$listing" | cut -f2,3)" "ZdProbe	Probe"
controls=$(zd controls class:ZdProbe)
check "edit control listed" grep -qP '^Edit\t100\t' <<<"$controls"
check "button listed with its text" grep -qP '^Button\t101\t&Go\t' <<<"$controls"

zd type class:ZdProbe 100 "hello there"
zd press class:ZdProbe Go
zd command class:ZdProbe 4242
zd click class:ZdProbe 10 20
zd click class:ZdProbe 300 10 right
zd move class:ZdProbe 5 6
zd key class:ZdProbe N
zd key class:ZdProbe F1

deadline=$((SECONDS + 10))
until grep -q '^key 112' probe.log 2>/dev/null || [ $SECONDS -ge $deadline ]; do sleep 0.1; done
check "typed text reached the edit, button pressed" grep -qx 'go hello there' probe.log
check "command id posted" grep -qx 'command 4242' probe.log
check "left click at client coordinates" grep -qx 'left 10 20' probe.log
check "right click at client coordinates" grep -qx 'right 300 10' probe.log
check "mouse move" grep -qx 'move 5 6' probe.log
check "letter key" grep -qx 'key 78' probe.log
check "function key" grep -qx 'key 112' probe.log

require "client area captured" zd capture class:ZdProbe probe.bmp
check_eq "capture is 320 x 240, 24 bits" "$(identify -format '%w %h %[bit-depth]' probe.bmp)" "320 240 8"
check_eq "left half red" "$(convert probe.bmp -format '%[pixel:p{40,40}]' info:)" "srgb(255,0,0)"
check_eq "right half blue" "$(convert probe.bmp -format '%[pixel:p{200,40}]' info:)" "srgb(0,0,255)"

zd close class:ZdProbe
check_eq "program ended with its own exit code" "$(e2e_exit_code probe)" 7
check "no window left" zd gone class:ZdProbe 5000
