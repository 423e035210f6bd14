#!/usr/bin/env python3
"""Draws the program's icons and toolbar bitmaps into resources/images/.

The build uses the committed files; run this only after changing a picture:
    python3 resources/make-images.py
Pictures are made of simple shapes, each sampled 4 x 4 times per pixel for smooth edges.
"""

import math
import os
import struct

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "images")
SS = 4  # samples per pixel and axis

# Toolbar bitmaps are drawn on this colour, which the toolbar's image list makes transparent.
KEY = (255, 0, 255)


# --- shapes: predicates over a 0..1 square (x right, y down) ---------------------------------

def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def round_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        cx = min(max(x, x0 + r), x1 - r)
        cy = min(max(y, y0 + r), y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r
    return inside


def disc(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r_out, r_in, start_deg=0.0, end_deg=360.0):
    def inside(x, y):
        d2 = (x - cx) ** 2 + (y - cy) ** 2
        if not (r_in * r_in <= d2 <= r_out * r_out):
            return False
        a = math.degrees(math.atan2(y - cy, x - cx)) % 360.0
        return start_deg <= a <= end_deg if start_deg <= end_deg else (a >= start_deg or a <= end_deg)
    return inside


def segment(x0, y0, x1, y1, w):
    dx, dy = x1 - x0, y1 - y0
    ll = dx * dx + dy * dy

    def inside(x, y):
        t = 0.0 if ll == 0 else max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / ll))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (w / 2) ** 2
    return inside


def polygon(points):
    def inside(x, y):
        hit = False
        n = len(points)
        for i in range(n):
            xa, ya = points[i]
            xb, yb = points[(i + 1) % n]
            if (ya > y) != (yb > y) and x < xa + (y - ya) * (xb - xa) / (yb - ya):
                hit = not hit
        return hit
    return inside


def frame(x0, y0, x1, y1, w):
    outer, inner = rect(x0, y0, x1, y1), rect(x0 + w, y0 + w, x1 - w, y1 - w)
    return lambda x, y: outer(x, y) and not inner(x, y)


# --- rendering -----------------------------------------------------------------------------

def render(size, layers, background=None):
    """layers: list of (shape, (r, g, b)); returns rows of (r, g, b, a) floats 0..1 alpha."""
    pixels = []
    n = SS * SS
    for py in range(size):
        row = []
        for px in range(size):
            acc = [0.0, 0.0, 0.0, 0.0]
            for sy in range(SS):
                for sx in range(SS):
                    x = (px + (sx + 0.5) / SS) / size
                    y = (py + (sy + 0.5) / SS) / size
                    colour = background
                    for shape, c in layers:
                        if shape(x, y):
                            colour = c
                    if colour is not None:
                        acc[0] += colour[0]
                        acc[1] += colour[1]
                        acc[2] += colour[2]
                        acc[3] += 1
            a = acc[3] / n
            if acc[3]:
                row.append((acc[0] / acc[3], acc[1] / acc[3], acc[2] / acc[3], a))
            else:
                row.append((0, 0, 0, 0.0))
        pixels.append(row)
    return pixels


