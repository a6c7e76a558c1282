#!/usr/bin/env bash
# Start-up: the window, the loading notice, the title, the menu note and its two
# answers, and the files an orderly exit leaves.
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$(dirname "$0")/game_lib.sh"
game_prepare

note_text="The menu in Dazivivo only appears when you point to the upper left hand corner of the screen. This allows the nicest screen view during the game.\\r\\n\\r\\nClick cancel to rid yourself of this message for good!"

# --- first start: no options file ---------------------------------------------------
zd watch "$MAIN" 30000 "$E2E_WORK/frame" "Critical Note:" > frames.txt &
watcher=$!
game_start
require "menu note appears" zd wait "$NOTE" 30000 >/dev/null
wait $watcher

listing=$(zd windows ZERADE95.exe | grep -P "\tRevaza's Dazivivo, Version 1.0!\t")
check_eq "main window class and title" "$(cut -f2,3 <<<"$listing")" \
  "Revaza's Dazivivo, Version 1.0!	Revaza's Dazivivo, Version 1.0!"
check_eq "main window covers the screen" "$(cut -f4 <<<"$listing")" "0 0 1024 768"
style=$((16#$(cut -f6 <<<"$listing")))
check "full-screen style: popup, clip children, no caption" \
  test $((style & 0x82C00000)) -eq $((0x82000000))

check_eq "menu note text" "$(zd controls "$NOTE" | awk -F'\t' '$2 == 65535 {print $3}')" "$note_text"
check_eq "menu note buttons" "$(zd controls "$NOTE" | awk -F'\t' '$1 == "Button" {printf "%s;", $3}')" "OK;Cancel;"

# The frames seen before the note: the loading notice (pink text on black), then the
# title picture in the middle of the screen.
loading="" title=""
while read -r ms file _; do
  [ "$file" = stop ] && continue
  [ -z "$loading" ] && [ "$(python3 "$SCREEN_PY" count "$file" 255 50 180)" -gt 100 ] && loading=$ms
  [ -n "$loading" ] && [ -z "$title" ] &&
    [ "$(python3 "$SCREEN_PY" pixel "$file" 512 300)" != "0 0 0" ] && title=$ms
done < frames.txt
echo "frames: $(wc -l < frames.txt); loading notice at ${loading:-never} ms, title at ${title:-never} ms"
check "the loading notice is shown first" test -n "$loading"
check "then the title picture" test -n "$title"

zd press "$NOTE" OK
game_settle
check "OK writes no options file" test ! -e "$GAME_DIR/vod.opt"
game_exit
check_eq "the recent lists are written at exit" "$(stat -c %s "$GAME_DIR/gmnflist" 2>/dev/null)" 6000
check "the options are not written at exit" test ! -e "$GAME_DIR/vod.opt"

# --- second start: the note again; Cancel suppresses it for good ------------------------
game_start
require "menu note appears again after OK" zd wait "$NOTE" 30000 >/dev/null
zd press "$NOTE" Cancel
deadline=$((SECONDS + 10))
until [ -s "$GAME_DIR/vod.opt" ] || [ $SECONDS -ge $deadline ]; do sleep 0.1; done
check_eq "Cancel writes the options file" "$(stat -c %s "$GAME_DIR/vod.opt" 2>/dev/null)" 1548
check_eq "with the note suppressed" "$(game_option_value 540)" 1
check_eq "and the marker" "$(head -c 522 "$GAME_DIR/vod.opt" | tail -c 6 | tr -d '\0')" valid
game_exit

# --- third start: no note -----------------------------------------------------------------
game_start_ready
check "no menu note after Cancel" bash -c "! wine '$ZD_DRIVER' wait '$NOTE' 3000 >/dev/null 2>&1"
game_exit
