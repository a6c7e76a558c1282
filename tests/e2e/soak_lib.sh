# Helpers for the soak and the hostile-surroundings tests; sourced after harness.sh,
# game_lib.sh and e2e_begin (tools/soak.sh sources the same files).

SOAK_EXE="$ZD_DRIVER_DIR/tests/driver/zdsoak.exe"

# soak_pictures DIR: a small folder of pictures for the Open dialog, good and damaged:
# each format the game reads, a 320 x 320 sheet, and files cut short, filled with random
# bytes, empty, or claiming absurd sizes.
soak_pictures() {
  local dir=$1
  mkdir -p "$dir"
  convert -size 200x150 gradient:red-blue "$dir/good.bmp"
  convert -size 180x120 plasma:fractal -seed 7 "$dir/good.png" 2>/dev/null ||
    convert -size 180x120 gradient:green-yellow "$dir/good.png"
  convert -size 160x100 gradient:white-black "$dir/good.jpg"
  convert -size 120x90 gradient:orange-purple "$dir/good.gif"
  convert -size 140x70 gradient:cyan-brown "$dir/good.tif"
  convert -size 320x320 pattern:checkerboard "$dir/sheet.png"
  cp "$ZD_SOURCE_DIR/data/PLANET_R.BKG" "$dir/planet.bkg"
  head -c 300 "$dir/good.png" > "$dir/short.png"
  head -c 500 "$dir/good.jpg" > "$dir/short.jpg"
  head -c 2000 "$dir/good.bmp" > "$dir/short.bmp"
  head -c 1000 "$dir/planet.bkg" > "$dir/short.bkg"
  head -c 4096 /dev/urandom > "$dir/noise.gif"
  head -c 4096 /dev/urandom > "$dir/noise.tif"
  : > "$dir/empty.bmp"
  # A BMP header claiming 60000 x 60000 pixels at 24 bits over 100 bytes of data.
  python3 - "$dir/huge.bmp" <<'PY'
import struct, sys
header = struct.pack("<2sIHHI", b"BM", 54 + 100, 0, 0, 54)
info = struct.pack("<IiiHHIIiiII", 40, 60000, 60000, 1, 24, 0, 0, 0, 0, 0, 0)
open(sys.argv[1], "wb").write(header + info + bytes(100))
PY
}

# soak_run FOLDER SECONDS SEED [zdsoak option...]: plays the game in FOLDER (a Unix
# path) and prints the soak's record; its exit code is the soak's (0: no fault).
soak_run() {
  local folder=$1 seconds=$2 seed=$3
  shift 3
  wine "$SOAK_EXE" "$(winpath "$folder")" "$seconds" "$seed" "$@" 2>"$E2E_WORK/.soak.err" |
    tr -d '\r'
  return "${PIPESTATUS[0]}"
}

# soak_case NAME SECONDS [zdsoak option...]: a short soak of the game in GAME_DIR with a
# fixed seed; checks that it saw no fault (the game answered, lived until told to exit,
# ended with code 0, showed only its own boxes, kept its files whole).
soak_case() {
  local name=$1 seconds=$2
  shift 2
  e2e_log "case: $name"
  soak_run "$GAME_DIR" "$seconds" "${ZD_SOAK_SEED:-17}" --exits 0 --sample 10000 "$@" > "$E2E_WORK/$name.log"
  local status=$?
  grep -E '^(fault|box)' "$E2E_WORK/$name.log"
  check_eq "$name: the game played and exited without a fault" "$status" 0
  check "$name: input was sent" awk -F'\t' '$1 == "inputs" && $2 > 5 {ok = 1} END {exit !ok}' "$E2E_WORK/$name.log"
}

# soak_fresh_game: a new game folder GAME_DIR with the program and its data files.
soak_fresh_game() {
  GAME_DIR=$1
  rm -rf "$GAME_DIR"
  game_prepare
}

# Valid files of the game, with recognisable contents (a name in the high scores, a
# recent background, a set chosen in the options).
soak_valid_files() {
  game_options tiles='C:\sets\mine.vod' level=6
  python3 - "$GAME_DIR" <<'PY'
import struct, sys
folder = sys.argv[1]
lists = bytearray(6000)
lists[2000:2000 + 12] = b"C:\\night.bmp"
open(folder + "/gmnflist", "wb").write(bytes(lists))
table = struct.pack("<36I", *([320000000] * 36)) + struct.pack("<36i", *([1000] * 36))
names = bytearray(36 * 16)
names[0:5] = b"Keepr"
table += bytes(names) + bytes(range(256)) + bytes(184)
assert len(table) == 1304
open(folder + "/gmnscore", "wb").write(table)
PY
}
