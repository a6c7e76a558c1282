#!/usr/bin/env python3
"""A second, independent reading of the background generators' arithmetic, written in
Python from their description, to check the pictures of landscape_render pixel for pixel.

  reference.py check TOOL WORKDIR   renders small pictures with both and compares them;
                                    exit 0 when every one is identical

Slow (pure Python): only small pictures are drawn.
"""
import math
import os
import subprocess
import sys


class Rng:
    def __init__(self):
        self.state = 0

    def seed(self, s):
        self.state = s & 0xFFFFFFFF

    def next(self):
        self.state = (self.state * 214013 + 2531011) & 0xFFFFFFFF
        return (self.state >> 16) & 0x7FFF

    def below(self, n):
        return ((n * self.next()) & 0xFFFFFFFF) >> 15


def tdiv(a, b):
    """Integer division truncating toward zero."""
    q = abs(a) // abs(b)
    return q if (a >= 0) == (b >= 0) else -q


def clamp(v, lo, hi):
    return max(lo, min(hi, v))


def byte(v):
    return v & 0xFF


# ---- Height grids ----------------------------------------------------------------------

N = 513


def build_grid(rng, seed):
    h = bytearray(N * N)

    def get(x, y):
        return h[y * N + x]

    def displace(x, y, rng_range, p, q):
        rng.seed(x + y + seed + p + q)
        half = rng_range // 2
        r = [rng.below(half) for _ in range(4)]
        m = r[0] - r[1] - r[2] + r[3]
        if rng_range > 200:
            m = (1 if m >= 0 else -1) * (abs(m) % 256)
        m = tdiv(2 * m, 3)
        h[y * N + x] = clamp((p + q) // 2 + m, 0, 255)

    rng.seed(seed)
    h[0] = 134 + rng.below(4)
    h[512] = 134 + rng.below(4)
    h[512 * N] = 44 + rng.below(64)
    h[512 * N + 512] = 44 + rng.below(64)
    b = 512
    while b > 1:
        for c in range(0, 512, b):
            for f in range(0, 512, b):
                d, e, hh, r = c + b, c + b // 2, f + b, f + b // 2
                displace(e, f, b, get(c, f), get(d, f))
                displace(e, hh, b, get(c, hh), get(d, hh))
                displace(c, r, b, get(c, f), get(c, hh))
                displace(d, r, b, get(d, f), get(d, hh))
                displace(e, r, 3 * b // 2, get(e, f), get(e, hh))
        b //= 2
    return h


# ---- Pictures --------------------------------------------------------------------------

class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [(0, 0, 0)] * (w * h)

    def span(self, x, j, top, colour):
        """Rows j..top of column x; row h and beyond fall outside."""
        for y in range(j, top + 1):
            if y < self.h:
                self.px[y * self.w + x] = colour
        return top

    def ppm(self):
        out = bytearray(b"P6\n%d %d\n255\n" % (self.w, self.h))
        for r, g, b in self.px:
            out += bytes((byte(r), byte(g), byte(b)))
        return bytes(out)


def shade(colour, num, den):
    return tuple(byte(c) * num // den for c in colour)


def landscape_colour(e, avg):
    if e <= 59:
        v = 100 - (e + 2 * avg) // 8
        return (v, v, 255)
    if e <= 62:
        return (255, 255, 0)
    if e <= 67:
        return (0, byte((e % 16) - 17), 0)
    if e <= 89:
        return (tdiv(6 * e - 384, 9) + 32, e + 32, tdiv(6 * e - 204, 9))
    if e <= 104:
        return (3 * e // 2, 3 * e // 2, 0)
    if e <= 126:
        return (6 * e // 12, e, 0)
    if e <= 190:
        return (e // 4, 2 * e // 3, 0)
    return (byte(e // 4 - 66),) * 3


def landscape(w, h, tick1, tick2):
    rng = Rng()
    g1 = build_grid(rng, tick1)
    g2 = build_grid(rng, tick2)
    cv = Canvas(w, h)
    for i in range(w):
        gx = i * 513 // w
        j = 0
        for k in range(h + 330):
            gy = k * 513 // (h + 330)
            e = g1[gy * N + gx]
            avg = (e + g2[gy * N + gx]) // 2
            col = tuple(byte(c) for c in landscape_colour(e, avg))
            if e >= 60:
                if gx > 0 and gy > 0:
                    r = rng.below(2)
                    if r == 1 and g1[gy * N + gx - 1] > e and g1[(gy - 1) * N + gx] > e:
                        col = shade(col, 9, 10)
                if rng.below(4) == 1:
                    col = shade(col, 12, 13)
                if (e // 4) % 2 == 1:
                    col = shade(col, 15, 16)
            top = clamp(k - e + 96, 0, h)
            j = cv.span(i, j, top, col)
    return cv


def strips(w, h, state, tick):
    rng = Rng()
    rng.seed(state)
    L = h + 330
    red, green, blue = [0] * (L + 2), [0] * (L + 2), [0] * (L + 2)
    arrays = (red, green, blue)
    for x in arrays:
        x[0] = 64 + rng.below(128)
    rng.seed(tick)
    nudge = [[0] * 16 for _ in range(16)]
    for row in range(1, 16):
        for col in range(1, 16):
            nudge[row][col] = rng.below(3) - 1
    flat = [v for row in nudge for v in row]
    for a in range(1, h):
        for x in arrays:
            x[a] = clamp(x[a - 1] + rng.below(11) - 5, 0, 255)
    cv = Canvas(w, h)
    j = 0
    for a in range(1, h):
        s = red[a] + green[a] + blue[a]
        j = cv.span(0, j, clamp(a - s // 3 + 96, 0, h), (red[a], green[a], blue[a]))
    tilt = rng.below(3) - 1
    slope = [0] * L
    for f in range(1, L):
        slope[f] = slope[f - 1]
        if rng.below(30) == 0:
            slope[f] = rng.below(3) - 1
    for l in range(1, w):
        if rng.below(30) == 0:
            tilt = rng.below(3) - 1
        j = 0
        for f in range(L):
            g = 0
            if rng.below(2) == 0:
                index = 16 * ((16 * l + 16 * f) // (w + L)) + (16 * abs(f - l)) // min(w, L)
                g = flat[index] if index < 256 else 0
            t = 0 if (f % 2 == 1 and l % 2 == 1) else tilt
            for x in arrays:
                a1 = rng.below(3)
                a2 = rng.below(3)
                a3 = rng.below(11)
                x[f] += slope[f] * t + a1 + a2 + a3 + g - 6
            for x in arrays:
                if f < 2:
                    x[f] = tdiv(x[f + 1] + 3 * x[f], 3)
                elif f > h - 3:
                    x[f] = tdiv(x[f - 1] + 2 * x[f], 4)
                else:
                    x[f] = tdiv(2 * (x[f + 1] + x[f - 1] + 3 * x[f]) + x[f + 2] + x[f - 2], 12)
            for x in arrays:
                x[f] = clamp(x[f], 0, 255)
            s = red[f] + green[f] + blue[f]
            col = (red[f], green[f], blue[f]) if s >= 192 else (100 - s // 8, 100 - s // 8, 255)
            j = cv.span(l, j, clamp(f - s // 3 + 96, 0, h), col)
    return cv


def band_colour(v, n):
    F = 256 * math.fmod(3 * v, 1)
    k = n % 9
    table = {
        0: (F, 0, 0), 1: (0, F, 0), 2: (0, 0, F), 3: (F, F, 0), 4: (0, F, F),
        5: (F, 0, F), 6: (F, F, F), 7: (255 - F, F, F), 8: (255 - F, F, 0),
    }
    return tuple(byte(int(c)) for c in table[k])


def banded(a, b):
    n = 0
    while True:
        if a == 0 or b == 0:
            return (0, 0, 0)
        la, lb = math.log(a), math.log(b)
        s = math.sqrt(la * la + lb * lb)
        if s == 0:
            return (0, 0, 0)
        t = abs(math.log(s))
        a = math.fmod(abs(la), 2.8)
        b = math.fmod(abs(lb), 2.8)
        n += 1
        q = math.sqrt(t - math.floor(t))
        if not (0.2 < q < 0.8 and n < 12):
            break
    return band_colour(math.sin(s), n)


def fractal(w, h, x0, y0, x1, y1):
    sx = (x1 - x0) / (w - 1)
    sy = (y1 - y0) / (h - 1)
    cv = Canvas(w, h)
    for py in range(10):
        for px in range(10):
            for y in range(py, h, 10):
                for x in range(px, w, 10):
                    cv.px[y * w + x] = banded(x0 + x * sx, y0 + y * sy)
    return cv


# ---- Comparison ------------------------------------------------------------------------

CASES = [
    ("grid", ["7"], lambda: bytes(build_grid(Rng(), 7))),
    ("grid", ["4000000000"], lambda: bytes(build_grid(Rng(), 4000000000))),
    ("landscape", ["96", "64", "123456", "123470"], lambda: landscape(96, 64, 123456, 123470).ppm()),
    ("landscape", ["40", "130", "99", "99"], lambda: landscape(40, 130, 99, 99).ppm()),
    ("strips", ["96", "64", "1", "5000"], lambda: strips(96, 64, 1, 5000).ppm()),
    ("strips", ["700", "12", "77", "3"], lambda: strips(700, 12, 77, 3).ppm()),
    ("strips", ["30", "200", "2024", "31337"], lambda: strips(30, 200, 2024, 31337).ppm()),
    ("fractal", ["90", "70", "17", "431", "3210", "888"], lambda: fractal(90, 70, 17, 431, 3210, 888).ppm()),
    ("fractal", ["64", "48", "1", "1", "500", "500"], lambda: fractal(64, 48, 1, 1, 500, 500).ppm()),
]


def check(tool, work):
    failures = 0
    for index, (what, args, make) in enumerate(CASES):
        out = os.path.join(work, f"reference-{index}.out")
        subprocess.run([tool, what] + args + [out], check=True)
        with open(out, "rb") as f:
            got = f.read()
        want = make()
        if got != want:
            diff = sum(1 for p, q in zip(got, want) if p != q)
            print(f"FAIL {what} {' '.join(args)}: {diff} bytes differ"
                  f" ({len(got)} against {len(want)})")
            failures += 1
        else:
            print(f"ok   {what} {' '.join(args)}")
    return failures


if __name__ == "__main__":
    if len(sys.argv) != 4 or sys.argv[1] != "check":
        sys.exit(__doc__)
    sys.exit(1 if check(sys.argv[2], sys.argv[3]) else 0)
