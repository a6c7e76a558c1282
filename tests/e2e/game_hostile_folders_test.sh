# The game's surroundings made hostile: a data folder on the command line that does not
# exist; every piece set file and the background damaged or cut short; a folder path at
# the 120-character limit of the program folder and past it; a read-only working folder.
# In each case the game starts, plays (a short seeded soak with real input, which also
# switches piece sets and opens backgrounds), and exits cleanly.
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$ZD_SOURCE_DIR/tests/e2e/game_lib.sh"
. "$ZD_SOURCE_DIR/tests/e2e/soak_lib.sh"
SECONDS_EACH=${ZD_HOSTILE_SECONDS:-20}

soak_fresh_game "$E2E_WORK/nodata"
soak_case nodata "$SECONDS_EACH" --args 'Z:\no\such\folder\'

soak_fresh_game "$E2E_WORK/damaged"
n=0
for f in "$GAME_DIR"/*.vod "$GAME_DIR/PLANET_R.BKG"; do
  case $((n++ % 3)) in
    0) truncate -s $(($(stat -c %s "$f") / 2)) "$f" ;;   # cut short
    1) head -c "$(stat -c %s "$f")" /dev/urandom > "$f" ;; # random bytes
    2) head -c 64 "$f" > "$f.head" && mv "$f.head" "$f" ;;  # only the header
  esac
done
soak_case damaged "$SECONDS_EACH"

# A drive whose root the game may fall back to: folders of 119 characters (the longest
# the program folder holds) and of 120 (too long: the files go to the drive's root).
mkdir -p "$E2E_WORK/drive"
ln -sfn "$E2E_WORK/drive" "$WINEPREFIX/dosdevices/m:"
long_folder() {  # long_folder LENGTH: a Unix folder whose Windows path M:\... has LENGTH characters
  local length=$1 path='M:' part
  while [ ${#path} -lt $((length - 30)) ]; do path="$path\\$(printf 'l%.0s' $(seq 1 25))"; done
  part=$((length - ${#path} - 1))
  path="$path\\$(printf 'e%.0s' $(seq 1 $part))"
  echo "$E2E_WORK/drive/$(printf '%s' "${path#M:\\}" | tr '\\' /)"
}
for length in 119 120; do
  folder=$(long_folder $length)
  soak_fresh_game "$folder"
  # zdsoak is given the folder by its drive letter, so that the program sees that path.
  GAME_WIN="M:$(printf '%s' "${folder#$E2E_WORK/drive}" | tr / '\\')"
  check_eq "folder path of $length characters" "${#GAME_WIN}" "$length"
  e2e_log "case: long$length"
  wine "$SOAK_EXE" "$GAME_WIN" "$SECONDS_EACH" "${ZD_SOAK_SEED:-17}" --exits 0 --sample 10000 \
    2>"$E2E_WORK/.soak.err" | tr -d '\r' > "$E2E_WORK/long$length.log"
  status=${PIPESTATUS[0]}
  grep -E '^(fault|box)' "$E2E_WORK/long$length.log"
  check_eq "long$length: the game played and exited without a fault" "$status" 0
  if [ $length = 119 ]; then
    check "long119: the recent list is kept in the folder" test -s "$folder/gmnflist"
  else
    check "long120: the recent list falls back to the drive's root" test -s "$E2E_WORK/drive/gmnflist"
  fi
  rm -f "$E2E_WORK/drive/gmnflist" "$E2E_WORK/drive/vod.opt"
done
rm -f "$WINEPREFIX/dosdevices/m:"

# A working folder that nothing can be written to, not even by root: the folder is
# mounted read-only in a mount namespace of its own, in which Wine then runs.
soak_fresh_game "$E2E_WORK/rofolder"
soak_valid_files
mkdir -p "$E2E_WORK/before"
cp "$GAME_DIR"/{vod.opt,gmnflist,gmnscore} "$E2E_WORK/before/"
e2e_stop_wine
export -f soak_run winpath
export SOAK_EXE E2E_WORK GAME_DIR
unshare -m bash -c '
  mount --bind "$GAME_DIR" "$GAME_DIR" && mount -o remount,bind,ro "$GAME_DIR" || exit 99
  touch "$GAME_DIR/probe" 2>/dev/null && exit 98
  soak_run "$GAME_DIR" '"$SECONDS_EACH"' '"${ZD_SOAK_SEED:-17}"' --exits 0 --sample 10000 > "$E2E_WORK/rofolder.log"
  status=$?
  wineserver -k; wineserver -w
  exit $status' 
status=$?
grep -E '^(fault|box)' "$E2E_WORK/rofolder.log"
if [ $status = 99 ] || [ $status = 98 ]; then
  echo "SKIP: rofolder: no read-only mount can be made here (status $status)"
else
  check_eq "rofolder: the game played and exited without a fault" "$status" 0
  for f in vod.opt gmnflist gmnscore; do
    check "rofolder: $f stays as it was" cmp -s "$GAME_DIR/$f" "$E2E_WORK/before/$f"
  done
fi
