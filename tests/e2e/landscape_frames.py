#!/usr/bin/env python3
"""Watches a background being generated, one short time slice of the game at a time.

The game's process is stopped (SIGSTOP) between slices, so each screen read off the X
display shows the picture exactly as far as the game had drawn it, however fast or slow
the machine is: a picture that grows column by column or pass by pass is seen in many
partial states. Screens are read straight off the X display ($DISPLAY) as raw pixel
values, so the same reading works on a 256-colour display.

  landscape_frames.py grab X Y W H OUT.raw
      the screen rectangle's raw pixels, compressed with zlib (OUT.raw.txt: "W H
      BYTES-PER-PIXEL")
  landscape_frames.py slices PID X Y W H PREFIX [SLICE-MS]
      reads the rectangle, then lets process PID run for SLICE-MS (default 1) at a time
      and reads it again while PID is stopped; every screen that differs from the one
      before is saved as PREFIX-NNN.raw. Ends when the screen has stayed the same for 2 s
      after its first change (the process then ran 2 s of processor time, or it slept
      through 2 s of slices: it is done), or after 300 s. From the third screen saved on
      (the ones before may be the menu bar going and the first strokes), each slice that
      changes nothing doubles the next one, up to 256 ms, and a change brings it back to
      SLICE-MS: the quiet end takes a few dozen looks, not thousands.
      Prints the number of screens saved.
  landscape_frames.py check KIND BEFORE.raw AFTER.raw CLEARED.txt COLUMNS ROWS MENU FRAME...
      KIND is "columns" (the landscapes) or "passes" (the fractal, 10 x 10 interlaced
      passes, pass py * 10 + px setting the pixels with x % 10 == px, y % 10 == py);
      BEFORE is the screen when the command was given, AFTER the screen once the field is
      back; CLEARED the field (screen.py squares: "." where the background shows); MENU
      "L,T,R,B", the menu bar's rectangle in BEFORE, left out wherever BEFORE is compared.
      CLEARED "-" stands for a covered field, on which no background shows.
      Each frame up to the first one of the field coming back must be a partly drawn
      picture: what is drawn is a first run of columns (or of passes) and everything else
      is exactly BEFORE; a pixel drawn once (no longer as in BEFORE) never changes; at
      least one frame is partly drawn (a fast generator on a busy machine may show only
      one between BEFORE and the end). Where the background shows on AFTER, AFTER must
      equal the picture as drawn.
      Exit 0 when all holds; exit 3 when the first screen seen is already AFTER (a fast
      generator done before the first look), so that nothing can be judged.
"""
import ctypes
import os
import signal
import sys
import time
import zlib


# ---- reading the X display -----------------------------------------------------------------

class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_char)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
                ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
                ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]


class Display:
    def __init__(self):
        self.x = ctypes.CDLL("libX11.so.6")
        self.x.XOpenDisplay.restype = ctypes.c_void_p
        self.x.XOpenDisplay.argtypes = [ctypes.c_char_p]
        self.x.XDefaultRootWindow.restype = ctypes.c_ulong
        self.x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
        self.x.XGetImage.restype = ctypes.POINTER(XImage)
        self.x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                     ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
        self.x.XFree.argtypes = [ctypes.c_void_p]
        self.display = self.x.XOpenDisplay(None)
        if not self.display:
            raise SystemExit("cannot open the X display")
        self.root = self.x.XDefaultRootWindow(self.display)

    def read(self, x, y, w, h):
        """(bytes per pixel, rows): the rectangle's pixels, each row w * bpp bytes."""
        image = self.x.XGetImage(self.display, self.root, x, y, w, h, 0xFFFFFFFF, 2)  # ZPixmap
        if not image:
            raise SystemExit("XGetImage failed")
        im = image.contents
        bpp = im.bits_per_pixel // 8
        raw = ctypes.string_at(im.data, im.bytes_per_line * h)
        rows = [raw[r * im.bytes_per_line:r * im.bytes_per_line + w * bpp] for r in range(h)]
        self.x.XFree(ctypes.cast(im.data, ctypes.c_void_p))
        self.x.XFree(ctypes.cast(image, ctypes.c_void_p))
        return bpp, rows


def save(path, w, h, bpp, rows):
    with open(path, "wb") as f:
        f.write(zlib.compress(b"".join(rows), 1))
    with open(path + ".txt", "w") as f:
        f.write(f"{w} {h} {bpp}\n")


def load(path):
    with open(path + ".txt") as f:
        w, h, bpp = (int(v) for v in f.read().split())
    with open(path, "rb") as f:
        data = zlib.decompress(f.read())
    stride = w * bpp
    return Frame(w, h, bpp, [data[r * stride:(r + 1) * stride] for r in range(h)])


class Frame:
    def __init__(self, w, h, bpp, rows):
        self.w, self.h, self.bpp, self.rows = w, h, bpp, rows

    def pixel(self, x, y):
        return self.rows[y][x * self.bpp:(x + 1) * self.bpp]


def grab(x, y, w, h, out):
    bpp, rows = Display().read(x, y, w, h)
    save(out, w, h, bpp, rows)
    return 0


