#!/usr/bin/env python3
# Draws the programs' icons and writes them as .ico files (16x16 and 32x32, 32-bit with alpha):
# two linked rings for the search program, a small window with gadgets for the gallery and the
# starters, a sheet with three ticked-off lines for the task list. The .ico files are committed; run this again only to change a picture.
# Usage: app/icons.py (from anywhere)
import os
import struct

SAMPLES = 4  # sub-pixels per pixel edge, for smooth edges


def ring(cx, cy, outer, inner):
    return lambda x, y: inner * inner <= (x - cx) ** 2 + (y - cy) ** 2 <= outer * outer


def box(left, top, right, bottom):
    return lambda x, y: left <= x < right and top <= y < bottom


# A picture is a list of (shape, colour) drawn in order on a 1x1 square; a shape takes x, y.
BLUE, ORANGE = (0x2A, 0x6F, 0xDB), (0xE8, 0x83, 0x2A)
RINGS = [
    (ring(0.37, 0.5, 0.33, 0.21), BLUE),
    (ring(0.63, 0.5, 0.33, 0.21), ORANGE),
    # the blue ring passes over the orange one at the top, so the two read as linked
    (lambda x, y: y < 0.5 and ring(0.37, 0.5, 0.33, 0.21)(x, y) and x > 0.5, BLUE),
]
WINDOW = [
    (box(0.03, 0.09, 0.97, 0.91), (0x40, 0x40, 0x40)),
    (box(0.06, 0.12, 0.94, 0.3), BLUE),
    (box(0.06, 0.3, 0.94, 0.88), (0xE0, 0xE0, 0xE0)),
    (box(0.12, 0.38, 0.45, 0.52), ORANGE),
    (box(0.12, 0.6, 0.88, 0.82), (0xFF, 0xFF, 0xFF)),
    (box(0.16, 0.65, 0.7, 0.69), (0x80, 0x80, 0x80)),
    (box(0.16, 0.73, 0.55, 0.77), (0x80, 0x80, 0x80)),
]
GREY = (0x80, 0x80, 0x80)
SHEET = [
    (box(0.12, 0.03, 0.88, 0.97), (0x40, 0x40, 0x40)),
    (box(0.15, 0.06, 0.85, 0.94), (0xFF, 0xFF, 0xFF)),
    # three lines, each a box before its text: the first two ticked off, the third open
    (box(0.22, 0.16, 0.38, 0.32), BLUE),
    (box(0.44, 0.21, 0.78, 0.27), GREY),
    (box(0.22, 0.42, 0.38, 0.58), BLUE),
    (box(0.44, 0.47, 0.78, 0.53), GREY),
    (box(0.22, 0.68, 0.38, 0.84), ORANGE),
    (box(0.25, 0.71, 0.35, 0.81), (0xFF, 0xFF, 0xFF)),
    (box(0.44, 0.73, 0.78, 0.79), GREY),
]


def render(picture, size):
    """Rows of (b, g, r, a), top row first."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            r = g = b = a = 0.0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    colour = None
                    for shape, c in picture:
                        if shape(x, y):
                            colour = c
                    if colour:
                        r, g, b, a = r + colour[0], g + colour[1], b + colour[2], a + 1
            n = SAMPLES * SAMPLES
            # colour averaged over the covered samples only: alpha carries the coverage
            row.append((round(b / a), round(g / a), round(r / a), round(255 * a / n)) if a else (0, 0, 0, 0))
        rows.append(row)
    return rows


def icon_image(picture, size):
    rows = render(picture, size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes(v for p in row for v in p) for row in reversed(rows))
    mask_row = (size + 31) // 32 * 4
    mask = b""
    for row in reversed(rows):
        bits = 0
        for i, p in enumerate(row):
            if p[3] == 0:
                bits |= 1 << (mask_row * 8 - 1 - i)
        mask += bits.to_bytes(mask_row, "big")
    return header + pixels + mask


def write_icon(path, picture):
    images = [icon_image(picture, size) for size in (16, 32)]
    data = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip((16, 32), images):
        data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    with open(path, "wb") as out:
        out.write(data + b"".join(images))


root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
write_icon(os.path.join(root, "app", "amicable.ico"), RINGS)
write_icon(os.path.join(root, "app", "gallery.ico"), WINDOW)
write_icon(os.path.join(root, "examples", "hello", "hello.ico"), WINDOW)
write_icon(os.path.join(root, "examples", "tasks", "tasks.ico"), SHEET)
