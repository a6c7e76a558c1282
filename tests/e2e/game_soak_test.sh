# The short soak: a minute of seeded random play with real input, every box answered,
# files, answers, process and GDI objects watched (see tests/driver/soak_win32.cpp).
# Replay a failure with the seed printed first (tools/soak.sh SECONDS SEED).
. "$(dirname "$0")/harness.sh"
e2e_begin
. "$ZD_SOURCE_DIR/tests/e2e/game_lib.sh"
. "$ZD_SOURCE_DIR/tests/e2e/soak_lib.sh"

SEED=${ZD_SOAK_SEED:-17}
# A folder name with a character outside ASCII, as players have.
GAME_DIR="$E2E_WORK/soak €"
game_prepare
soak_pictures "$E2E_WORK/pictures"
mkdir -p "$E2E_WORK/saves"

soak_run "$GAME_DIR" 60 "$SEED" --pictures "$(winpath "$E2E_WORK/pictures")" \
  --saves "$(winpath "$E2E_WORK/saves")" --exits 4 --sample 5000 --warmup 20000 > soak.log
status=$?
cat soak.log
grep '^fault' soak.log >&2
check_eq "the soak saw no fault (seed $SEED)" "$status" 0
# How many inputs fit in the minute depends on the machine's load (about 350 on a quiet
# machine, 150 at a load of 8): at least one a second shows the soak played.
check "inputs were sent" awk -F'\t' '$1 == "inputs" && $2 >= 60 {found = 1} END {exit !found}' soak.log
check "boxes and dialogs were answered" awk -F'\t' '$1 == "dialogs" && $2 > 3 {found = 1} END {exit !found}' soak.log
# GDI objects and handles of the last process stay level once warmed up.
check "GDI objects stay level" awk -F'\t' '$1 == "after_warmup" {a = $3} $1 == "final" {f = $3}
  END {exit !(a > 0 && f - a <= 40)}' soak.log
check "handles stay level" awk -F'\t' '$1 == "after_warmup" {a = $5} $1 == "final" {f = $5}
  END {exit !(a > 0 && f - a <= 40)}' soak.log
check "no game process is left" test -z "$(zd windows ZERADE95.exe)"
