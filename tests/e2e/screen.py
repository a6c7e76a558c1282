#!/usr/bin/env python3
"""Reads the game's field off a captured screen (a 24-bit BMP from the test driver).

  screen.py squares SHOT.bmp COLUMNS ROWS SET.bmp [BACKGROUND.bmp]
      one line per row of the field, one letter per square: the piece image of the set
      that the square looks most like: 1..8 counts, X exploded, C covered, M marked,
      . background (when BACKGROUND, the background scaled to the client, is given)
  screen.py pixel SHOT.bmp X Y          the colour at (X, Y) as "R G B"
  screen.py same A.bmp B.bmp            exit 0 when the two pictures are identical
  screen.py diffbox A.bmp B.bmp         the smallest rectangle holding every pixel where
                                        the two differ, "LEFT TOP RIGHT BOTTOM" (right and
                                        bottom excluded), or "none"
  screen.py samebox A.bmp B.bmp L T R B exit 0 when the two pictures are identical in
                                        that rectangle (right and bottom excluded)
  screen.py size SHOT.bmp               "WIDTH HEIGHT"
  screen.py colourmap A.bmp B.bmp       whether B is A seen through a map of colours (as a
                                        palette display shows a picture through the
                                        colours it has): "COLOURS STRAY" - the colours of
                                        A, and the pixels of B that differ from what the
                                        other pixels of their colour in A show
  screen.py count SHOT.bmp R G B        how many pixels have exactly that colour
  screen.py menubar SHOT.bmp            the centre x of each title of the menu bar at the
                                        top of the screen, one per line
  screen.py popup BEFORE.bmp AFTER.bmp  the pop-up menu that opened between the two
                                        screens, top to bottom: "-" a separator, "." an
                                        item, "*" an item with a check mark
  screen.py diffcount A.bmp B.bmp [L,T,R,B ...]
                                        "LEFT TOP RIGHT BOTTOM COUNT" of the pixels that
                                        differ (right and bottom excluded), leaving out
                                        the given rectangles; "none" when none differs
  screen.py balls BEFORE.bmp FIELD.bmp COLUMNS ROWS L,T,R,B FRAME.bmp...
                                        for each frame, the pixels in which it differs
                                        from FIELD outside the squares that differ
                                        between BEFORE and FIELD and outside the
                                        rectangle: "FRAME COUNT" lines
  screen.py clock SHOT.bmp X Y          the seconds shown by the clock face whose top-left
                                        corner is (X, Y), read off its hands (under 12
                                        minutes)

The squares tile the client area: square (c, r) covers x from c * W / columns to
(c + 1) * W / columns, and likewise in y. Each square and each 96 x 96 piece image is
sampled on the same 8 x 8 grid of relative positions, and the nearest signature wins.
"""
import struct
import sys

PIECES = "12345678XCM"
GRID = 8


def read_bmp(path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:2] != b"BM":
        raise SystemExit(f"{path}: not a BMP file")
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits not in (24, 32):
        raise SystemExit(f"{path}: {bits} bits per pixel, expected 24 or 32")
    step = bits // 8
    stride = (width * step + 3) & ~3
    top_down = height < 0
    height = abs(height)

    def pixel(x, y):
        row = y if top_down else height - 1 - y
        i = offset + row * stride + x * step
        return data[i + 2], data[i + 1], data[i]

    return width, height, pixel


