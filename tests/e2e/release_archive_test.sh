#!/usr/bin/env bash
# The release archive as a player gets it: unpacked into a fresh folder whose name needs
# the ANSI code page, the game started from there, a whole 12 x 8 game played to its end
# and its record saved, the options saved, the game started again with its settings, and
# ravezudi.exe started from the folder. Every file the programs create or open for
# writing (Wine's trace of its file calls) lies inside the unpacked folder, and the
# folder then holds the archive's files and the game's three files, nothing else.
#
#   release_archive_test.sh ARCHIVE
. "$(dirname "$0")/harness.sh"
if [ "$ZD_WINE_ROUTE" = wine64 ]; then
  echo "SKIP: the archive's i686 programs cannot run on this machine (route wine64)"
  exit 77
fi
e2e_begin
. "$(dirname "$0")/game_lib.sh"
. "$(dirname "$0")/game_end_lib.sh"

ARCHIVE=$1
PLACE="$E2E_WORK/Spiel €"
GAME_DIR="$PLACE/Dazivivo"
NAME_BOX="caption:Enter Your Name:"
HS_BOX="caption:High Score for Easy 12x8 Layout:"
SAVED_BOX="caption:Options Saved:"
INSTRUCTIONS="caption:Installation Instructions:"

mkdir "$PLACE"
python3 -m zipfile -e "$ARCHIVE" "$PLACE" || e2e_fatal "the archive does not unpack"
unpacked=$(cd "$GAME_DIR" && ls | sort)
check_eq "the folder holds the archive's files" "$(ls -A "$PLACE")" "Dazivivo"

# launch_traced VAR EXE: starts EXE from the unpacked folder, as a player does, with
# Wine's trace of file calls in .launch.VAR.
launch_traced() {
  WINEDEBUG=-all,+pid,trace+file e2e_launch "$1" "$(winpath "$GAME_DIR")" "\"$(winpath "$GAME_DIR/$2")\""
}
# start_traced WHAT: starts the game that way and answers the menu note it opens with.
start_traced() {
  launch_traced game ZERADE95.exe
  require "main window appears$1" zd wait "$MAIN" 30000 >/dev/null
  require "the menu note appears$1" zd wait "$NOTE" 30000 >/dev/null
  zd press "$NOTE" OK >/dev/null
  zd gone "$NOTE" 10000
}
shot() {  # shot NAME: the game's screen as NAME.bmp and, to look at, NAME.png
  game_capture "$E2E_WORK/$1.bmp"
  convert "$E2E_WORK/$1.bmp" "$E2E_WORK/$1.png"
}

# ---- 1. First start: no settings yet ------------------------------------------------
start_traced ""
zd key "$MAIN" Q >/dev/null  # hides the menu bar, which covers the top row
game_settle
shot first-start
# The clock would stand between the test and the squares it reads: hidden, and kept so.
zd command "$MAIN" $CMD_CLOCK_TOGGLE >/dev/null
# The easy level, which tells that it holds from the next game on.
zd post "$MAIN" $CMD_LEVEL_EASY >/dev/null
require "the level notice appears" zd wait "caption:Notice:" 10000 >/dev/null
zd press "caption:Notice:" OK >/dev/null
zd gone "caption:Notice:" 10000

# ---- 2. A whole 12 x 8 game to its end, a perfect game and so a record --------------
# The deal is found by reading the field off the screen with the unpacked folder's
# rosewood.vod and PLANET_R.BKG: the game found its data files beside it.
end_deal $CMD_LAYOUT_12X8 12 8 10
game_settle
shot playing
end_finish_game
require "the finished game brings the new-record dialog" zd wait "$NAME_BOX" 60000 >/dev/null
xdotool type --delay 20 "Player"
xdotool key Return
require "the high-score dialog follows" zd wait "$HS_BOX" 10000 >/dev/null
zd press "$HS_BOX" Done >/dev/null
zd gone "$HS_BOX" 10000
end_wait_clickall
read -r size explosions _ holder <<<"$(end_table_entry "$GAME_DIR/gmnscore" 0)"
check_eq "gmnscore in the unpacked folder: Easy 12x8 held by Player with no explosion" \
  "$size $explosions $holder" "1304 0 Player"

# ---- 3. Options saved, exit ------------------------------------------------------------
zd post "$MAIN" $CMD_SAVE_OPTIONS >/dev/null
require "the options are saved" zd wait "$SAVED_BOX" 10000 >/dev/null
zd press "$SAVED_BOX" OK >/dev/null
zd gone "$SAVED_BOX" 10000
game_exit
check_eq "vod.opt in the unpacked folder" "$(stat -c %s "$GAME_DIR/vod.opt" 2>/dev/null)" 1548
check_eq "it holds 12 x 8, the easy level and the clock hidden" \
  "$(game_option_value 528) $(game_option_value 532) $(game_option_value 524) $(game_option_value 544)" \
  "12 8 10 0"