def run_and_wait_ns(pid):
    """The time the process's threads ran and waited to run (ns), summed."""
    ran = waited = 0
    for thread in os.listdir(f"/proc/{pid}/task"):
        try:
            with open(f"/proc/{pid}/task/{thread}/schedstat") as f:
                on_cpu, on_queue = f.read().split()[:2]
        except (FileNotFoundError, ProcessLookupError):
            continue
        ran += int(on_cpu)
        waited += int(on_queue)
    return ran, waited


def slices(pid, x, y, w, h, prefix, slice_ms):
    display = Display()
    bpp, last = display.read(x, y, w, h)
    saved = 0
    # Since the screen last changed: the time given in slices, and the process's time
    # running and waiting to run when it changed.
    quiet = 0.0
    ran_at_change = waited_at_change = 0
    changed = False
    run_ms = slice_ms  # the next slice
    looks = first_change = 0
    started = time.monotonic()
    deadline = started + 300
    # Ten steps below this one the process runs on while this one sleeps mostly when a
    # processor is free, and this one takes the processor back at once when its sleep
    # ends, so that a slice stays short on a busy machine too. (Not at the lowest
    # priority: against outside load at the usual one it would hardly run at all.)
    threads = {int(t): os.getpriority(os.PRIO_PROCESS, int(t))
               for t in os.listdir(f"/proc/{pid}/task")}
    lowered = min(19, os.getpriority(os.PRIO_PROCESS, 0) + 10)
    for thread in threads:
        os.setpriority(os.PRIO_PROCESS, thread, max(lowered, threads[thread]))
    try:
        while time.monotonic() < deadline:
            os.kill(pid, signal.SIGCONT)
            time.sleep(run_ms / 1000)
            os.kill(pid, signal.SIGSTOP)
            # The process is stopped once its state says so; only then is the screen
            # the picture as far as it was drawn.
            for _ in range(2000):
                with open(f"/proc/{pid}/stat") as f:
                    if f.read().rsplit(")", 1)[1].split()[0] in "Tt":
                        break
                time.sleep(0.001)
            _, rows = display.read(x, y, w, h)
            looks += 1
            if rows != last:
                first_change = first_change or looks
                save(f"{prefix}-{saved:03d}.raw", w, h, bpp, rows)
                saved += 1
                last = rows
                changed = True
                quiet = 0.0
                ran_at_change, waited_at_change = run_and_wait_ns(pid)
                run_ms = slice_ms
            elif changed:
                quiet += run_ms
                ran, waited = run_and_wait_ns(pid)
                ran, wanted = ran - ran_at_change, ran + waited - ran_at_change - waited_at_change
                # A process held back by a busy machine wants the processor all the same;
                # one that neither ran nor waited for it a tenth of the time is idle.
                if ran >= 2e9 or (quiet >= 2000 and wanted < quiet * 1e6 / 10):
                    break
                if saved >= 3:
                    run_ms = min(run_ms * 2, 256)
    except ProcessLookupError:
        pass
    finally:
        for thread, priority in threads.items():
            try:
                os.setpriority(os.PRIO_PROCESS, thread, priority)
            except (ProcessLookupError, PermissionError):
                pass
        try:
            os.kill(pid, signal.SIGCONT)
        except ProcessLookupError:
            pass
    print(f"slices: {looks} looks in {time.monotonic() - started:.1f} s, the first change "
          f"at look {first_change}", file=sys.stderr)
    print(saved)
    return 0


# ---- checking the frames -------------------------------------------------------------------

