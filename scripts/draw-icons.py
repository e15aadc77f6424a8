#!/usr/bin/env python3
"""Draws the style sheet's small icons as antialiased PNGs, white unless given a colour (no image
library needed).

Run from the repository root: scripts/draw-icons.py. Shapes are signed-distance functions on a
unit square (0..1, y down), sampled 4x4 per pixel.
"""
import math
import struct
import zlib
from pathlib import Path

OUT = Path("resources/styles/icons")
SAMPLES = 4


def segment(ax, ay, bx, by, width):
    def sdf(x, y):
        px, py, dx, dy = x - ax, y - ay, bx - ax, by - ay
        t = max(0.0, min(1.0, (px * dx + py * dy) / (dx * dx + dy * dy)))
        return math.hypot(px - t * dx, py - t * dy) - width / 2
    return sdf


def polyline(points, width):
    parts = [segment(*points[i], *points[i + 1], width) for i in range(len(points) - 1)]
    return lambda x, y: min(p(x, y) for p in parts)


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def rotated_square(cx, cy, half):
    def sdf(x, y):
        # A square turned by 45 degrees: |u| + |v| in rotated coordinates.
        u, v = (x - cx + y - cy) / math.sqrt(2), (y - cy - (x - cx)) / math.sqrt(2)
        qx, qy = abs(u) - half, abs(v) - half
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0)
    return sdf


def union(*shapes):
    return lambda x, y: min(s(x, y) for s in shapes)


def outline(shape, width):
    return lambda x, y: abs(shape(x, y)) - width / 2


def heart():
    # A turned square with two circles on its upper sides.
    h = 0.2
    cx, cy = 0.5, 0.58
    offset = h / math.sqrt(2)
    return union(rotated_square(cx, cy, h),
                 circle(cx - offset, cy - offset, h),
                 circle(cx + offset, cy - offset, h))


def render(shape, size, opacity=1.0, colour=(255, 255, 255)):
    rows = []
    for py in range(size):
        row = bytearray([0])
        for px in range(size):
            covered = 0
            for sy in range(SAMPLES):
                for sx in range(SAMPLES):
                    x = (px + (sx + 0.5) / SAMPLES) / size
                    y = (py + (sy + 0.5) / SAMPLES) / size
                    covered += shape(x, y) <= 0
            alpha = round(255 * opacity * covered / SAMPLES ** 2)
            row += bytes([*colour, alpha])
        rows.append(bytes(row))
    return png(size, size, b"".join(rows))


def png(width, height, raw):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b"")


ICONS = {
    "check": (polyline([(0.22, 0.52), (0.42, 0.72), (0.78, 0.3)], 0.11), 1.0),
    "cross": (union(segment(0.27, 0.27, 0.73, 0.73, 0.11), segment(0.73, 0.27, 0.27, 0.73, 0.11)), 1.0),
    "heart": (outline(heart(), 0.085), 1.0),
    "heart-filled": (heart(), 1.0),
    "more": (union(circle(0.25, 0.5, 0.075), circle(0.5, 0.5, 0.075), circle(0.75, 0.5, 0.075)), 1.0),
    "chevron-down": (polyline([(0.28, 0.4), (0.5, 0.62), (0.72, 0.4)], 0.1), 0.85),
    # The danger colour of the style sheet: a failed download.
    "alert": (union(outline(circle(0.5, 0.5, 0.36), 0.09), segment(0.5, 0.32, 0.5, 0.54, 0.1),
                    circle(0.5, 0.68, 0.06)), 1.0, (255, 97, 97)),
}

if __name__ == "__main__":
    OUT.mkdir(parents=True, exist_ok=True)
    for name, (shape, opacity, *colour) in ICONS.items():
        (OUT / f"{name}.png").write_bytes(render(shape, 32, opacity, *colour))
        print(OUT / f"{name}.png")
