#!/usr/bin/env python3
"""Makes the twelve piece image sets (data/*.vod) and their contact sheet.

Each set is a 1056 x 192 PNG picture: the first row holds the eleven 96 x 96 piece
images (counts 1 to 8, the exploded bomb, the covered square, the marked square), the
second row the eight frames of the explosion and then black. The piece images are
rendered by POV-Ray from the scenes in tools/assets/pov/ (one scene a set, told which
image to draw by the declared value Img); the explosion frames are drawn here.
Everything is repeatable: the scenes have no randomness and the noise below is seeded.

    tools/assets/make_piece_sets.py [--only NAME ...] [--sheet-only]
"""
import argparse
import math
import os
import random
import subprocess
import sys
import tempfile
from concurrent.futures import ThreadPoolExecutor

TOP = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
POV_DIR = os.path.join(TOP, "tools", "assets", "pov")
DATA = os.path.join(TOP, "data")
CONVERT = "/usr/bin/convert"
TILE = 96
COLUMNS = 11

# file name, menu caption, explosion colours, seed
SETS = [
    ("rosewood", "Rosewood and Flower from Vavazezod", "fire", 11),
    ("electron", "Hot Electrons", "electric", 12),
    ("metal", "Ray-Traced Hot Metal", "fire", 13),
    ("stone", "3-D Abstract Stone", "dust", 14),
    ("circles", "Dark Circles From Vavazezod", "violet", 15),
    ("glow", "Radioactive Glow", "toxic", 16),
    ("tubes", "Soft Tubes and Flowers", "fire", 17),
    ("alum", "Aluminum Shielding", "fire", 18),
    ("faces", "Mutant Irradiated Faces", "toxic", 19),
    ("meters", "Swirling Vod Meters", "violet", 20),
    ("arrows", "Exploding Arrows", "fire", 21),
    ("sampler", "Exciting Sampler", "fire", 22),
]
RENDERED = [s[0] for s in SETS if s[0] != "sampler"]

# The sampler takes each of its images from another set.
SAMPLER = ["rosewood", "electron", "metal", "stone", "circles", "glow", "tubes", "alum",
           "faces", "meters", "arrows"]


# --- pictures as (width, height, bytearray of RGB) -------------------------------------

def read_ppm(path):
    with open(path, "rb") as f:
        data = f.read()
    fields = []
    pos = 0
    while len(fields) < 4:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos)
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    pos += 1
    magic, w, h, maxval = fields[0], int(fields[1]), int(fields[2]), int(fields[3])
    if magic != b"P6" or maxval != 255:
        raise ValueError(f"{path}: not an 8-bit P6 picture")
    return w, h, bytearray(data[pos:pos + w * h * 3])


def write_ppm(path, w, h, pixels):
    with open(path, "wb") as f:
        f.write(b"P6\n%d %d\n255\n" % (w, h))
        f.write(pixels)


def to_png(ppm, png, extra=()):
    subprocess.run([CONVERT, ppm, *extra, "-strip", "-define", "png:exclude-chunks=date,time",
                    "-define", "png:compression-level=9", "PNG24:" + png], check=True)


def blit(dst, dw, src, sw, sh, x0, y0):
    for y in range(sh):
        d = ((y0 + y) * dw + x0) * 3
        s = y * sw * 3
        dst[d:d + sw * 3] = src[s:s + sw * 3]


# --- rendering -----------------------------------------------------------------------

def render(scene, img, out):
    cmd = ["povray", "-D", "+I" + os.path.join(POV_DIR, scene + ".pov"), "+O" + out, "+FP",
           "+W%d" % TILE, "+H%d" % TILE, "+A0.05", "+AM2", "+R3", "-GA", "+L" + POV_DIR,
           "Declare=Img=%d" % img]
    r = subprocess.run(cmd, capture_output=True, text=True)
    if r.returncode != 0 or not os.path.exists(out):
        why = "\n".join(l for l in r.stderr.splitlines() if "rror" in l or " line " in l)
        sys.exit(f"POV-Ray failed on {scene} image {img}:\n{why}")
    return read_ppm(out)[2]


# --- explosion frames ----------------------------------------------------------------

