#!/usr/bin/env python3
"""Compares what the null sink recorded with the game's own recordings.

Sounds are compared by their envelopes: the mean absolute level of each window of about
10 ms, which does not depend on the sample rate or the player's resampling. A window is a
whole number of samples (220 at 22050 Hz, 9.977 ms), and times are given from the
windows' own length: taken as 10 ms, a time 20 s into a recording would be 46 ms late.

  sound.py segments REC.wav [GAP_MS]     one line per stretch of sound: "START END" in
                                          seconds (quiet gaps shorter than GAP_MS,
                                          default 120, are bridged)
  sound.py span REF.wav                  "START END" of the sound inside a recording
  sound.py length REC.wav                one sound's length in seconds, first to last
                                          loud window, without its silent gaps
  sound.py best REC.wav START REF.wav... which REF the sound starting near START (s)
                                          matches best: "REF CORRELATION" per REF, best
                                          first
  sound.py match REC.wav REF.wav         where REF is heard best in REC: "OFFSET
                                          CORRELATION" (offset of REF's start, seconds)
  sound.py pitch REC.wav START LENGTH    the rough frequency of the sound from START (s)
                                          on, over LENGTH seconds of its loud windows,
                                          or "none" when no loud window follows START
  sound.py sequence REC.wav START REF... the REFs heard one after another from START:
                                          "REF OFFSET CORRELATION" per REF, each
                                          looked for just after the one before, then
                                          "end OFFSET" where the last one ends
"""
import math
import sys
import wave

WINDOW = 0.01
THRESHOLD = 0.02  # of full scale


def window_step(rate):
    """The samples of one envelope window at RATE: a whole number, so about WINDOW."""
    return max(1, int(rate * WINDOW))


def read(path):
    with wave.open(path, "rb") as w:
        rate, width, channels = w.getframerate(), w.getsampwidth(), w.getnchannels()
        raw = w.readframes(w.getnframes())
    if width == 1:
        values = [(b - 128) / 128.0 for b in raw]
    elif width == 2:
        values = [int.from_bytes(raw[i:i + 2], "little", signed=True) / 32768.0
                  for i in range(0, len(raw), 2)]
    else:
        raise SystemExit(f"{path}: {width * 8}-bit samples not handled")
    return rate, without_gaps(values[::channels])


def without_gaps(values, shortest=16):
    """Under load Wine fills the gaps in an 8-bit stream with zero bytes, which the sink
    hears as full-scale negative: runs of SHORTEST or more samples held exactly there are
    silence, not sound."""
    out = list(values)
    i = 0
    while i < len(out):
        if out[i] <= -1.0:
            j = i
            while j < len(out) and out[j] <= -1.0:
                j += 1
            if j - i >= shortest:
                out[i:j] = [0.0] * (j - i)
            i = j
        else:
            i += 1
    return out


def pitch(path, start, length):
    """The rough frequency that sox's stat effect gives (the RMS of the sample-to-sample
    differences over the RMS of the samples, times rate / 2 pi), over the loud windows
    of the sound with its silence taken out (without_silence): the gaps the sink hears
    under load hold nothing to measure, and a difference is taken only between samples
    that were neighbours, so that the edges of a gap add none."""
    rate, values = read(path)
    step = window_step(rate)
    values, kept = without_silence(values)
    squares = deltas = 0.0
    windows = 0
    first = sum(1 for k in kept if k < start * rate)
    for i in range(first, len(values) - step + 1, step):
        window = values[i:i + step]
        if sum(abs(v) for v in window) / step <= THRESHOLD:
            continue
        squares += sum(v * v for v in window)
        deltas += sum((values[j + 1] - values[j]) ** 2 for j in range(i, i + step - 1)
                      if kept[j + 1] == kept[j] + 1)
        windows += 1
        if windows * WINDOW >= length - 1e-9:
            break
    return (deltas / squares) ** 0.5 * rate / (2 * math.pi) if squares else None


def length(path):
    """One sound's own length: first to last loud window, without its silent gaps, taken
    out to the sample (without_silence): windows would count a gap's partial windows as
    sound, a hundredth of a second a side."""
    rate, values = read(path)
    step = window_step(rate)
    loud = [i for i, level in enumerate(envelope_of(values, step)) if level > THRESHOLD]
    if not loud:
        return 0.0
    return len(without_silence(values[loud[0] * step:(loud[-1] + 1) * step])[0]) / rate


def envelope_of(values, step):
    return [sum(abs(v) for v in values[i:i + step]) / step
            for i in range(0, len(values) - step + 1, step)]


def envelope(path):
    """The envelope of a recording, and the length of its windows in seconds."""
    rate, values = read(path)
    step = window_step(rate)
    return envelope_of(values, step), step / rate


def segments(env, seconds, gap_ms=120):
    gap = int(gap_ms / 1000 / seconds)
    found, start, quiet = [], None, 0
    for i, level in enumerate(env + [0.0] * (gap + 1)):
        if level > THRESHOLD:
            if start is None:
                start = i
            quiet = 0
        elif start is not None:
            quiet += 1
            if quiet > gap:
                found.append((start, i - quiet + 1))
                start, quiet = None, 0
    return [(a * seconds, b * seconds) for a, b in found]


