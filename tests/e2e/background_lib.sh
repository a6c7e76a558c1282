# Helpers for the tests of the background dialogs; sourced after game_lib.sh.

CHOOSE="caption:Click on a Background:"
OPEN="caption:Open"
SAVE="caption:Save Bitmap File"
FILE_TYPES=1136   # the common dialogs' list of file types

# bg_choose: opens the choose dialog and waits for it.
bg_choose() {
  zd post "$MAIN" $CMD_OPEN_BACKGROUND >/dev/null
  require "the choose dialog opens" zd wait "$CHOOSE" 10000 >/dev/null
}

# bg_open_dialog: presses the choose dialog's button and waits for the Open dialog.
bg_open_dialog() {
  zd press "$CHOOSE" "Load Background File" || e2e_fatal "no load button"
  require "the Open dialog opens" zd wait "$OPEN" 10000 >/dev/null
}

# bg_open FILE: chooses the Unix file FILE through the Open dialog and presses its button.
bg_open() {
  bg_open_dialog
  zd type "$OPEN" 0 "$(winpath "$1")" || e2e_fatal "no file name box in the Open dialog"
  zd press "$OPEN" Open || e2e_fatal "no Open button"
  zd gone "$OPEN" 10000 || e2e_fatal "the Open dialog stays after its button"
}

# bg_save_dialog COMMAND: sends COMMAND (CMD_SAVE_BACKGROUND or CMD_CAPTURE_SCREEN) and
# waits for the Save dialog.
bg_save_dialog() {
  zd post "$MAIN" "$1" >/dev/null
  require "the Save dialog opens" zd wait "$SAVE" 10000 >/dev/null
}

# bg_save ENTRY FILE: in the open Save dialog, picks entry ENTRY (1..11) and the Unix
# file FILE, presses Save and prints the driver's timings (see zd timepress).
bg_save() {
  zd select "$SAVE" $FILE_TYPES $(($1 - 1)) || e2e_fatal "no list of file types"
  zd type "$SAVE" 0 "$(winpath "$2")" || e2e_fatal "no file name box in the Save dialog"
  zd timepress "$SAVE" Save "$MAIN"
}

# bg_psnr A B: the peak signal-to-noise ratio of two pictures in dB ("inf" when equal).
bg_psnr() {
  local a b
  a=$(mktemp --suffix=.png) b=$(mktemp --suffix=.png)
  # As a viewer shows them: rows in the order the file's orientation says.
  convert "$1" -auto-orient -depth 8 "$a"
  convert "$2" -auto-orient -depth 8 "$b"
  compare -metric PSNR "$a" "$b" null: 2>&1 | awk '{print $1}'
  rm -f "$a" "$b"
}

# bg_at_least VALUE LIMIT: VALUE ("inf" or a number) is at least LIMIT.
bg_at_least() {
  [ "$1" = inf ] || awk -v v="$1" -v l="$2" 'BEGIN { exit !(v + 0 >= l + 0) }'
}

# bg_option_path: backgroundPath as the options file keeps it (after "Save Options").
bg_saved_background_path() {
  zd post "$MAIN" $CMD_SAVE_OPTIONS >/dev/null
  require "options saved" zd wait "caption:Options Saved:" 10000 >/dev/null
  zd press "caption:Options Saved:" OK
  zd gone "caption:Options Saved:" 5000
  python3 -c 'import sys; d=open(sys.argv[1],"rb").read()[4:260]; print(d.split(b"\0")[0].decode("cp1252"))' \
    "$GAME_DIR/vod.opt"
}

# bg_recent I: entry I of the recent-background list in the list file.
bg_recent() {
  python3 -c 'import sys; d=open(sys.argv[1],"rb").read(); i=2000+200*int(sys.argv[2]); print(d[i:i+200].split(b"\0")[0].decode("cp1252"))' \
    "$GAME_DIR/gmnflist" "$1"
}

# bg_shown TARGET [MS]: TARGET is (or within MS becomes) visible; prints nothing.
bg_shown() { zd wait "$1" "${2:-100}" >/dev/null; }
# bg_absent TARGET: TARGET is not shown.
bg_absent() { ! zd wait "$1" 100 >/dev/null; }