def square_rects(w, h, columns, rows):
    for r in range(rows):
        for c in range(columns):
            yield c, r, (c * w // columns, r * h // rows, (c + 1) * w // columns,
                         (r + 1) * h // rows)


def same_area(a, b, rect):
    x0, y0, x1, y1 = rect
    bpp = a.bpp
    return all(a.rows[y][x0 * bpp:x1 * bpp] == b.rows[y][x0 * bpp:x1 * bpp]
               for y in range(y0, y1))


def drawn_units(kind, frame, before, menu):
    """The units (columns, or passes py * 10 + px) in which frame differs from before,
    leaving out the menu rectangle."""
    bpp, w = frame.bpp, frame.w
    ml, mt, mr, mb = menu
    columns = bytearray(w * bpp)
    units = set()
    for y in range(frame.h):
        a, b = frame.rows[y], before.rows[y]
        if a == b:
            continue
        diff = (int.from_bytes(a, "big") ^ int.from_bytes(b, "big")).to_bytes(len(a), "big")
        if mt <= y < mb and ml < mr:
            diff = diff[:ml * bpp] + bytes((mr - ml) * bpp) + diff[mr * bpp:]
        if kind == "columns":
            columns = (int.from_bytes(columns, "big") |
                       int.from_bytes(diff, "big")).to_bytes(len(diff), "big")
        else:
            for px in range(10):
                if any(diff[px * bpp + o::10 * bpp].count(0) != len(diff[px * bpp + o::10 * bpp])
                       for o in range(bpp)):
                    units.add((y % 10) * 10 + px)
    if kind == "columns":
        units = {x for x in range(w) if columns[x * bpp:(x + 1) * bpp].count(0) != bpp}
    return units


def check(kind, before_path, after_path, cleared_txt, columns, rows, menu, frame_paths):
    before, after = load(before_path), load(after_path)
    w, h, bpp = before.w, before.h, before.bpp
    if cleared_txt == "-":  # a covered field: no square shows the background
        field = ["C" * columns] * rows
    else:
        with open(cleared_txt) as f:
            field = [line.rstrip("\n") for line in f if line.strip()]
    rects = list(square_rects(w, h, columns, rows))
    tiles = [rect for c, r, rect in rects if field[r][c] != "."]
    backgrounds = [rect for c, r, rect in rects if field[r][c] == "."]
    # Where a square shows a piece image: the field comes back there once the picture is
    # done, and a screen may catch it partly back, before any square is whole again.
    on_tile = [bytearray(w) for _ in range(h)]
    for x0, y0, x1, y1 in tiles:
        for y in range(y0, y1):
            on_tile[y][x0:x1] = b"\1" * (x1 - x0)
    units = w if kind == "columns" else 100

    picture = [bytearray(row) for row in before.rows]  # the picture as drawn so far
    known = 0  # units 0 .. known - 1 of picture are drawn
    partial = 0
    faults = []
    for path in frame_paths:
        frame = load(path)
        # The field coming back: a square that shows a piece image on AFTER shows it
        # again where the picture had already been drawn over it.
        drawing = Frame(w, h, bpp, [bytes(row) for row in picture])
        if known and any(same_area(frame, after, rect) and not same_area(drawing, after, rect)
                         for rect in tiles):
            print(f"{path}: the field is back")
            break
        # A fast generator may be done before the first look: the first screen seen is
        # then already the end, field and all.
        if not known and frame.rows == after.rows:
            print(f"{path}: already the screen after, the field back")
            print("no screen was seen while the picture was drawn: its growth is not judged")
            return 3
        drawn = drawn_units(kind, frame, before, menu)
        count = max(drawn) + 1 if drawn else 0
        print(f"{path}: {count} of {units} {kind} drawn")
        if not count and not known:
            continue  # only the menu bar has gone
        if drawn != set(range(count)):
            faults.append(f"{path}: not drawn in order: units {sorted(set(range(count)) - drawn)[:5]} "
                          f"left out before unit {count - 1}")
        if count < known:
            faults.append(f"{path}: {count} units drawn after {known} were")
        for y in range(h):
            row, have, old = frame.rows[y], picture[y], before.rows[y]
            if kind == "columns" and row[:known * bpp] == have[:known * bpp]:
                have[:count * bpp] = row[:count * bpp]
            elif row != have:
                # A pixel drawn once (no longer as it was before) keeps its colour. The
                # screen may show a frame with the last blit only partly copied (the game
                # stopped in the middle of it), so a pixel may still turn from its old
                # colour to its drawn one.
                for x in range(w):
                    unit = x if kind == "columns" else (y % 10) * 10 + x % 10
                    if unit >= max(count, known):
                        continue
                    cell = slice(x * bpp, (x + 1) * bpp)
                    back = on_tile[y][x] and row[cell] == after.rows[y][cell]
                    if have[cell] != old[cell] and row[cell] != have[cell] and not back:
                        faults.append(f"{path}: pixel {x},{y} of unit {unit} changed after "
                                      "it was drawn")
                        break
                    if unit < count:
                        have[cell] = row[cell]
        known = max(known, count)
        if 0 < count < units:
            partial += 1
    compared = equal = 0
    for x0, y0, x1, y1 in backgrounds:
        for y in range(y0, y1):
            for x in range(x0, x1):
                if (x if kind == "columns" else (y % 10) * 10 + x % 10) < known:
                    compared += 1
                    equal += picture[y][x * bpp:(x + 1) * bpp] == after.rows[y][x * bpp:(x + 1) * bpp]
    print(f"{partial} partly drawn frames; {equal} of {compared} background pixels of the "
          f"screen after equal the picture as drawn")
    for fault in faults[:10]:
        print(fault)
    return 0 if not faults and partial >= 1 and equal == compared and (
        compared or not backgrounds) else 1


if __name__ == "__main__":
    a = sys.argv
    if len(a) == 7 and a[1] == "grab":
        sys.exit(grab(int(a[2]), int(a[3]), int(a[4]), int(a[5]), a[6]))
    if len(a) in (8, 9) and a[1] == "slices":
        sys.exit(slices(int(a[2]), int(a[3]), int(a[4]), int(a[5]), int(a[6]), a[7],
                        float(a[8]) if len(a) == 9 else 1))
    if len(a) >= 9 and a[1] == "check" and a[2] in ("columns", "passes"):
        sys.exit(check(a[2], a[3], a[4], a[5], int(a[6]), int(a[7]),
                       tuple(int(v) for v in a[8].split(",")), a[9:]))
    sys.exit(__doc__)
