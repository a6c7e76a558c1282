#!/usr/bin/env bash
# Makes every recording of the game as an 8-bit mono PCM RIFF/WAVE file in
# resources/sounds/, from espeak-ng (words) and sox (effects). Repeatable: sox runs
# with -R (fixed dither seed), espeak-ng is deterministic.
#
#   tools/assets/make_sounds.sh [output folder]
set -euo pipefail
top=$(cd "$(dirname "$0")/../.." && pwd)
out=${1:-$top/resources/sounds}
mkdir -p "$out"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
SOX=(sox -R -q)
calc() { awk "BEGIN { printf \"%.6f\", $1 }"; }

# One voice for every word, so that numbers read as one speaker.
VOICE=(-v en-us -s 150 -p 42 -a 100)
WORD_RMS=-16   # dBFS

# speak NAME RATE "text": the text spoken, silence trimmed at both ends (a little air
# kept so words do not clip), loudness evened out, written at RATE as 8-bit PCM.
speak() {
  local name=$1 rate=$2 text=$3
  espeak-ng "${VOICE[@]}" -w "$work/$name.raw.wav" "$text"
  "${SOX[@]}" "$work/$name.raw.wav" "$work/$name.t.wav" \
    gain -6 highpass 90 \
    silence 1 0.005 1% reverse silence 1 0.005 1% reverse
  "${SOX[@]}" "$work/$name.t.wav" "$work/$name.c.wav" \
    gain -6 compand 0.005,0.08 -60,-60,-30,-14,-10,-8,0,-6 0 -90 0.005 \
    gain -n -1 fade t 0.004 -0 0.012 pad 0 0.015
  # Even loudness: every word is brought to the same RMS level, peaks held by a limiter.
  local rms
  rms=$(sox "$work/$name.c.wav" -n stats 2>&1 | awk '/^RMS lev dB/ {print $4}')
  "${SOX[@]}" "$work/$name.c.wav" "$work/$name.l.wav" gain -l "$(calc "$WORD_RMS - ($rms)")"
  finish "$name" "$rate" "$work/$name.l.wav"
}

# finish NAME RATE FILE: resample to RATE, mono, unsigned 8-bit PCM.
finish() {
  "${SOX[@]}" "$3" -r "$2" -c 1 -b 8 -e unsigned-integer "$out/$1.wav"
}

# Number words: zero to nineteen, the tens, hundred, thousand and million.
units=(zero one two three four five six seven eight nine ten eleven twelve
       thirteen fourteen fifteen sixteen seventeen eighteen nineteen)
for i in "${!units[@]}"; do speak "n$i" 11025 "${units[$i]}"; done
tens=([2]=twenty [3]=thirty [4]=forty [5]=fifty [6]=sixty [7]=seventy [8]=eighty [9]=ninety)
for t in 2 3 4 5 6 7 8 9; do speak "n${t}0" 11025 "${tens[$t]}"; done
speak n100 11025 "hundred"
speak n1000 11025 "thousand"
speak million 11025 "million"
speak HOURS_WAV 11025 "hours"
speak MINUTES_WAV 11025 "minutes"
speak SECONDS_WAV 11025 "seconds"

# Phrases of the game-end announcement.
speak yourscorewas_wav 11025 "Your score was"
speak explosions_wav 11025 "explosions"
speak new_rec_wav 11025 "New record!"
speak recordmoves_wav 11025 "The record is"

# Tick: a short woody knock for every square the flood opens (about 40 ms).
"${SOX[@]}" -n -r 22050 -c 1 "$work/t1.wav" synth 0.04 sine 1650 fade h 0 0.04 0.038
"${SOX[@]}" -n -r 22050 -c 1 "$work/t2.wav" synth 0.04 pinknoise fade h 0 0.04 0.036 bandpass 3200 1.2q
"${SOX[@]}" -m -v 0.8 "$work/t1.wav" -v 0.5 "$work/t2.wav" "$work/tick.wav" gain -n -2
finish tick_wav 22050 "$work/tick.wav"

# boom NAME SECONDS LOWPASS: a sharp crack, a mid-range roar that dies away quickly and
# a low body with a long tail, so the blast carries on small speakers too.
boom() {
  local name=$1 len=$2 lp=$3
  local mid; mid=$(calc "$len * 0.55")
  "${SOX[@]}" -n -r 22050 -c 1 "$work/$name.crack.wav" synth 0.25 whitenoise fade h 0 0.25 0.24 lowpass 7000
  "${SOX[@]}" -n -r 22050 -c 1 "$work/$name.mid.wav" synth "$mid" pinknoise \
    fade p 0.003 "$mid" "$(calc "$mid - 0.01")" lowpass "$((lp * 3))" highpass 150
  "${SOX[@]}" -n -r 22050 -c 1 "$work/$name.body.wav" synth "$len" brownnoise \
    fade p 0.004 "$len" "$(calc "$len - 0.05")" lowpass "$lp" lowpass "$lp"
  "${SOX[@]}" -n -r 22050 -c 1 "$work/$name.thump.wav" synth "$len" sine 70-28 \
    fade p 0.003 "$len" "$(calc "$len - 0.02")"
  "${SOX[@]}" -m -v 0.35 "$work/$name.crack.wav" -v 0.8 "$work/$name.mid.wav" -v 0.45 "$work/$name.body.wav" \
    -v 0.25 "$work/$name.thump.wav" "$work/$name.m.wav" gain -n -10 overdrive 8 gain -n -10 reverb 40 50 60 gain -n -1 \
    silence 1 0.002 0.5% reverse silence 1 0.01 0.4% reverse
  "${SOX[@]}" "$work/$name.m.wav" "$work/$name.wav" fade t 0 -0 0.05
}