def signature(pixel, x0, y0, x1, y1):
    """The mean colour of each cell of an 8 x 8 grid over the central 80% of the area:
    the same for a piece image and for that image stretched onto a square."""
    sig = []
    ax0, ay0 = x0 + (x1 - x0) // 10, y0 + (y1 - y0) // 10
    aw, ah = max(1, (x1 - x0) * 8 // 10), max(1, (y1 - y0) * 8 // 10)
    for gy in range(GRID):
        cy0 = ay0 + ah * gy // GRID
        cy1 = max(cy0 + 1, ay0 + ah * (gy + 1) // GRID)
        for gx in range(GRID):
            cx0 = ax0 + aw * gx // GRID
            cx1 = max(cx0 + 1, ax0 + aw * (gx + 1) // GRID)
            r = g = b = n = 0
            for y in range(cy0, cy1):
                for x in range(cx0, cx1):
                    p = pixel(x, y)
                    r += p[0]
                    g += p[1]
                    b += p[2]
                    n += 1
            sig.append((r / n, g / n, b / n))
    return sig


def distance(a, b):
    return sum((p[0] - q[0]) ** 2 + (p[1] - q[1]) ** 2 + (p[2] - q[2]) ** 2
               for p, q in zip(a, b))


def squares(shot, columns, rows, set_path, background_path=None):
    w, h, pixel = read_bmp(shot)
    _, _, set_pixel = read_bmp(set_path)
    refs = [(PIECES[k], signature(set_pixel, 96 * k, 0, 96 * k + 96, 96))
            for k in range(len(PIECES))]
    bg_pixel = read_bmp(background_path)[2] if background_path else None
    out = []
    for r in range(rows):
        line = ""
        for c in range(columns):
            x0, x1 = c * w // columns, (c + 1) * w // columns
            y0, y1 = r * h // rows, (r + 1) * h // rows
            sig = signature(pixel, x0, y0, x1, y1)
            best = min(refs, key=lambda ref: distance(sig, ref[1]))
            letter, score = best[0], distance(sig, best[1])
            if bg_pixel is not None:
                bg = distance(sig, signature(bg_pixel, x0, y0, x1, y1))
                if bg < score:
                    letter = "."
            line += letter
        out.append(line)
    print("\n".join(out))


def lum(p):
    return (p[0] * 3 + p[1] * 6 + p[2]) // 10


def menubar_titles(path):
    w, h, pixel = read_bmp(path)
    dark = [any(lum(pixel(x, y)) < 128 for y in range(3, 16)) for x in range(w)]
    titles, start, gap = [], None, 0
    for x, d in enumerate(dark + [False] * 12):
        if d:
            if start is None:
                start = x
            gap, end = 0, x
        elif start is not None:
            gap += 1
            if gap >= 10:
                titles.append((start + end) // 2)
                start = None
    return titles


def popup(before_path, after_path):
    w, h, before = read_bmp(before_path)
    _, _, after = read_bmp(after_path)
    # The pop-up is what changed below the menu bar.
    changed = [(x, y) for y in range(20, h) for x in range(0, w, 2) if before(x, y) != after(x, y)]
    if not changed:
        return ""
    left = min(x for x, _ in changed)
    right = max(x for x, _ in changed)
    top = min(y for _, y in changed)
    bottom = max(y for _, y in changed)
    rows = []
    for y in range(top + 2, bottom - 1):
        text = any(lum(after(x, y)) < 100 for x in range(left + 22, right - 3))
        check = any(lum(after(x, y)) < 100 for x in range(left + 3, left + 20))
        span = range(left + 6, right - 5)
        line = sum(1 for x in span if 120 <= lum(after(x, y)) <= 200) > 0.6 * len(span)
        rows.append((text, check, line))
    out, band, checked, last_text = "", False, False, -10
    for i, (text, check, line) in enumerate(rows):
        if text or check:
            if not band and i - last_text > 2:
                band, checked = True, False
            checked = checked or check
            last_text = i
        else:
            if band and i - last_text > 2:
                out += "*" if checked else "."
                band = False
            if line and not band:
                out += "-"
    if band:
        out += "*" if checked else "."
    return out


def rows_of(path):
    """The pixel rows of a 24- or 32-bit BMP, top first, as byte strings."""
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    step = struct.unpack_from("<H", data, 28)[0] // 8
    stride = (width * step + 3) & ~3
    rows = [data[offset + r * stride: offset + r * stride + width * step]
            for r in range(abs(height))]
    return width, step, rows if height < 0 else rows[::-1]


def diffbox(a_path, b_path):
    width, step, a = rows_of(a_path)
    _, _, b = rows_of(b_path)
    left, top, right, bottom = width, None, 0, 0
    for y, (ra, rb) in enumerate(zip(a, b)):
        if ra == rb:
            continue
        xs = [x for x in range(width) if ra[x * step:x * step + step] != rb[x * step:x * step + step]]
        top = y if top is None else top
        bottom = y + 1
        left, right = min(left, xs[0]), max(right, xs[-1] + 1)
    return "none" if top is None else f"{left} {top} {right} {bottom}"


def rows24(path):
    """The picture as top-down rows of 3-byte pixels (BGR); 24-bit BMPs only."""
    with open(path, "rb") as f:
        data = f.read()
    offset = struct.unpack_from("<I", data, 10)[0]
    width, height = struct.unpack_from("<ii", data, 18)
    bits = struct.unpack_from("<H", data, 28)[0]
    if bits != 24:
        raise SystemExit(f"{path}: {bits} bits per pixel, expected 24")
    stride = (width * 3 + 3) & ~3
    rows = [data[offset + r * stride: offset + r * stride + width * 3] for r in range(abs(height))]
    return width, abs(height), (rows if height < 0 else rows[::-1])


def parse_rects(args):
    return [tuple(int(v) for v in a.split(",")) for a in args]


def diffcount(a_path, b_path, excluded):
    """Bounding box and count of the differing pixels outside the excluded rectangles."""
    w, h, a = rows24(a_path)
    w2, h2, b = rows24(b_path)
    if (w, h) != (w2, h2):
        raise SystemExit("the pictures differ in size")
    box, count = None, 0
    for y in range(h):
        if a[y] == b[y]:
            continue
        ra, rb = a[y], b[y]
        for x in range(w):
            if ra[3 * x:3 * x + 3] == rb[3 * x:3 * x + 3]:
                continue
            if any(l <= x < r and t <= y < bt for l, t, r, bt in excluded):
                continue
            count += 1
            box = (x, y, x + 1, y + 1) if box is None else (
                min(box[0], x), min(box[1], y), max(box[2], x + 1), max(box[3], y + 1))
    return box, count


def changed_squares(a_path, b_path, columns, rows, excluded):
    """The client rectangles of the squares in which the two pictures differ."""
    w, h, a = rows24(a_path)
    _, _, b = rows24(b_path)
    found = set()
    for y in range(h):
        if a[y] == b[y]:
            continue
        for x in range(w):
            if a[y][3 * x:3 * x + 3] != b[y][3 * x:3 * x + 3] and not any(
                    l <= x < r and t <= y < bt for l, t, r, bt in excluded):
                # The square whose rectangle c * w // columns .. (c + 1) * w // columns holds x.
                found.add((((x + 1) * columns - 1) // w, ((y + 1) * rows - 1) // h))
    rects = []
    for c, r in found:
        rects.append((c * w // columns, r * h // rows, (c + 1) * w // columns, (r + 1) * h // rows))
    return rects


def ball_pixels(before, field, columns, rows, excluded, frames):
    skip = excluded + changed_squares(before, field, columns, rows, excluded)
    return [(f, diffcount(f, field, skip)[1]) for f in frames]


def read_clock(path, x0, y0):
    """Seconds shown by the clock face at (x0, y0). The long hand's tip is the farthest
    pure yellow pixel from the centre, the short hand's the farthest pure green one; each
    is matched to the nearest of the places the game puts a hand's end (the hands of a
    96 x 96 face: 0.45 and 0.25 of it long, at 60 and 12 positions)."""
    import math
    w, h, rows = rows24(path)
    cx, cy = x0 + 48, y0 + 48

    def tip(bgr):
        best = None
        for y in range(max(0, y0), min(h, y0 + 96)):
            row = rows[y]
            for x in range(max(0, x0), min(w, x0 + 96)):
                if row[3 * x:3 * x + 3] == bgr:
                    d = (x - cx + 1) ** 2 + (y - cy + 1) ** 2
                    if best is None or d > best[0]:
                        best = (d, x, y)
        if best is None:
            raise SystemExit(f"{path}: no clock hand at ({x0}, {y0})")
        return best[1], best[2]

    def nearest(point, length, positions):
        def end(p):
            a = ((p % 60) * 0.03333333333333333 + 7.5) * 3.1415927
            return cx + int(math.cos(a) * 96 * length), cy + int(math.sin(a) * 96 * length)
        return min(positions, key=lambda p: (end(p)[0] - point[0]) ** 2 + (end(p)[1] - point[1]) ** 2)

    seconds = nearest(tip(b"\x00\xff\xff"), 0.45, range(60))
    minutes = nearest(tip(b"\x00\xff\x00"), 0.25, range(0, 60, 5)) // 5
    return minutes * 60 + seconds


def colourmap(a_path, b_path):
    wa, ha, a = read_bmp(a_path)
    wb, hb, b = read_bmp(b_path)
    if (wa, ha) != (wb, hb):
        raise SystemExit("the pictures differ in size")
    pairs = {}
    for y in range(ha):
        for x in range(wa):
            key = (a(x, y), b(x, y))
            pairs[key] = pairs.get(key, 0) + 1
    shown = {}
    for (colour, seen), count in pairs.items():
        if count > shown.get(colour, (None, 0))[1]:
            shown[colour] = (seen, count)
    stray = sum(count for (colour, seen), count in pairs.items() if shown[colour][0] != seen)
    return len(shown), stray


def main(argv):
    if len(argv) >= 5 and argv[1] == "squares":
        squares(argv[2], int(argv[3]), int(argv[4]), argv[5],
                argv[6] if len(argv) > 6 else None)
    elif len(argv) == 5 and argv[1] == "pixel":
        _, _, pixel = read_bmp(argv[2])
        print("%d %d %d" % pixel(int(argv[3]), int(argv[4])))
    elif len(argv) == 4 and argv[1] == "same":
        a, b = open(argv[2], "rb").read(), open(argv[3], "rb").read()
        return 0 if a == b else 1
    elif len(argv) == 4 and argv[1] == "diffbox":
        print(diffbox(argv[2], argv[3]))
    elif len(argv) == 8 and argv[1] == "samebox":
        left, top, right, bottom = (int(v) for v in argv[4:8])
        _, step, a = rows_of(argv[2])
        _, _, b = rows_of(argv[3])
        same = all(a[y][left * step:right * step] == b[y][left * step:right * step]
                   for y in range(top, bottom))
        return 0 if same else 1
    elif len(argv) == 6 and argv[1] == "count":
        w, h, pixel = read_bmp(argv[2])
        colour = tuple(int(v) for v in argv[3:6])
        print(sum(1 for y in range(h) for x in range(w) if pixel(x, y) == colour))
    elif len(argv) == 3 and argv[1] == "menubar":
        print("\n".join(str(x) for x in menubar_titles(argv[2])))
    elif len(argv) == 4 and argv[1] == "popup":
        print(popup(argv[2], argv[3]))
    elif len(argv) >= 4 and argv[1] == "diffcount":
        box, count = diffcount(argv[2], argv[3], parse_rects(argv[4:]))
        print("none" if box is None else "%d %d %d %d %d" % (box + (count,)))
    elif len(argv) >= 7 and argv[1] == "balls":
        for frame, count in ball_pixels(argv[2], argv[3], int(argv[4]), int(argv[5]),
                                        parse_rects([argv[6]]), argv[7:]):
            print(frame, count)
    elif len(argv) == 5 and argv[1] == "clock":
        print(read_clock(argv[2], int(argv[3]), int(argv[4])))
    elif len(argv) == 4 and argv[1] == "colourmap":
        print("%d %d" % colourmap(argv[2], argv[3]))
    elif len(argv) == 3 and argv[1] == "size":
        w, h, _ = read_bmp(argv[2])
        print(w, h)
    else:
        print(__doc__, file=sys.stderr)
        return 2
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