RAMPS = {
    "fire": [(0.0, (30, 10, 6)), (0.25, (150, 25, 0)), (0.5, (245, 110, 0)), (0.75, (255, 215, 50)), (1.0, (255, 255, 235))],
    "electric": [(0.0, (10, 5, 40)), (0.25, (60, 20, 170)), (0.5, (40, 120, 255)), (0.75, (140, 230, 255)), (1.0, (255, 255, 255))],
    "toxic": [(0.0, (10, 25, 5)), (0.25, (30, 110, 10)), (0.5, (90, 220, 20)), (0.75, (220, 255, 80)), (1.0, (255, 255, 230))],
    "violet": [(0.0, (20, 5, 30)), (0.25, (120, 10, 120)), (0.5, (230, 40, 150)), (0.75, (255, 170, 120)), (1.0, (255, 250, 235))],
    "dust": [(0.0, (40, 32, 25)), (0.25, (140, 80, 30)), (0.5, (230, 140, 40)), (0.75, (255, 220, 120)), (1.0, (255, 255, 240))],
}
SMOKE = (70, 64, 60)


def ramp(kind, h):
    stops = RAMPS[kind]
    h = min(1.0, max(0.0, h))
    for (a, ca), (b, cb) in zip(stops, stops[1:]):
        if h <= b:
            u = (h - a) / (b - a)
            return tuple(ca[i] + (cb[i] - ca[i]) * u for i in range(3))
    return stops[-1][1]


class Noise:
    """Smooth value noise on a wrapped lattice, a few octaves."""

    def __init__(self, seed, size=32):
        rnd = random.Random(seed)
        self.size = size
        self.grid = [rnd.random() for _ in range(size * size)]

    def value(self, x, y):
        n = self.size
        xi, yi = math.floor(x), math.floor(y)
        fx, fy = x - xi, y - yi
        fx, fy = fx * fx * (3 - 2 * fx), fy * fy * (3 - 2 * fy)
        g = self.grid
        a = g[(yi % n) * n + xi % n]
        b = g[(yi % n) * n + (xi + 1) % n]
        c = g[((yi + 1) % n) * n + xi % n]
        d = g[((yi + 1) % n) * n + (xi + 1) % n]
        return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy

    def fractal(self, x, y, octaves=3):
        total, amp, norm = 0.0, 1.0, 0.0
        for _ in range(octaves):
            total += self.value(x, y) * amp
            norm += amp
            x, y, amp = x * 2.03, y * 2.03, amp * 0.5
        return total / norm


def explosion_frames(kind, seed, covered, bomb):
    """Eight 96 x 96 frames: a flash on the covered square, a fireball that swells past
    the square's edges, then smoke thinning away over the exploded bomb image."""
    noise = Noise(seed)
    frames = []
    half = TILE / 2
    for f in range(8):
        t = (f + 1) / 8.0
        base = covered if f < 3 else bomb
        out = bytearray(base)
        radius = 0.18 + 1.05 * math.sqrt(t)           # in half-squares
        cool = t * 0.85                                 # the fire cools as it grows
        smoke = max(0.0, (t - 0.55) / 0.45)             # 0 .. 1 over the last frames
        ring = 0.25 + 1.5 * t                           # shock ring radius
        for y in range(TILE):
            for x in range(TILE):
                u, v = (x + 0.5 - half) / half, (y + 0.5 - half) / half
                d = math.hypot(u, v)
                ang = math.atan2(v, u)
                edge = radius * (0.78 + 0.45 * noise.fractal(3 + 2.5 * math.cos(ang), 7 + 2.5 * math.sin(ang) + f * 0.7, 2))
                turb = noise.fractal(u * 3.2 + f * 0.9 + 5, v * 3.2 - f * 0.6 + 9, 3)
                if d < edge:
                    core = 1 - d / edge
                    heat = core * (1.15 - cool) + (turb - 0.5) * 0.7 + 0.25 * (1 - t)
                    fire = ramp(kind, heat)
                    # grey smoke takes over from the cooler parts
                    s = min(1.0, smoke * (1.3 - heat))
                    col = tuple(fire[i] * (1 - s) + SMOKE[i] * (0.6 + 0.6 * turb) * s for i in range(3))
                    alpha = 1.0 if f < 5 else max(0.0, 1.0 - (f - 4) * 0.3 * (0.6 + turb))
                    alpha *= min(1.0, (edge - d) / 0.08)
                elif f < 4 and abs(d - ring) < 0.06 * (1 + f):
                    col, alpha = ramp(kind, 0.85 - 0.15 * f), 0.55 - 0.12 * f
                else:
                    continue
                i = (y * TILE + x) * 3
                for c in range(3):
                    out[i + c] = int(max(0, min(255, out[i + c] * (1 - alpha) + col[c] * alpha)))
        frames.append(out)
    return frames