# The normal explosion.
boom explode 1.5 900
finish explode 22050 "$work/explode.wav"

# The nuclear explosion: a deep blast that keeps on rumbling.
boom nuke 3.2 500
"${SOX[@]}" -n -r 22050 -c 1 "$work/roar.wav" synth 3.2 brownnoise tremolo 3 40 \
  fade p 0.4 3.2 2.0 lowpass 300 gain -3
"${SOX[@]}" -m -v 0.6 "$work/nuke.wav" -v 0.5 "$work/roar.wav" "$work/nuke1.wav" gain -n -1 \
  reverse silence 1 0.01 0.4% reverse
"${SOX[@]}" "$work/nuke1.wav" "$work/nuke2.wav" fade t 0 -0 0.1
finish nuclear_wav 22050 "$work/nuke2.wav"

# Small blast then a spoken groan: "Gosh darn it!" and "Aw shucks!".
boom pop 0.7 1400
blast_then_words() {
  local name=$1 text=$2 pitch=$3
  espeak-ng -v en-us -s 135 -p "$pitch" -a 100 -w "$work/$name.v.wav" "$text"
  "${SOX[@]}" "$work/$name.v.wav" -r 22050 "$work/$name.v2.wav" \
    silence 1 0.005 1% reverse silence 1 0.005 1% reverse gain -n -1
  "${SOX[@]}" "$work/pop.wav" "$work/$name.v2.wav" "$work/$name.wav" gain -n -1
  finish "$name" 22050 "$work/$name.wav"
}
blast_then_words goshdarn_wav "Gosh darn it!" 55
blast_then_words aweshucks_wav "Aw, shucks!" 35

# The start-up sound at 8000 samples a second: a deep, distant rolling explosion.
"${SOX[@]}" -n -r 22050 -c 1 "$work/deep1.wav" synth 2.6 brownnoise fade p 0.01 2.6 2.3 lowpass 250 lowpass 250
"${SOX[@]}" -n -r 22050 -c 1 "$work/deep3.wav" synth 1.6 pinknoise fade p 0.01 1.6 1.5 lowpass 1200 highpass 120
"${SOX[@]}" -n -r 22050 -c 1 "$work/deep2.wav" synth 2.6 sine 55-22 fade p 0.005 2.6 2.4
"${SOX[@]}" -m -v 0.5 "$work/deep1.wav" -v 0.35 "$work/deep2.wav" -v 0.35 "$work/deep3.wav" "$work/deep0.wav" gain -n -10 \
  reverb 70 50 100 gain -n -1 reverse silence 1 0.01 0.4% reverse
"${SOX[@]}" "$work/deep0.wav" "$work/deep.wav" fade t 0 -0 0.2
finish deepexpl 8000 "$work/deep.wav"

# note FILE FREQ SECONDS: a soft bell-like tone.
note() {
  "${SOX[@]}" -n -r 22050 -c 1 "$1" synth "$3" sine "$2" sine "$(calc "$2 * 2")" \
    remix 1v0.8,2v0.2 fade p 0.005 "$3" "$(calc "$3 - 0.01")"
}
# Bonus cues: a rising arpeggio and a twinkling run.
i=0; for f in 523.25 659.25 783.99 1046.5; do note "$work/b$i.wav" $f 0.11; i=$((i+1)); done
note "$work/b4.wav" 1318.5 0.35
"${SOX[@]}" "$work"/b{0,1,2,3,4}.wav "$work/bonus.wav" gain -n -8 reverb 30 gain -n -2
finish bonus_wav 11025 "$work/bonus.wav"
i=0; for f in 1567.98 1318.51 1567.98 2093.0 1760.0 2093.0 2637.0; do note "$work/c$i.wav" $f 0.075; i=$((i+1)); done
note "$work/c7.wav" 3136.0 0.3
"${SOX[@]}" "$work"/c{0,1,2,3,4,5,6,7}.wav "$work/bonus2.wav" gain -n -8 reverb 30 gain -n -2
finish bonus2_wav 11025 "$work/bonus2.wav"

# Sound on and off: a rising and a falling two-tone blip.
note "$work/on1.wav" 660 0.09; note "$work/on2.wav" 990 0.16
"${SOX[@]}" "$work/on1.wav" "$work/on2.wav" "$work/on.wav" gain -n -2
finish soundon 22050 "$work/on.wav"
note "$work/off1.wav" 990 0.09; note "$work/off2.wav" 495 0.16
"${SOX[@]}" "$work/off1.wav" "$work/off2.wav" "$work/off.wav" gain -n -2
finish soundoff 22050 "$work/off.wav"

# Farewell: a falling chime, then "Goodbye!".
i=0; for f in 1046.5 783.99 659.25 523.25; do note "$work/g$i.wav" $f 0.09; i=$((i+1)); done
espeak-ng -v en-us -s 140 -p 48 -a 100 -w "$work/bye.v.wav" "Goodbye!"
"${SOX[@]}" "$work/bye.v.wav" -r 22050 "$work/bye.v2.wav" silence 1 0.005 1% reverse silence 1 0.005 1% reverse gain -n -1
"${SOX[@]}" "$work"/g{0,1,2,3}.wav "$work/bye.v2.wav" "$work/bye.wav" gain -n -1
finish goodbye 11025 "$work/bye.wav"
