#!/usr/bin/env bash
# The choose dialog ("Open Background Image"): its place and picture, the Open dialog
# behind its button (cancelled, a large JPEG, a 320 x 320 sheet that keeps it open, files
# that do not load), a click on the picture, and the recent list it leaves. The pictures
# lie in a folder whose name holds a non-ASCII character. First of all, a record set
# after the Open dialog was taken to that folder is kept in the game's folder, where the
# game finds it after a restart; the menu bar cannot be reached during the end-of-game
# dialogs.
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$(dirname "$0")/game_lib.sh"
. "$(dirname "$0")/background_lib.sh"
. "$(dirname "$0")/game_end_lib.sh"
PICS="$E2E_WORK/bilder €"
mkdir -p "$PICS"
game_prepare
game_options hidenote=1 level=10 columns=12 rows=8
convert -size 1920x1080 -seed 5 plasma:fractal -blur 0x2 -quality 92 "$PICS/wide.jpg"
convert -size 320x320 xc:'rgb(200,40,40)' -fill 'rgb(40,200,90)' -draw 'rectangle 0,0 159,159' \
  -fill 'rgb(30,60,220)' -draw 'rectangle 160,160 319,319' -fill 'rgb(250,240,60)' \
  -draw 'circle 160,160 160,110' -depth 8 "$PICS/sheet.png"
head -c 900 "$PICS/wide.jpg" > "$PICS/damaged.jpg"
echo "not a picture" > "$PICS/note.bmp"

# top320 SHOT OUT: the picture rows of a capture of the choose dialog (above its button).
top320() { convert "$1" -crop 320x320+0+0 +repage "$2"; }

game_start_ready

# --- a record set after browsing to another folder stays in the game's folder ---------
bg_choose
bg_open_dialog
zd type "$OPEN" 0 "$(winpath "$PICS")"
zd press "$OPEN" Open   # a folder typed in: the dialog goes there and stays open
sleep 1  # timed: the dialog shows no sign of having gone to the folder
zd press "$OPEN" Cancel
zd gone "$OPEN" 5000
zd close "$CHOOSE"
check "the choose dialog closes" zd gone "$CHOOSE" 5000
end_deal $CMD_LAYOUT_12X8 12 8 10
end_finish_game
require "a perfect first game is a record" zd wait "caption:Enter Your Name:" 30000 >/dev/null
# While the name is asked for, the real pointer in the top-left corner does not bring
# up the menu bar, and a click where its first item would be opens no menu: no new game
# can be started in the middle of the end of one.
# Timed: the menu bar must not come up within half a second.
xdotool mousemove 5 5 sleep 0.3 mousemove 0 0 sleep 0.5
check_eq "no menu bar at the corner during the name dialog" "$(menu_state)" hidden
xdotool mousemove 15 9 click 1 sleep 0.5  # timed: no menu may open within half a second
check_eq "no menu opens during the name dialog" "$(zd windows | cut -f2 | grep -c '^#32768$')" 0
zd type "caption:Enter Your Name:" $IDC_NAME_EDIT "Far" >/dev/null
zd press "caption:Enter Your Name:" Done
require "the high-score dialog follows" zd wait "caption:High Score for Easy 12x8 Layout:" 10000 >/dev/null
# Timed: the menu bar must not come up within half a second.
xdotool mousemove 5 5 sleep 0.3 mousemove 0 0 sleep 0.5
check_eq "no menu bar at the corner during the high-score dialog" "$(menu_state)" hidden
zd press "caption:High Score for Easy 12x8 Layout:" Done
end_wait_clickall
check "no table is written into the folder browsed to" test ! -e "$PICS/gmnscore"
check_eq "the record is in the game's folder" \
  "$(end_table_entry "$GAME_DIR/gmnscore" 0 | awk '{print $1, $2, $NF}')" "1304 0 Far"

# --- the dialog shows the current background shrunk into its client area ----------
bg_choose
check_eq "the dialog at (100, 10)" \
  "$(zd windows ZERADE95.exe | awk -F'\t' '$3 == "Click on a Background:" {split($4, r, " "); print r[1], r[2]}')" "100 10"
check_eq "a client area of 320 x 345" "$(zd rect "$CHOOSE" | awk '{print $3 - $1, $4 - $2}')" "320 345"
check_eq "the button lies across the bottom 25 rows" "$(zd place "$CHOOSE" $IDC_LOAD_BACKGROUND)" "0 320 320 25"
check_eq "the button's text" "$(zd controls "$CHOOSE" | awk -F'\t' -v id=$IDC_LOAD_BACKGROUND '$2 == id {print $3}')" \
  "&Load Background File"
zd capture "$CHOOSE" choose-planet.bmp
top320 choose-planet.bmp planet-top.png
convert "$GAME_DIR/PLANET_R.BKG" -resize '320x345!' -crop 320x320+0+0 +repage planet-small.png
psnr=$(bg_psnr planet-top.png planet-small.png)
echo "default background in the dialog: PSNR $psnr dB"
check "the dialog shows the whole background shrunk" bg_at_least "$psnr" 22

# --- cancelling the Open dialog leaves the choose dialog open -----------------------
bg_open_dialog
check_eq "the Open dialog starts with the first filter" \
  "$(zd controls "$OPEN" | awk -F'\t' -v id=$FILE_TYPES '$2 == id {print $3}')" "Backgrounds"
zd press "$OPEN" Cancel
zd gone "$OPEN" 5000
sleep 0.5  # timed: the choose dialog must not close within half a second
check "the choose dialog stays after a cancelled Open dialog" bg_shown "$CHOOSE" 1000