def correlation(a, b):
    n = max(len(a), len(b))
    a = a + [0.0] * (n - len(a))
    b = b + [0.0] * (n - len(b))
    ma, mb = sum(a) / n, sum(b) / n
    cov = sum((x - ma) * (y - mb) for x, y in zip(a, b))
    va = sum((x - ma) ** 2 for x in a)
    vb = sum((y - mb) ** 2 for y in b)
    return cov / (va * vb) ** 0.5 if va > 0 and vb > 0 else 0.0


def trimmed(env):
    """The envelope from its first loud window on."""
    for i, level in enumerate(env):
        if level > THRESHOLD:
            return env[i:]
    return []


def silence_taken_out(path):
    """The envelope of a recording with its silence taken out to the sample
    (without_silence), the index of each kept sample, and the samples of a window."""
    rate, values = read(path)
    step = window_step(rate)
    values, kept = without_silence(values)
    return envelope_of(values, step), kept, step, rate


def window_at(kept, step, rate, seconds):
    """The window of an envelope with its silence taken out that holds the recording's
    time SECONDS (or the first one after it)."""
    return sum(1 for k in kept[::step] if k < seconds * rate)


def best_at(path, start, refs, slack=0.1):
    """Each reference's correlation with the recording at the best offset near START; the
    recording is cut to the reference's length, so a longer or shorter sound scores low.
    Silence is taken out of both to the sample: under load the sink hears gaps inside a
    sound."""
    scores = []
    rec, kept, step, rate = silence_taken_out(path)
    start = window_at(kept, step, rate, start)
    first = max(0, start - int(round(slack / WINDOW)))
    last = start + int(round(slack / WINDOW))
    for name in refs:
        ref = trimmed(silence_taken_out(name)[0])
        score = max(correlation(rec[i:i + len(ref) + 20], ref)
                    for i in range(first, min(last, len(rec)) + 1))
        scores.append((score, name))
    return sorted(scores, reverse=True)


def sound_only(env):
    """The envelope from its first to its last loud window."""
    env = trimmed(env)
    while env and env[-1] <= THRESHOLD:
        env.pop()
    return env


def without_silence(values, shortest=16):
    """The samples without their runs of SHORTEST or more at exactly zero (the gaps the
    sink heard, and the pauses between sounds), and each kept sample's index."""
    kept = []
    i = 0
    while i < len(values):
        j = i
        while j < len(values) and values[j] == 0.0:
            j += 1
        if j - i < shortest:
            kept.extend(range(i, j + 1 if j < len(values) else j))
        elif j < len(values):
            kept.append(j)
        i = j + 1
    return [values[k] for k in kept], kept


def sequence(path, start, refs, early=0.08, late=0.15):
    """Each reference in turn, looked for from a little before to a little after the end
    of the one before it (the first from START on): "(name, offset, correlation)" each,
    and where the last one ends. Silence is taken out of the recording and the
    references to the sample before their envelopes are compared, as in best_at: under
    load the sink hears gaps all through the words, which would pull each word apart.
    With the pauses between the words gone too, each word follows the one before it
    closely, so that a word left out or put in shifts the ones after it and the end.
    Offsets are given in the recording's own time."""
    rec, kept, step, rate = silence_taken_out(path)
    if not rec:
        return [(name, start, 0.0) for name in refs], start

    def real(window):  # the recording's time of the start of a window of REC
        return kept[min(window * step, len(kept) - 1)] / rate

    found = []
    position = window_at(kept, step, rate, start)
    for name in refs:
        ref = sound_only(silence_taken_out(name)[0])
        first = max(0, position - (int(round(early / WINDOW)) if found else 0))
        last = min(len(rec) - 1, position + int(round(late / WINDOW)))
        score, at = max((correlation(rec[i:i + len(ref)], ref), i)
                        for i in range(first, max(first, last) + 1))
        found.append((name, real(at), score))
        position = at + len(ref)
    end = kept[min(position * step, len(kept)) - 1] / rate + WINDOW / 2 if position else start
    return found, end


def main(argv):
    command = argv[1] if len(argv) > 1 else ""
    if command == "segments" and len(argv) in (3, 4):
        for a, b in segments(*envelope(argv[2]), *(int(x) for x in argv[3:])):
            print(f"{a:.2f} {b:.2f}")
    elif command == "span" and len(argv) == 3:
        found = segments(*envelope(argv[2]), 10 ** 6)
        print(f"{found[0][0]:.2f} {found[-1][1]:.2f}" if found else "0 0")
    elif command == "length" and len(argv) == 3:
        print(f"{length(argv[2]):.2f}")
    elif command == "best" and len(argv) >= 5:
        for score, name in best_at(argv[2], float(argv[3]), argv[4:]):
            print(f"{name} {score:.3f}")
    elif command == "match" and len(argv) == 4:
        (rec, seconds), ref = envelope(argv[2]), trimmed(envelope(argv[3])[0])
        score, offset = max((correlation(rec[i:i + len(ref)], ref), i)
                            for i in range(0, max(1, len(rec) - len(ref) // 2)))
        print(f"{offset * seconds:.2f} {score:.3f}")
    elif command == "pitch" and len(argv) == 5:
        found = pitch(argv[2], float(argv[3]), float(argv[4]))
        print("none" if found is None else f"{found:.0f}")
    elif command == "sequence" and len(argv) >= 5:
        found, end = sequence(argv[2], float(argv[3]), argv[4:])
        for name, offset, score in found:
            print(f"{name} {offset:.2f} {score:.3f}")
        print(f"end {end:.2f}")
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
