# Helpers for the game's end-to-end tests; sourced after harness.sh and e2e_begin.

MAIN="class:Revaza's Dazivivo, Version 1.0!"
NOTE="caption:Critical Note:"
SCREEN_PY="$ZD_SOURCE_DIR/tests/e2e/screen.py"
GAME_DIR="$E2E_WORK/game"

# Windows path of a Unix path (through drive Z:).
winpath() { printf 'Z:%s' "$1" | tr / '\\'; }

# A folder with the game and its data files, as the player gets it.
game_prepare() {
  mkdir -p "$GAME_DIR"
  cp "$ZD_WIN32_DIR/ZERADE95.exe" "$GAME_DIR/"
  cp "$ZD_SOURCE_DIR"/data/* "$GAME_DIR/"
}

# game_options KEY=VALUE...: writes vod.opt in the game folder (see shell/options.h):
# sound, background, tiles, level, columns, rows, windowed, hidenote, clock, marker.
# The clock is hidden unless asked for (clock=1): a face that changes every second
# would stand between the tests and the squares they read off the screen.
game_options() {
  python3 - "$GAME_DIR/vod.opt" "$@" <<'PY'
import struct, sys
v = dict(sound=1, background="", tiles="", level=8, columns=16, rows=12, windowed=0,
         hidenote=1, clock=0, marker="valid")
for arg in sys.argv[2:]:
    key, value = arg.split("=", 1)
    v[key] = value if key in ("background", "tiles", "marker") else int(value)
def path(text):
    raw = text.encode("latin-1")[:255]
    return raw + b"\0" * (256 - len(raw))
block = bytearray(1032)
block[0:len(v["marker"]) + 1] = v["marker"].encode() + b"\0"
struct.pack_into("<iiiiii", block, 8, v["level"], v["columns"], v["rows"], v["windowed"],
                 v["hidenote"], v["clock"])
data = struct.pack("<i", v["sound"]) + path(v["background"]) + path(v["tiles"]) + bytes(block)
assert len(data) == 1548
open(sys.argv[1], "wb").write(data)
PY
}

# game_option_value OFFSET: the int32 at OFFSET of vod.opt.
game_option_value() {
  python3 -c 'import struct,sys; print(struct.unpack_from("<i", open(sys.argv[1],"rb").read(), int(sys.argv[2]))[0])' \
    "$GAME_DIR/vod.opt" "$1"
}

# game_start [ARGUMENT]: starts the game in its folder and waits for its main window.
# The program's path is quoted, as the shell quotes it, so that a folder name with a blank
# stays one name.
game_start() {
  local command
  command="\"$(winpath "$GAME_DIR/ZERADE95.exe")\""
  [ $# -gt 0 ] && command="$command $1"
  e2e_launch game "$(winpath "$GAME_DIR")" "$command"
  if ! zd wait "$MAIN" 30000 >/dev/null; then
    # What there was instead: the screen, the windows, and the test's processes.
    import -window root start-failed.png 2>/dev/null
    { zd windows; ps -o pid,stat,wchan:24,time,args -p "$(e2e_run_processes | paste -sd, -)"; } \
      >start-failed.txt 2>&1
    e2e_fatal "main window appears (kept: start-failed.png, start-failed.txt)"
  fi
}

# game_start_ready [ARGUMENT]: game_start, then game_ready_without_note.
game_start_ready() {
  game_start "$@"
  game_ready_without_note
}

# game_begin [KEY=VALUE...]: the usual start of a test: the game folder prepared with
# these options (game_options), the game started and its start-up finished.
game_begin() {
  game_prepare
  game_options "$@"
  game_start_ready
}

# The menu dialog is a child of the main window; its visibility as the driver sees it.
menu_state() { zd controls "$MAIN" | awk -F'\t' '$1 == "#32770" {print $4; exit}'; }
wait_menu() {  # wait_menu visible|hidden: waits up to 10 s for that state, prints the last
  local deadline=$((SECONDS + 10))
  until [ "$(menu_state)" = "$1" ] || [ $SECONDS -ge $deadline ]; do sleep 0.1; done
  menu_state
}

# game_ready: waits until start-up has finished (the menu note is up, or the title shows
# without it when the note is suppressed).
game_ready_without_note() {
  # The title picture sits in the middle of a black screen once start-up is done.
  local deadline=$((SECONDS + 30))
  while [ $SECONDS -lt $deadline ]; do
    zd capture "$MAIN" "$E2E_WORK/.ready.bmp" >/dev/null 2>&1 &&
      [ "$(python3 "$SCREEN_PY" pixel "$E2E_WORK/.ready.bmp" 512 384)" != "0 0 0" ] && return 0
    sleep 0.2
  done
  e2e_fatal "the title picture never appeared"
}

game_capture() { zd capture "$MAIN" "$1" >/dev/null || e2e_fatal "capture $1"; }

# game_squares SHOT COLUMNS ROWS: the field read off the capture (see screen.py).
# The set is GAME_SET (default rosewood.vod), the background PLANET_R.BKG.
game_squares() {
  local set="$E2E_WORK/.set-${GAME_SET:-rosewood.vod}.bmp" size
  [ -f "$set" ] || convert "$GAME_DIR/${GAME_SET:-rosewood.vod}" -type truecolor "BMP3:$set"
  size=$(python3 "$SCREEN_PY" size "$1" | tr ' ' x)
  [ -f "$E2E_WORK/.bg-$size.bmp" ] ||
    convert "$GAME_DIR/PLANET_R.BKG" -resize "$size!" -type truecolor "BMP3:$E2E_WORK/.bg-$size.bmp"
  python3 "$SCREEN_PY" squares "$1" "$2" "$3" "$set" "$E2E_WORK/.bg-$size.bmp"
}

# Waits until the screen stops changing: two captures in a row are the same.
game_settle() {
  local previous="" current
  for _ in $(seq 1 50); do
    zd capture "$MAIN" "$E2E_WORK/.settle.bmp" >/dev/null 2>&1 || return 1
    current=$(md5sum < "$E2E_WORK/.settle.bmp")
    [ "$current" = "$previous" ] && return 0
    previous=$current
    sleep 0.15
  done
}

game_exit() {
  zd command "$MAIN" $CMD_EXIT >/dev/null
  check_eq "the game ends with exit code 0" "$(e2e_exit_code game 30)" 0
}

# game_window_active CAPTION: the window of that caption is the active one of its thread.
game_window_active() {
  [ "$(zd focus "caption:$1" | sed -n 2p | cut -f3)" = "$1" ]
}

# screen_differs SHOT: the main window's client area now differs from SHOT.
screen_differs() {
  zd capture "$MAIN" "$E2E_WORK/.differs.bmp" >/dev/null &&
    ! python3 "$SCREEN_PY" same "$E2E_WORK/.differs.bmp" "$1"
}

# popups COUNT: COUNT pull-down menus are open.
popups() { [ "$(zd windows | awk -F'\t' '$2 == "#32768"' | wc -l)" -eq "$1" ]; }

# game_focus_click: a real click on the field at (600, 500) gives the main window the
# keyboard focus (before the first game it plays nothing). Returns once the main window
# is the active one of its thread and a real move after the click has hidden the menu
# bar (the pointer rule acts only with the focus): the game has taken the click.
game_focus_click() {
  xdotool mousemove 600 500 click 1
  e2e_poll 10 game_window_active "Revaza's Dazivivo, Version 1.0!" ||
    e2e_fatal "the click did not make the main window the active one"
  xdotool mousemove 601 500
  [ "$(wait_menu hidden)" = hidden ] || e2e_fatal "a move on the field left the menu bar up"
}

# game_answer_confused: answers the confused player's help that the tenth explosion of a
# game opens, with real input: Return on its two boxes in turn, then a click on "Done" of
# the instructions dialog that follows. Fails when one of them does not show or close.
game_answer_confused() {
  local caption ox oy
  for caption in "Ending the Confusion:" "Ending the Confusion 2:"; do
    zd wait "caption:$caption" 10000 >/dev/null || return 1
    # The real key goes to the box once it is the active window of the game's thread.
    e2e_poll 10 game_window_active "$caption" || return 1
    xdotool key Return
    zd gone "caption:$caption" 5000 || return 1
  done
  zd wait "caption:Dazivivo Detectors:" 10000 >/dev/null || return 1
  e2e_poll 10 game_window_active "Dazivivo Detectors:" || return 1
  read -r ox oy <<<"$(zd rect "caption:Dazivivo Detectors:" | awk '{print $1, $2}')"
  xdotool mousemove $((ox + 80)) $((oy + 350)) click 1
  zd gone "caption:Dazivivo Detectors:" 5000
}

# game_clickall COLUMNS ROWS [SKIP]: "zd clickall" for a test that is not about the end
# of a game: should the clicks finish it, the new-record and high-score dialogs are
# answered with "Done" (the finishing click returns only once they are closed), and the
# confused player's help at the tenth explosion is answered too.
game_clickall() {
  zd clickall "$MAIN" "$@" >/dev/null &
  local clicking=$! deadline=$((SECONDS + 600)) caption
  while kill -0 "$clicking" 2>/dev/null && [ $SECONDS -lt $deadline ]; do
    caption=$(zd windows ZERADE95.exe | cut -f3 | grep -E "^(Enter Your Name:|High Score for .* Layout:|Ending the Confusion:)$" | head -n1)
    if [ "$caption" = "Ending the Confusion:" ]; then
      game_answer_confused || e2e_fatal "the confused player's help was not answered"
    elif [ -n "$caption" ]; then
      zd press "caption:$caption" Done >/dev/null
      zd gone "caption:$caption" 10000
    else
      sleep 0.3
    fi
  done
  wait "$clicking"
}