# --- a 1920 x 1080 JPEG closes the dialog and fills the window ------------------------
bg_open_dialog
zd type "$OPEN" 0 "$(winpath "$PICS/wide.jpg")"
timing=$(zd timepress "$OPEN" Open "$MAIN")
echo "opening wide.jpg: $(tr '\n' ' ' <<<"$timing")"
check "a picture of another size closes the dialog" zd gone "$CHOOSE" 10000
repaint=$(zd repaint "$MAIN" 5)
echo "speed: 1920 x 1080 JPEG to the background: $(awk '$1 == "done" {print $2}' <<<"$timing") ms until loaded and the dialog closed; one full repaint: $(cut -f2 <<<"$repaint") ms (median)"
bg_choose
zd capture "$CHOOSE" choose-wide.bmp
top320 choose-wide.bmp wide-top.png
convert "$PICS/wide.jpg" -resize '320x345!' -crop 320x320+0+0 +repage wide-small.png
psnr=$(bg_psnr wide-top.png wide-small.png)
echo "wide.jpg in the dialog: PSNR $psnr dB"
check "the new background, scaled to the window's proportions" bg_at_least "$psnr" 22

# --- a 320 x 320 sheet keeps the dialog open; a click on it closes it ------------------
bg_open "$PICS/sheet.png"
sleep 1  # timed: the dialog must not close within a second
check "a sheet keeps the dialog open" bg_shown "$CHOOSE" 1000
zd capture "$CHOOSE" choose-sheet.bmp
top320 choose-sheet.bmp sheet-top.png
check_eq "the sheet is shown at its own size" "$(bg_psnr sheet-top.png "$PICS/sheet.png")" inf
read -r x0 y0 _ <<<"$(zd rect "$CHOOSE")"
xdotool mousemove $((x0 + 200)) $((y0 + 100)) click 1
check "a click on the picture closes the dialog" zd gone "$CHOOSE" 5000

# --- files that do not load: the message, and nothing changes ------------------------
# The dialog's picture once it is painted: two captures in a row that agree.
bg_settled() {
  zd capture "$CHOOSE" "$1" >/dev/null && zd capture "$CHOOSE" .settled.bmp >/dev/null &&
    python3 "$SCREEN_PY" same "$1" .settled.bmp >/dev/null
}
# Polled: the dialog may not have painted its picture yet when it is first captured.
bg_same_as_before() {
  zd capture "$CHOOSE" "after-$1.bmp" >/dev/null &&
    python3 "$SCREEN_PY" same "after-$1.bmp" before-failures.bmp
}
bg_choose
e2e_poll 10 bg_settled before-failures.bmp || e2e_fatal "the choose dialog never settled"
for bad in damaged.jpg note.bmp; do
  bg_open "$PICS/$bad"
  require "$bad: the failure is reported" zd wait caption:Sorry: 10000 >/dev/null
  check_eq "$bad: failure text" \
    "$(zd controls caption:Sorry: | awk -F'\t' '$2 == 65535 {print $3}')" "The image load failed."
  check "$bad: the choose dialog is still there under the message" bg_shown "$CHOOSE" 100
  zd press caption:Sorry: OK
  zd gone caption:Sorry: 5000
  check "$bad: a failed load closes the dialog after its message" zd gone "$CHOOSE" 5000
  bg_choose
  check "$bad: the background is unchanged" e2e_poll 5 bg_same_as_before "$bad"
done

# The background is still the sheet's own pixels: saving it gives the sheet back.
zd close "$CHOOSE"
check "WM_CLOSE closes the dialog" zd gone "$CHOOSE" 5000
bg_save_dialog $CMD_SAVE_BACKGROUND
bg_save 3 "$PICS/kept.bmp" >/dev/null
check "after a failed load the background saved is the one on screen" \
  test "$(bg_psnr "$PICS/kept.bmp" "$PICS/sheet.png")" = inf
check_eq "the path names the saved file" "$(bg_saved_background_path)" "$(winpath "$PICS/kept.bmp")"

# --- the Escape key closes the dialog too --------------------------------------------
bg_choose
xdotool key Escape
check "Escape closes the dialog" zd gone "$CHOOSE" 5000

game_exit
# Every closing of the dialog put the background of that moment at the front: the
# default one (the dialog closed before the game), the JPEG (the first dialog closed on
# it), the sheet (closed on it four times), and last the saved file that the
# background's path then named.
check_eq "recent 0" "$(bg_recent 0)" "$(winpath "$PICS/kept.bmp")"
check_eq "recent 1" "$(bg_recent 1)" "$(winpath "$PICS/sheet.png")"
check_eq "recent 2" "$(bg_recent 2)" "$(winpath "$PICS/wide.jpg")"
check_eq "recent 3" "$(bg_recent 3)" "$(winpath "$GAME_DIR/PLANET_R.BKG")"
check_eq "recent 4" "$(bg_recent 4)" ""

# --- after a restart the record set at the start is the one the game knows -------------
# The saved options named the sheet as background: the default one comes back, which the
# reading of the field off the screen knows.
game_options hidenote=1 level=10 columns=12 rows=8
game_start_ready
end_deal $CMD_LAYOUT_12X8 12 8 10
end_click_square $(end_inner_bomb)
game_settle
end_finish_game
require "a game with an explosion shows the high-score dialog" \
  zd wait "caption:High Score for Easy 12x8 Layout:" 30000 >/dev/null
texts=$(end_dialog_texts "caption:High Score for Easy 12x8 Layout:")
check "the record read at the restart is the perfect game of Far ($texts)" \
  bash -c "[[ '$texts' =~ ^3100=Best\ Perfect\ Game\ Score:\|3000=00:0[0-9]:[0-5][0-9]\|3001=Far\|3101=Your\ Score:\|3002=1\ explosions$ ]]"
zd press "caption:High Score for Easy 12x8 Layout:" Done
end_wait_clickall
game_exit