def write_bmp(path, pixels):
    """24-bit bitmap; half-covered edge pixels are blended on light grey, empty ones get KEY."""
    h, w = len(pixels), len(pixels[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b, a in row:
            if a < 0.5:
                r, g, b = KEY
            else:
                r, g, b = (round(c * a + 240 * (1 - a)) for c in (r, g, b))
            line += bytes((int(b), int(g), int(r)))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    with open(path, "wb") as f:
        f.write(header + info + data)


def icon_image(pixels):
    h, w = len(pixels), len(pixels[0])
    xor = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            xor += bytes((round(b), round(g), round(r), round(a * 255)))
    mask_stride = ((w + 31) // 32) * 4
    mask = bytearray()
    for row in reversed(pixels):
        bits = bytearray(mask_stride)
        for x, p in enumerate(row):
            if p[3] < 0.5:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    info = struct.pack("<IiiHHIIiiII", 40, w, h * 2, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
    return info + xor + mask


def write_ico(path, images):
    entries = bytearray()
    blobs = bytearray()
    offset = 6 + 16 * len(images)
    for pixels in images:
        blob = icon_image(pixels)
        size = len(pixels)
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(blob),
                               offset + len(blobs))
        blobs += blob
    with open(path, "wb") as f:
        f.write(struct.pack("<HHH", 0, 1, len(images)) + entries + blobs)


# --- colours --------------------------------------------------------------------------------

PCB = (20, 120, 50)
PCB_DARK = (10, 80, 30)
COPPER = (230, 180, 60)
CHIP = (40, 40, 45)
RES = (200, 170, 120)
CAP = (70, 110, 200)
BLUE = (40, 90, 200)
BLUE_DARK = (20, 50, 140)
GREY = (150, 150, 150)
GREY_LIGHT = (200, 200, 200)
GREY_DARK = (100, 100, 100)
WHITE = (255, 255, 255)
RED = (210, 30, 30)
GREEN = (30, 150, 50)
GLASS = (225, 240, 255)


def grey(c):
    v = round(0.3 * c[0] + 0.59 * c[1] + 0.11 * c[2])
    v = 150 + (v - 128) // 3
    return (v, v, v)


# --- toolbar pictures (48 x 48) -------------------------------------------------------------

def side_view(top, on):
    """A board seen edge-on with parts above it (top side) or hanging below it (bottom)."""
    colour = (lambda c: c) if on else grey
    board = [(round_rect(0.06, 0.44, 0.94, 0.56, 0.03), colour(PCB))]
    parts = []
    if top:
        parts = [(rect(0.12, 0.24, 0.36, 0.44), colour(CHIP)),
                 (rect(0.44, 0.32, 0.58, 0.44), colour(RES)),
                 (round_rect(0.66, 0.18, 0.86, 0.44, 0.04), colour(CAP))]
        arrow = polygon([(0.5, 0.02), (0.38, 0.14), (0.62, 0.14)])
    else:
        parts = [(rect(0.14, 0.56, 0.38, 0.76), colour(CHIP)),
                 (rect(0.46, 0.56, 0.60, 0.68), colour(RES)),
                 (round_rect(0.68, 0.56, 0.88, 0.82, 0.04), colour(CAP))]
        arrow = polygon([(0.5, 0.98), (0.38, 0.86), (0.62, 0.86)])
    pads = [(rect(0.10 + i * 0.2, 0.42, 0.16 + i * 0.2, 0.58), colour(COPPER)) for i in range(5)]
    layers = board + pads + parts
    if on:
        layers.append((arrow, BLUE))
    else:
        layers.append((segment(0.12, 0.88, 0.88, 0.12, 0.07), (170, 60, 60)))
    return layers


def magnifier(plus):
    layers = [(disc(0.40, 0.40, 0.28), GLASS),
              (ring(0.40, 0.40, 0.30, 0.23), BLUE_DARK),
              (segment(0.61, 0.61, 0.88, 0.88, 0.13), GREY_DARK),
              (segment(0.27, 0.40, 0.53, 0.40, 0.08), BLUE)]
    if plus:
        layers.append((segment(0.40, 0.27, 0.40, 0.53, 0.08), BLUE))
    return layers


def refresh():
    return [(ring(0.5, 0.5, 0.38, 0.26, 30, 320), BLUE),
            (polygon([(0.94, 0.28), (0.62, 0.30), (0.86, 0.56)]), BLUE)]


def fit():
    layers = [(round_rect(0.28, 0.32, 0.72, 0.68, 0.04), PCB),
              (rect(0.36, 0.40, 0.50, 0.52), CHIP),
              (rect(0.56, 0.44, 0.64, 0.60), RES)]
    w = 0.07
    for (cx, cy, sx, sy) in ((0.08, 0.08, 1, 1), (0.92, 0.08, -1, 1),
                             (0.08, 0.92, 1, -1), (0.92, 0.92, -1, -1)):
        layers.append((segment(cx, cy, cx + sx * 0.22, cy, w), BLUE_DARK))
        layers.append((segment(cx, cy, cx, cy + sy * 0.22, w), BLUE_DARK))
    return layers


def to_front():
    return [(rect(0.06, 0.06, 0.62, 0.56), GREY_DARK),
            (rect(0.09, 0.16, 0.59, 0.53), GREY_LIGHT),
            (rect(0.34, 0.38, 0.94, 0.92), BLUE_DARK),
            (rect(0.37, 0.49, 0.91, 0.89), WHITE),
            (rect(0.43, 0.56, 0.80, 0.60), GREY),
            (rect(0.43, 0.66, 0.85, 0.70), GREY),
            (rect(0.43, 0.76, 0.72, 0.80), GREY)]


def place_next():
    # A ticked row, and an arrow down to the next one.
    return [(rect(0.06, 0.08, 0.94, 0.44), GREY_DARK),
            (rect(0.10, 0.12, 0.90, 0.40), WHITE),
            (segment(0.20, 0.26, 0.32, 0.36, 0.08), GREEN),
            (segment(0.32, 0.36, 0.52, 0.14, 0.08), GREEN),
            (rect(0.06, 0.62, 0.94, 0.94), GREY_DARK),
            (rect(0.10, 0.66, 0.90, 0.90), WHITE),
            (segment(0.74, 0.40, 0.74, 0.64, 0.08), BLUE_DARK),
            (polygon([(0.62, 0.56), (0.86, 0.56), (0.74, 0.72)]), BLUE_DARK)]


# --- icons ----------------------------------------------------------------------------------

def board_icon(crosshair):
    layers = [(round_rect(0.04, 0.04, 0.96, 0.96, 0.10), PCB_DARK),
              (round_rect(0.08, 0.08, 0.92, 0.92, 0.08), PCB),
              (rect(0.18, 0.18, 0.46, 0.46), CHIP),
              (rect(0.58, 0.20, 0.82, 0.32), RES),
              (rect(0.58, 0.40, 0.82, 0.52), RES),
              (rect(0.20, 0.60, 0.34, 0.82), CAP),
              (rect(0.46, 0.64, 0.84, 0.80), CHIP)]
    for i in range(4):
        layers.append((rect(0.14, 0.20 + i * 0.07, 0.18, 0.23 + i * 0.07), COPPER))
        layers.append((rect(0.46, 0.20 + i * 0.07, 0.50, 0.23 + i * 0.07), COPPER))
    if crosshair:
        layers += [(segment(0.32, 0.04, 0.32, 0.96, 0.06), RED),
                   (segment(0.04, 0.32, 0.96, 0.32, 0.06), RED),
                   (ring(0.32, 0.32, 0.20, 0.14), RED)]
    return layers


def row_box(marked):
    layers = [(rect(0.15, 0.15, 0.85, 0.85), GREY_DARK),
              (rect(0.22, 0.22, 0.78, 0.78), WHITE)]
    if marked:
        layers += [(segment(0.28, 0.50, 0.45, 0.70, 0.14), GREEN),
                   (segment(0.45, 0.70, 0.80, 0.22, 0.14), GREEN)]
    return layers


def sort_mark():
    return [(polygon([(0.5, 0.22), (0.16, 0.74), (0.84, 0.74)]), BLUE_DARK)]


def main():
    os.makedirs(OUT, exist_ok=True)
    bitmaps = {
        "top_on.bmp": side_view(True, True),
        "top_off.bmp": side_view(True, False),
        "bottom_on.bmp": side_view(False, True),
        "bottom_off.bmp": side_view(False, False),
        "refresh.bmp": refresh(),
        "zoom_in.bmp": magnifier(True),
        "zoom_out.bmp": magnifier(False),
        "fit.bmp": fit(),
        "to_front.bmp": to_front(),
        "place_next.bmp": place_next(),
    }
    for name, layers in bitmaps.items():
        write_bmp(os.path.join(OUT, name), render(48, layers))

    # The list's image list has no mask: its icons are opaque on the list's white.
    write_ico(os.path.join(OUT, "row_unmarked.ico"), [render(s, row_box(False), WHITE) for s in (16, 32)])
    write_ico(os.path.join(OUT, "row_marked.ico"), [render(s, row_box(True), WHITE) for s in (16, 32)])
    write_ico(os.path.join(OUT, "sort_mark.ico"), [render(s, sort_mark(), WHITE) for s in (16, 32)])

    write_ico(os.path.join(OUT, "tindral.ico"), [render(s, board_icon(True)) for s in (16, 32, 48)])
    write_ico(os.path.join(OUT, "tindral_small.ico"), [render(s, board_icon(True)) for s in (16, 32)])
    write_ico(os.path.join(OUT, "board.ico"), [render(s, board_icon(False)) for s in (16, 32, 48)])


if __name__ == "__main__":
    main()
