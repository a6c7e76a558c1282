#!/usr/bin/env bash
# "Save Current Background Image": the Save dialog with its eleven entries, each file
# checked with ImageMagick, the entry remembered, the background's path renamed, and
# saves that fail leaving an existing file whole.
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$(dirname "$0")/game_lib.sh"
. "$(dirname "$0")/background_lib.sh"
PICS="$E2E_WORK/saved €"
mkdir -p "$PICS"
game_prepare
START="$E2E_WORK/start.png"  # the options file keeps the path in the ANSI code page
convert -size 1024x768 -seed 11 plasma:fractal -blur 0x1 -fill 'rgb(250,250,250)' \
  -draw 'rectangle 100,100 300,140' -depth 8 "$START"
game_options hidenote=1 background="$(winpath "$START")"
game_start_ready

bg_save_dialog $CMD_SAVE_BACKGROUND
check_eq "the first save offers entry 1" \
  "$(zd controls "$SAVE" | awk -F'\t' -v id=$FILE_TYPES '$2 == id {print $3}')" "Very small, slow (*.bkg)"
zd press "$SAVE" Cancel
zd gone "$SAVE" 5000

# entry, file name, ImageMagick's format, what the file holds, least PSNR (inf: exact)
while read -r entry name format holds least; do
  bg_save_dialog 119
  timing=$(bg_save "$entry" "$PICS/$name")
  echo "speed: entry $entry ($name): $(awk '$1 == "done" {print $2}' <<<"$timing") ms from the Save button to the file written"
  file="$PICS/$name"
  check "entry $entry writes $name" test -s "$file"
  info=$(identify -format '%m %w %h %r\n' "$file" 2>/dev/null | head -n1)
  check_eq "entry $entry: format and size" "$(cut -d' ' -f1-3 <<<"$info")" "$format 1024 768"
  check_eq "entry $entry: $holds" "$(cut -d' ' -f4 <<<"$info")" "$holds"
  psnr=$(bg_psnr "$file" "$START")
  echo "entry $entry: PSNR $psnr dB"
  check "entry $entry: the pixels of the background" bg_at_least "$psnr" "$least"
done <<'TABLE'
1 a.bkg JPEG DirectClass 24
2 b.pcx PCX DirectClass inf
3 c.bmp BMP3 DirectClass inf
4 d.jpg JPEG DirectClass 30
5 e.jpg TIFF DirectClass 30
6 f.tif TIFF DirectClass inf
7 g.tif TIFF DirectClass inf
8 h.gif GIF PseudoClass 22
9 i.tga TGA DirectClass inf
10 j.bmp BMP2 DirectClass inf
11 k.pct PICT DirectClass inf
TABLE
python3 - "$PICS" <<'PY' || { echo "FAIL: bits per pixel of the BMP, PCX and TGA files" >&2; E2E_FAILED=1; }
import struct, sys
d = sys.argv[1]
bmp = open(d + "/c.bmp", "rb").read()
os2 = open(d + "/j.bmp", "rb").read()
pcx = open(d + "/b.pcx", "rb").read()
tga = open(d + "/i.tga", "rb").read()
gif = open(d + "/h.gif", "rb").read()
checks = {
    "Windows BMP 24": struct.unpack_from("<IH", bmp, 14)[0] == 40 and struct.unpack_from("<H", bmp, 28)[0] == 24,
    "OS/2 BMP 24": struct.unpack_from("<I", os2, 14)[0] == 12 and struct.unpack_from("<H", os2, 24)[0] == 24,
    "PCX 3 planes of 8": pcx[3] == 8 and pcx[65] == 3,
    "TGA 24": tga[16] == 24,
    "GIF 256 colours": (gif[10] & 0x80) and (gif[10] & 7) == 7,
}
bad = [k for k, v in checks.items() if not v]
print("bits per pixel:", "all as the table says" if not bad else "wrong: " + ", ".join(bad))
sys.exit(1 if bad else 0)
PY

# The entry chosen last is offered first; the background's path names the last file.
bg_save_dialog $CMD_SAVE_BACKGROUND
check_eq "the next save offers the entry chosen last" \
  "$(zd controls "$SAVE" | awk -F'\t' -v id=$FILE_TYPES '$2 == id {print $3}')" "Macintosh PICTURE 24 (*.pct)"