check_eq "gmnflist in the unpacked folder" "$(stat -c %s "$GAME_DIR/gmnflist" 2>/dev/null)" 6000
mv "$E2E_WORK/.launch.game" "$E2E_WORK/trace-first.txt"

# ---- 4. Second start: the settings are back ----------------------------------------
start_traced " again"
zd key "$MAIN" N >/dev/null  # a new game, in place of the title
game_settle
shot second-start
check_eq "N deals a covered field, no clock over it" \
  "$(game_squares "$E2E_WORK/second-start.bmp" 12 8 | tr -cd C | wc -c)" 96
# The board of a new deal is found among the 12 x 8 boards of the easy level: a board of
# another layout or level matches none of them, and the deal finder fails the test.
end_deal $CMD_START_NEW_GAME 12 8 10
echo "ok: a new game is dealt with the saved 12 x 8 layout and easy level"
game_exit
mv "$E2E_WORK/.launch.game" "$E2E_WORK/trace-second.txt"

# ---- 5. ravezudi.exe from the folder -----------------------------------------------
launch_traced note ravezudi.exe
require "the instructions appear" zd wait "$INSTRUCTIONS" 20000 >/dev/null
text=$(zd controls "$INSTRUCTIONS" | awk -F'\t' '$1 == "Static" && $2 == 65535 {print $3}' |
       iconv -f CP1252 -t UTF-8)
echo "instructions: $text"
check "they name the game in the unpacked folder" \
  grep -qF "'$(winpath "$GAME_DIR/ZERADE95" | sed 's/\\/\\\\/g')'" <<<"$text"
zd press "$INSTRUCTIONS" OK >/dev/null
check_eq "ravezudi.exe ends with IDOK" "$(e2e_exit_code note)" 1
mv "$E2E_WORK/.launch.note" "$E2E_WORK/trace-note.txt"

# ---- 6. Nothing written outside the unpacked folder ---------------------------------
# Wine's trace, each line led by process and thread ids, shows every NtCreateFile as
# access=HEX name=L"\\??\\Z:\\..." ... disp=N, non-ASCII characters as \XXXX. A process
# is told by the first program it resolves (its own); the game's and ravezudi's opens that
# may create or write (write, append or delete access, or any disposition but open) of a
# file on a drive must be inside the folder. Wine's own processes (started with the
# first program of a run: wineboot, the menu builder) write into its prefix and the home
# folder's menus; they are listed, not judged.
written=$(cat "$E2E_WORK"/trace-*.txt | tr -d '\r' | python3 -c '
import re, sys
inside = sys.argv[1].lower() + "\\"
image, out = {}, set()
for line in sys.stdin:
    m = re.match(r"^([0-9a-f]+):[0-9a-f]+:trace:file:(\w+) (.*)", line)
    if not m:
        continue
    pid, call, rest = m.groups()
    n = re.search(r"name=L\"(.*?)\"|^L\"(.*?)\" ->", rest)
    if not n:
        continue
    name = re.sub(r"\\(\\|[0-9a-f]{4})", lambda e: "\\" if e.group(1) == "\\" else chr(int(e.group(1), 16)),
                  n.group(1) or n.group(2))
    if pid not in image and name.lower().endswith(".exe"):
        image[pid] = name.rsplit("\\", 1)[-1]
    a = re.search(r"access=([0-9a-f]+) .* disp=(\d+)", rest)
    if call != "NtCreateFile" or not a or not re.match(r"^\\\?\?\\[A-Za-z]:\\", name):
        continue
    access, disp = int(a.group(1), 16), int(a.group(2))
    if access & 0x50010006 or disp != 1:
        path = name[4:]
        program = image.get(pid, "?")
        if program.lower() not in ("zerade95.exe", "ravezudi.exe"):
            state = "wine"
        else:
            state = "inside" if path.lower().startswith(inside) else "OUTSIDE"
        out.add("%s %s %s" % (state, program, path))
print("\n".join(sorted(out)))
' "$(winpath "$GAME_DIR")")
echo "files created or opened for writing, by program:"
echo "$written"
check "the game's own writes were seen in the trace" grep -q '^inside ZERADE95.exe .*\\vod.opt' <<<"$written"
nothing_outside() { ! grep -q '^OUTSIDE' <<<"$written"; }
check "the game and ravezudi.exe wrote nothing outside the unpacked folder" nothing_outside
check_eq "the unpacked folder holds the archive's files and the game's three files" \
  "$(cd "$GAME_DIR" && ls -A | sort)" "$(printf '%s\ngmnflist\ngmnscore\nvod.opt\n' "$unpacked" | sort)"
check_eq "and the folder it was unpacked into nothing else" "$(ls -A "$PLACE")" "Dazivivo"
