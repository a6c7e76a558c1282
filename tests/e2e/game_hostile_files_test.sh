# The game's own files made hostile: vod.opt, gmnflist and gmnscore filled with random
# bytes, cut short, made huge, given absurd values, or made read-only. In each case the
# game starts, plays (a short seeded soak with real input), and exits cleanly; a file it
# rewrites is whole and valid, and a read-only file stays as it was.
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$ZD_SOURCE_DIR/tests/e2e/game_lib.sh"
. "$ZD_SOURCE_DIR/tests/e2e/soak_lib.sh"
SECONDS_EACH=${ZD_HOSTILE_SECONDS:-20}

# After an orderly exit the recent list has been written whole.
check_list_written() {
  check "$1: gmnflist written whole at exit" test "$(stat -c %s "$GAME_DIR/gmnflist")" = 6000
}

soak_fresh_game "$E2E_WORK/random"
for f in vod.opt gmnflist gmnscore; do head -c 1548 /dev/urandom > "$GAME_DIR/$f"; done
soak_case random "$SECONDS_EACH"
check_list_written random

soak_fresh_game "$E2E_WORK/short"
soak_valid_files
for f in vod.opt gmnflist gmnscore; do truncate -s 100 "$GAME_DIR/$f"; done
soak_case short "$SECONDS_EACH"
check_list_written short

soak_fresh_game "$E2E_WORK/huge"
soak_valid_files
for f in vod.opt gmnflist gmnscore; do
  head -c 16M /dev/urandom >> "$GAME_DIR/$f"
done
soak_case huge "$SECONDS_EACH"
check_list_written huge

# The marker says the options are valid, but every value is absurd and the paths have
# no end.
soak_fresh_game "$E2E_WORK/absurd"
python3 - "$GAME_DIR/vod.opt" <<'PY'
import struct, sys
data = bytearray(b"\xff" * 1548)
struct.pack_into("<i", data, 0, -7)
data[516:522] = b"valid\0"
struct.pack_into("<iiiiii", data, 516 + 8, 0, 1000, -3, 7, 1, 123456)
open(sys.argv[1], "wb").write(bytes(data))
PY
soak_case absurd "$SECONDS_EACH"
check_list_written absurd

soak_fresh_game "$E2E_WORK/readonly"
soak_valid_files
mkdir -p "$E2E_WORK/before"
cp -p "$GAME_DIR"/{vod.opt,gmnflist,gmnscore} "$E2E_WORK/before/"
chmod a-w "$GAME_DIR"/{vod.opt,gmnflist,gmnscore}
soak_case readonly "$SECONDS_EACH"
for f in vod.opt gmnflist gmnscore; do
  check "readonly: $f stays as it was" cmp -s "$GAME_DIR/$f" "$E2E_WORK/before/$f"
done