zd press "$SAVE" Cancel
zd gone "$SAVE" 5000
check_eq "the background's path names the saved file" "$(bg_saved_background_path)" "$(winpath "$PICS/k.pct")"

# --- saves that fail keep the file that is there --------------------------------------
# A read-only file of other content: after the player agreed to replace it, it holds
# either what it held or the whole new picture, never a broken file.
convert -size 64x48 xc:'rgb(200,0,0)' -type truecolor BMP3:"$PICS/locked.bmp"
chmod 444 "$PICS/locked.bmp"
before=$(md5sum < "$PICS/locked.bmp")
bg_save_dialog $CMD_SAVE_BACKGROUND
zd select "$SAVE" $FILE_TYPES 2
zd type "$SAVE" 0 "$(winpath "$PICS/locked.bmp")"
zd press "$SAVE" Save
# The dialog asks before it replaces a file; Yes goes on to the save, which fails.
deadline=$((SECONDS + 10))
while zd wait "$SAVE" 100 >/dev/null && [ $SECONDS -lt $deadline ]; do
  for button in Yes OK; do
    box=$(zd windows ZERADE95.exe | awk -F'\t' '$2 == "#32770" && $3 != "Save Bitmap File" {print $1; exit}')
    [ -n "$box" ] || box=$(zd windows ZERADE95.exe | awk -F'\t' '$2 == "#32770" {print $1}' | head -n1)
    zd press "hwnd:$box" "$button" 2>/dev/null && echo "pressed $button in $(zd windows ZERADE95.exe | grep -c .) windows"
  done
  sleep 0.3
done
zd gone "$SAVE" 5000
zd command "$MAIN" 0 >/dev/null  # the save has finished once the game answers
path=$(bg_saved_background_path)
if [ "$(md5sum < "$PICS/locked.bmp")" = "$before" ]; then
  check_eq "a failed save keeps the background's path" "$path" "$(winpath "$PICS/k.pct")"
else
  echo "the read-only file was replaced (Wine let this user replace it)"
  check "a replaced read-only file holds the whole background" \
    test "$(bg_psnr "$PICS/locked.bmp" "$START")" = inf
  check_eq "the background's path names it" "$path" "$(winpath "$PICS/locked.bmp")"
fi

# A folder that does not exist: the dialog says so in a box of its own and stays open.
# The box is answered before the dialog is cancelled: a dialog ended under its box
# leaves the game waiting in the box.
bg_save_dialog $CMD_SAVE_BACKGROUND
zd select "$SAVE" $FILE_TYPES 2
zd type "$SAVE" 0 "$(winpath "$PICS/no such folder/x.bmp")"
zd press "$SAVE" Save
refusal() { zd windows ZERADE95.exe | awk -F'\t' '$2 == "#32770" && $3 != "Save Bitmap File" {print $1; exit}'; }
deadline=$((SECONDS + 20))
until [ -n "$(refusal)" ] || [ $SECONDS -ge $deadline ]; do sleep 0.2; done
box=$(refusal)
require "the dialog refuses a folder that does not exist in a box" test -n "$box"
echo "the refusal: $(zd controls "hwnd:$box" | awk -F'\t' '$1 == "Static" && $3 != "" {printf "%s ", $3}')"
zd press "hwnd:$box" OK || e2e_fatal "no OK button in the refusal"
check "the refusal goes with its button" zd gone "hwnd:$box" 10000
check "the Save dialog stays open after the refusal" bg_shown "$SAVE" 100
zd press "$SAVE" Cancel
check "the Save dialog is gone" zd gone "$SAVE" 5000
check "nothing was written" test ! -e "$PICS/no such folder"
check_eq "the background's path is unchanged" "$(bg_saved_background_path)" "$path"

# --- a saved file reopened through the choose dialog -----------------------------------
bg_choose
bg_open "$PICS/f.tif"
zd gone "$CHOOSE" 10000
bg_choose
zd capture "$CHOOSE" reopened.bmp
convert reopened.bmp -crop 320x320+0+0 +repage reopened-top.png
convert "$START" -resize '320x345!' -crop 320x320+0+0 +repage start-small.png
check "the saved file reopens as the background" bg_at_least "$(bg_psnr reopened-top.png start-small.png)" 22
zd close "$CHOOSE"
zd gone "$CHOOSE" 5000
game_exit
