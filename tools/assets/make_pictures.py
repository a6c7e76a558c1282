#!/usr/bin/env python3
"""Makes the game's pictures other than the piece image sets:

  resources/pictures/clock.tif     the 96 x 96 clock face, RGB, black = transparent
  resources/pictures/egg2.png      the 340 x 320 title picture
  resources/pictures/bombinst.png  the 360 x 320 instructions picture
  resources/pictures/gmicon.ico    the program icon at 16, 32 and 48 pixels
  data/PLANET_R.BKG                the default background, 1280 x 960 progressive JPEG

POV-Ray renders the scenes in tools/assets/pov/, ImageMagick adds the lettering.
Repeatable: no randomness, and no dates or other varying metadata are written.

    tools/assets/make_pictures.py [--only clock|title|instructions|icon|background ...]
"""
import argparse
import math
import os
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(__file__))
from make_piece_sets import CONVERT, DATA, POV_DIR, TOP, read_ppm, write_ppm  # noqa: E402

PICTURES = os.path.join(TOP, "resources", "pictures")
NO_DATES = ["+set", "date:create", "+set", "date:modify", "-define", "png:exclude-chunks=date,time"]


def povray(scene, out, w, h, aa="+A0.1", extra=()):
    cmd = ["povray", "-D", "+I" + os.path.join(POV_DIR, scene), "+O" + out, "+W%d" % w, "+H%d" % h,
           aa, "+AM2", "+R3", "-GA", "+L" + POV_DIR, *extra]
    r = subprocess.run(cmd, capture_output=True, text=True)
    if r.returncode != 0 or not os.path.exists(out):
        why = "\n".join(l for l in r.stderr.splitlines() if "rror" in l or " line " in l)
        sys.exit(f"POV-Ray failed on {scene}:\n{why}")


def convert(*args):
    subprocess.run([CONVERT, *args], check=True)


# --- the clock face ------------------------------------------------------------------

def make_clock(work):
    ppm = os.path.join(work, "clock.ppm")
    povray("clock.pov", ppm, 96, 96, extra=["+FP"])
    w, h, px = read_ppm(ppm)
    # Outside the rim everything is pure black (the game's transparent colour); inside,
    # no pixel may be pure black, or it would show through.
    for y in range(h):
        for x in range(w):
            i = (y * w + x) * 3
            if math.hypot(x + 0.5 - 48, y + 0.5 - 48) > 47.0:
                px[i:i + 3] = b"\0\0\0"
            elif px[i] == 0 and px[i + 1] == 0 and px[i + 2] == 0:
                px[i:i + 3] = b"\x02\x02\x02"
    write_ppm(ppm, w, h, px)
    convert(ppm, "-strip", *NO_DATES, "-type", "TrueColor", "-depth", "8", "-compress", "None",
            "TIFF:" + os.path.join(PICTURES, "clock.tif"))


# --- the title picture ---------------------------------------------------------------

def title_board():
    """The little game on the title picture, played by the game's own rules: the
    opened patch is a flood from one blank square; one bomb has been hit."""
    rows, cols = 7, 9
    bombs = {(0, 2), (0, 6), (1, 0), (1, 7), (2, 7), (3, 8), (4, 7), (5, 0), (6, 2), (6, 3), (6, 8), (0, 4)}
    hit = (4, 7)

    def count(r, c):
        return sum((r + dr, c + dc) in bombs for dr in (-1, 0, 1) for dc in (-1, 0, 1) if dr or dc)
    opened, todo = set(), [(3, 4)]
    while todo:
        r, c = todo.pop()
        if (r, c) in opened or not (0 <= r < rows and 0 <= c < cols) or (r, c) in bombs:
            continue
        opened.add((r, c))
        if count(r, c) == 0:
            todo += [(r + dr, c + dc) for dr in (-1, 0, 1) for dc in (-1, 0, 1) if dr or dc]
    grid = []
    for r in range(rows):
        row = []
        for c in range(cols):
            row.append(9 if (r, c) == hit else count(r, c) if (r, c) in opened else -1)
        grid.append(row)
    lines = ",\n".join("  {" + ",".join("%2d" % v for v in row) + "}" for row in grid)
    return "#declare Open = array[%d][%d] {\n%s }\n" % (rows, cols, lines)