# --- assembling ------------------------------------------------------------------------

def render_set(name, work):
    jobs = []
    with ThreadPoolExecutor(max_workers=2) as pool:
        for img in range(COLUMNS):
            jobs.append(pool.submit(render, name, img, os.path.join(work, f"{name}-{img}.ppm")))
    return [j.result() for j in jobs]


def assemble(name, images, kind, seed, work):
    w, h = TILE * COLUMNS, TILE * 2
    sheet = bytearray(w * h * 3)
    for k, img in enumerate(images):
        blit(sheet, w, img, TILE, TILE, TILE * k, 0)
    for f, frame in enumerate(explosion_frames(kind, seed, images[9], images[8])):
        blit(sheet, w, frame, TILE, TILE, TILE * f, TILE)
    ppm = os.path.join(work, name + ".ppm")
    write_ppm(ppm, w, h, sheet)
    to_png(ppm, os.path.join(DATA, name + ".vod"))


def contact_sheet(out):
    """All twelve sets: the piece images at 96 x 96 with the explosion frames, and each
    set again at 20 x 19 (the smallest square the game draws, point-sampled as a plain
    stretch does) laid out as a little field."""
    rows = []
    with tempfile.TemporaryDirectory() as work:
        for name, caption, _, _ in SETS:
            vod = os.path.join(DATA, name + ".vod")
            if not os.path.exists(vod):
                continue
            small = os.path.join(work, name + "-small.png")
            # at 20 x 19: the eleven images in a row, then a mock field of numbers
            tiles = []
            for k in range(COLUMNS):
                t = os.path.join(work, f"{name}-s{k}.png")
                subprocess.run([CONVERT, vod, "-crop", f"96x96+{96 * k}+0", "+repage", "-filter", "point",
                                "-resize", "20x19!", t], check=True)
                tiles.append(t)
            field = [9, 0, 1, 2, 9, 10, 3, 4, 5, 9, 6, 7, 8, 9, 10]
            subprocess.run([CONVERT, *[tiles[k] for k in range(COLUMNS)], "+append",
                            "(", "-size", "12x19", "xc:#202020", ")", "+append",
                            "(", *[tiles[k] for k in field], "+append", ")", "+append", small], check=True)
            row = os.path.join(work, name + "-row.png")
            subprocess.run([CONVERT, "-background", "#202020", "-fill", "white", "-font", "DejaVu-Sans",
                            "-pointsize", "14", f"label:{name}.vod  \"{caption}\"",
                            vod, small, "-append", row], check=True)
            rows.append(row)
        subprocess.run([CONVERT, "-background", "#202020", *rows, "-splice", "0x8", "-append", out], check=True)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--only", nargs="*", help="set names to make (default: all)")
    ap.add_argument("--sheet-only", action="store_true")
    ap.add_argument("--sheet", default=os.path.join(TOP, "build", "contact_sheet.png"))
    args = ap.parse_args()
    os.makedirs(DATA, exist_ok=True)
    wanted = args.only or [s[0] for s in SETS]
    if not args.sheet_only:
        with tempfile.TemporaryDirectory() as work:
            rendered = {}
            need = set(n for n in wanted if n != "sampler")
            if "sampler" in wanted:
                need |= set(SAMPLER)
            for name in RENDERED:
                if name in need:
                    print("rendering", name, flush=True)
                    rendered[name] = render_set(name, work)
            for name, _, kind, seed in SETS:
                if name not in wanted:
                    continue
                images = rendered[name] if name != "sampler" else \
                    [rendered[SAMPLER[k]][k] for k in range(COLUMNS)]
                assemble(name, images, kind, seed, work)
                print("made", name + ".vod", flush=True)
    os.makedirs(os.path.dirname(args.sheet), exist_ok=True)
    contact_sheet(args.sheet)
    print("contact sheet:", args.sheet)


if __name__ == "__main__":
    main()
