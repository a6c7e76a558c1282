#!/usr/bin/env python3
"""Checks on the frames that `zd watch` saved while a background was being generated.

  landscape_frames.py adopted CLEARED.txt AFTER.bmp FRAMES.txt COLUMNS ROWS
      CLEARED.txt: the field read off the screen before the command (screen.py squares,
      "." where the background shows). The last frame of the picture is the last one in
      which no square that shows a piece image in AFTER.bmp is drawn yet. Exit 0 when
      most pixels of the background squares of AFTER.bmp equal that frame (the watch may
      see the picture just before its last columns or passes).
  landscape_frames.py changed A.bmp B.bmp
      exit 0 when more than half of the pixels differ
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from screen import read_bmp  # noqa: E402


def square_rects(w, h, columns, rows):
    for r in range(rows):
        for c in range(columns):
            yield c, r, (c * w // columns, r * h // rows, (c + 1) * w // columns,
                         (r + 1) * h // rows)


def same_area(a, b, rect, step=1):
    x0, y0, x1, y1 = rect
    return all(a(x, y) == b(x, y) for y in range(y0, y1, step) for x in range(x0, x1, step))


def adopted(cleared_txt, after_bmp, frames_txt, columns, rows):
    with open(cleared_txt) as f:
        field = [line.rstrip("\n") for line in f if line.strip()]
    w, h, after = read_bmp(after_bmp)
    frames = []
    with open(frames_txt) as f:
        for line in f:
            parts = line.rstrip("\n").split("\t")
            if len(parts) >= 2:
                frames.append(parts[1])
    rects = list(square_rects(w, h, columns, rows))
    tiles = [rect for c, r, rect in rects if field[r][c] != "."]
    backgrounds = [rect for c, r, rect in rects if field[r][c] == "."]
    if not backgrounds:
        print("no background square on the cleared field")
        return 1
    finished = None
    for path in reversed(frames):
        _, _, frame = read_bmp(path)
        # A frame of the field coming back shares its piece images with AFTER.
        if any(same_area(frame, after, rect, 3) for rect in tiles):
            continue
        finished = (path, frame)
        break
    if finished is None:
        print("no frame shows the finished picture")
        return 1
    path, frame = finished
    # The watch may see the picture a little before its last columns or passes; what it
    # saw must be what now lies under the field.
    same = total = 0
    for x0, y0, x1, y1 in backgrounds:
        for y in range(y0, y1):
            for x in range(x0, x1):
                total += 1
                same += frame(x, y) == after(x, y)
    print(f"last frame of the picture: {path}; {same} of {total} background pixels equal it")
    return 0 if same * 2 > total else 1


def changed(a_bmp, b_bmp):
    w, h, a = read_bmp(a_bmp)
    w2, h2, b = read_bmp(b_bmp)
    if (w, h) != (w2, h2):
        return 0
    differ = sum(1 for y in range(0, h, 2) for x in range(0, w, 2) if a(x, y) != b(x, y))
    total = ((h + 1) // 2) * ((w + 1) // 2)
    print(f"{differ} of {total} sampled pixels differ")
    return 0 if differ * 2 > total else 1


if __name__ == "__main__":
    if len(sys.argv) == 7 and sys.argv[1] == "adopted":
        sys.exit(adopted(sys.argv[2], sys.argv[3], sys.argv[4], int(sys.argv[5]),
                         int(sys.argv[6])))
    if len(sys.argv) == 4 and sys.argv[1] == "changed":
        sys.exit(changed(sys.argv[2], sys.argv[3]))
    sys.exit(__doc__)