def make_title(work):
    inc = os.path.join(work, "title_board.inc")
    with open(inc, "w") as f:
        f.write(title_board())
    scene = os.path.join(work, "scene.png")
    povray("title.pov", scene, 340, 320, aa="+A0.05", extra=["+L" + work])
    # a tall gradient tile: the fill of the big title word
    tile = os.path.join(work, "tile.png")
    convert("-size", "1x34", "xc:#fff6c0", "-size", "1x58", "gradient:#ffe060-#ff4a00",
            "-size", "1x228", "xc:#ff4a00", "-append", tile)
    out = os.path.join(PICTURES, "egg2.png")
    convert(scene,
            # darken the top and bottom bands for the lettering
            "(", "-size", "340x320", "gradient:#000000c0-#00000000", "-crop", "340x120+0+0", "+repage",
            "-background", "none", "-extent", "340x320", ")", "-composite",
            "(", "-size", "340x40", "xc:#000000a0", "-background", "none", "-gravity", "south", "-extent", "340x320", ")",
            "-gravity", "north", "-composite",
            "-gravity", "north",
            "-font", "DejaVu-Serif-Bold-Italic", "-pointsize", "22", "-fill", "#00000090", "-annotate", "+2+12", "Revaza's",
            "-fill", "#e8e0ff", "-annotate", "+0+10", "Revaza's",
            "-font", "DejaVu-Serif-Bold", "-pointsize", "58",
            "-fill", "#000000b0", "-annotate", "+3+39", "Dazivivo",
            "-stroke", "#3a0a00", "-strokewidth", "5", "-annotate", "+0+36", "Dazivivo",
            "-stroke", "none", "-tile", tile, "-annotate", "+0+36", "Dazivivo", "+tile",
            "-gravity", "south", "-font", "DejaVu-Sans-Bold", "-pointsize", "12", "-fill", "#ffe9a8",
            "-annotate", "+0+21", "N: new game     F1: how to play     X: exit",
            "-font", "DejaVu-Sans", "-pointsize", "11", "-fill", "#d8d8e8",
            "-annotate", "+0+5", "Menu: point at the top-left corner of the screen",
            "-strip", *NO_DATES, "PNG24:" + out)


# --- the instructions picture --------------------------------------------------------

ROWS = [
    ("1 bomb next to this square", "Click a square to uncover it."),
    ("2 bombs around it", "Right click marks a square as a bomb."),
    ("3 bombs around it", "A square with no bomb near it opens"),
    ("4 bombs around it", "its neighbours by itself."),
    ("5 bombs around it", "A bomb you uncover explodes: one more"),
    ("6 bombs around it", "explosion, and play goes on."),
    ("7 bombs around it", "Fewest explosions wins; a perfect game"),
    ("8 bombs around it", "is ranked by its time."),
]


def make_instructions(work):
    out = os.path.join(PICTURES, "bombinst.png")
    args = ["-size", "360x320", "gradient:#1b2440-#0b0f1e",
            # the strip x = 12..52 where the dialog draws the eight count images
            "-fill", "#05070d", "-draw", "rectangle 8,0 56,319",
            "-stroke", "#4a5a8a", "-strokewidth", "1", "-draw", "line 57,0 57,319", "-stroke", "none"]
    for k, (label, rule) in enumerate(ROWS):
        y = 40 * k
        args += ["-fill", "#2a3558", "-draw", f"polygon 58,{y + 20} 66,{y + 14} 66,{y + 26}",
                 "-font", "DejaVu-Sans-Condensed-Bold", "-pointsize", "12", "-fill", "#ffe39a",
                 "-annotate", f"+72+{y + 16}", label,
                 "-font", "DejaVu-Sans-Condensed", "-pointsize", "12", "-fill", "#dfe6ff",
                 "-annotate", f"+72+{y + 32}", rule]
        if k < 7:
            args += ["-stroke", "#26304e", "-draw", f"line 64,{y + 39} 352,{y + 39}", "-stroke", "none"]
    convert(*args, "-strip", *NO_DATES, "PNG24:" + out)


# --- the icon ------------------------------------------------------------------------

def make_icon(work):
    sizes = []
    for s in (16, 32, 48):
        png = os.path.join(work, f"icon{s}.png")
        povray("icon.pov", png, s, s, aa="+A0.02", extra=["+UA", "+FN"])
        sizes.append(png)
    convert(*sizes, "-strip", *NO_DATES, "ICO:" + os.path.join(PICTURES, "gmicon.ico"))


# --- the default background ----------------------------------------------------------

def make_background(work):
    png = os.path.join(work, "planet.png")
    povray("planet.pov", png, 1280, 960, aa="+A0.2", extra=["+FN"])
    convert(png, "-strip", *NO_DATES, "-quality", "90", "-interlace", "JPEG", "-define",
            "jpeg:optimize-coding=true", "-sampling-factor", "2x2", "JPEG:" + os.path.join(DATA, "PLANET_R.BKG"))


def main():
    makers = {"clock": make_clock, "title": make_title, "instructions": make_instructions,
              "icon": make_icon, "background": make_background}
    ap = argparse.ArgumentParser()
    ap.add_argument("--only", nargs="*", choices=list(makers))
    args = ap.parse_args()
    os.makedirs(PICTURES, exist_ok=True)
    os.makedirs(DATA, exist_ok=True)
    with tempfile.TemporaryDirectory() as work:
        for name in args.only or list(makers):
            print("making", name, flush=True)
            makers[name](work)


if __name__ == "__main__":
    main()
