#!/usr/bin/env python3
"""Draws the product's icons and writes them as Windows .ico files.

Each icon holds twelve images: 16, 24, 32 and 48 pixels square, each in 16 colours,
256 colours and 32-bit colour with an alpha channel. Run it from any folder; it writes
varnel.ico (the program) and document.ico (its documents) beside itself.
"""
import os
import struct

SIZES = (16, 24, 32, 48)
DEPTHS = (4, 8, 32)

# The sixteen colours of the standard 4-bit palette.
VGA = [(0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0), (0, 0, 128), (128, 0, 128),
       (0, 128, 128), (192, 192, 192), (128, 128, 128), (255, 0, 0), (0, 255, 0),
       (255, 255, 0), (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255)]
# 256 colours: a 6x6x6 colour cube, then grey steps.
CUBE = [(r * 51, g * 51, b * 51) for r in range(6) for g in range(6) for b in range(6)]
CUBE += [(v, v, v) for v in range(8, 248, 6)][:256 - len(CUBE)]
CUBE += [(0, 0, 0)] * (256 - len(CUBE))

INK = (24, 64, 160)
PAPER = (250, 250, 240)
EDGE = (40, 40, 40)
ACCENT = (220, 110, 20)


def in_v(x, y):
    """The letter V over the unit square, strokes about an eighth of it wide."""
    if y < 0.18 or y > 0.84:
        return False
    t = (y - 0.18) / 0.66
    left = 0.2 + 0.3 * t
    right = 0.8 - 0.3 * t
    return abs(x - left) < 0.08 or abs(x - right) < 0.08


def program_pixel(x, y):
    """A rounded tile with a V and an underline: the editor."""
    r = 0.16
    cx = min(max(x, r), 1 - r)
    cy = min(max(y, r), 1 - r)
    if (x - cx) ** 2 + (y - cy) ** 2 > r * r:
        return None
    if (x - cx) ** 2 + (y - cy) ** 2 > (r - 0.06) ** 2 and (x < r or x > 1 - r or y < r or y > 1 - r):
        return EDGE
    if 0.86 < y < 0.92 and 0.2 < x < 0.8:
        return ACCENT
    return INK if in_v(x, y) else PAPER


def document_pixel(x, y):
    """A page with a folded corner and a small V: a document of the editor."""
    if x < 0.14 or x > 0.86 or y < 0.04 or y > 0.96:
        return None
    if x + (0.04 - y) > 0.86 - 0.24 + 0.0 and y < 0.28 and x > 0.62:
        # The folded corner: cut on the diagonal, the fold drawn below it.
        if (x - 0.62) > (y - 0.04):
            return None
        return EDGE if abs((x - 0.62) - (y - 0.04)) < 0.05 else (200, 200, 190)
    if x < 0.19 or x > 0.81 or y < 0.09 or y > 0.91:
        return EDGE
    sx = (x - 0.22) / 0.56
    sy = (y - 0.3) / 0.6
    if 0 <= sx <= 1 and 0 <= sy <= 1 and in_v(sx, sy):
        return INK
    return PAPER


def render(pixel, size):
    """Rows top to bottom of (r, g, b) or None, sampling each pixel 4x4 times."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            hits = []
            for sy in range(4):
                for sx in range(4):
                    c = pixel((px + (sx + 0.5) / 4) / size, (py + (sy + 0.5) / 4) / size)
                    if c is not None:
                        hits.append(c)
            if len(hits) < 8:
                row.append(None)
            else:
                row.append(tuple(sum(c[i] for c in hits) // len(hits) for i in range(3)))
        rows.append(row)
    return rows


def nearest(palette, colour):
    return min(range(len(palette)),
               key=lambda i: sum((palette[i][k] - colour[k]) ** 2 for k in range(3)))


def pad(data):
    return data + b"\0" * (-len(data) % 4)


def image(rows, depth):
    size = len(rows)
    palette = {4: VGA, 8: CUBE}.get(depth, [])
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, depth, 0, 0, 0, 0,
                         len(palette), 0)
    colours = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in palette)
    xor = b""
    mask = b""
    for row in reversed(rows):
        if depth == 32:
            line = b"".join(struct.pack("BBBB", 0, 0, 0, 0) if c is None else
                            struct.pack("BBBB", c[2], c[1], c[0], 255) for c in row)
        else:
            indices = [0 if c is None else nearest(palette, c) for c in row]
            if depth == 4:
                indices += [0] * (len(indices) % 2)
                line = bytes((indices[i] << 4) | indices[i + 1] for i in range(0, len(indices), 2))
            else:
                line = bytes(indices)
        xor += pad(line)
        bits = 0
        line = b""
        for i, c in enumerate(row):
            bits = (bits << 1) | (1 if c is None else 0)
            if i % 8 == 7:
                line += bytes([bits])
                bits = 0
        if len(row) % 8:
            line += bytes([bits << (8 - len(row) % 8)])
        mask += pad(line)
    return header + colours + xor + mask


def icon(pixel):
    images = []
    for size in SIZES:
        rows = render(pixel, size)
        for depth in DEPTHS:
            images.append((size, depth, image(rows, depth)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, depth, data in images:
        out += struct.pack("<BBBBHHII", size, size, 16 if depth == 4 else 0, 0, 1, depth,
                           len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, data in images)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    for name, pixel in (("varnel.ico", program_pixel), ("document.ico", document_pixel)):
        with open(os.path.join(here, name), "wb") as f:
            f.write(icon(pixel))


if __name__ == "__main__":
    main()
