#!/usr/bin/env bash
# The null sink hears what a Windows program plays, and for how long.
E2E_RAISE=15  # it listens to the game (harness.sh)
. "$(dirname "$0")/harness.sh"
e2e_begin

playwave="$ZD_WIN32_DIR/tests/driver/playwave.exe"
sox -n -r 11025 -c 1 -b 8 -e unsigned-integer tone.wav synth 0.8 sine 440 vol 0.7

# Without a sound server the program goes on at once.
out=$(wine "$playwave" tone.wav | tr -d '\r')
check_eq "no sound device: the sound does not play" "$(cut -f1 <<<"$out")" 0

e2e_audio_start
e2e_record_start heard.wav
out=$(wine "$playwave" tone.wav | tr -d '\r')
e2e_record_stop
check_eq "played through the null sink" "$(cut -f1 <<<"$out")" 1
ms=$(cut -f2 <<<"$out")
check "synchronous play lasted the sound's length ($ms ms)" test "$ms" -ge 750
length=$(e2e_sound_seconds heard.wav)
echo "heard $length s of sound"
check "recording holds 0.8 s of sound ($length)" awk -v l="$length" 'BEGIN { exit !(l > 0.7 && l < 0.95) }'
# Over the sound only: silence and gaps around it pull a reading of the whole file down.
freq=$(python3 "$ZD_SOURCE_DIR/tests/e2e/sound.py" pitch heard.wav 0 0.8)
check "recording is the 440 Hz tone ($freq)" awk -v f="$freq" 'BEGIN { exit !(f > 400 && f < 480) }'
