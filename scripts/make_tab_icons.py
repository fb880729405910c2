#!/usr/bin/env python3
"""Draws the tab program's icons and writes them as .ico files with 32-bit
BMP images (colour plus AND mask), which every Windows version and Wine load.

Usage: python3 scripts/make_tab_icons.py   (writes tab/tab_large.ico and tab/tab_small.ico)
"""
import math
import os
import struct

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def pixel(size, x, y):
    """BGRA of one pixel: a rounded square, blue to teal, with a white
    play triangle (a game ready to start)."""
    s = float(size)
    cx, cy = x + 0.5, y + 0.5
    radius = s * 0.22
    inset = s * 0.04
    # Distance outside the rounded square (negative inside).
    qx = max(abs(cx - s / 2) - (s / 2 - inset - radius), 0.0)
    qy = max(abs(cy - s / 2) - (s / 2 - inset - radius), 0.0)
    outside = math.hypot(qx, qy) - radius
    alpha = min(max(0.5 - outside, 0.0), 1.0)
    if alpha <= 0.0:
        return (0, 0, 0, 0)
    t = (cx + cy) / (2 * s)
    r = int(30 + 20 * t)
    g = int(110 + 90 * t)
    b = int(220 - 40 * t)
    # Play triangle: points (0.38, 0.28), (0.38, 0.72), (0.74, 0.5).
    u, v = cx / s, cy / s
    inside = u >= 0.38 and abs(v - 0.5) <= (0.74 - u) * (0.22 / 0.36)
    if inside:
        r, g, b = 255, 255, 255
    return (b, g, r, int(round(alpha * 255)))


def image(size):
    rows = []
    for y in reversed(range(size)):  # bottom-up DIB
        rows.append(b"".join(bytes(pixel(size, x, y)) for x in range(size)))
    colour = b"".join(rows)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytearray()
    for y in reversed(range(size)):
        bits = bytearray(mask_stride)
        for x in range(size):
            if pixel(size, x, y)[3] == 0:
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(colour) + len(mask), 0, 0, 0, 0)
    return header + colour + bytes(mask)


def write_icon(path, sizes):
    images = [image(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, data in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    out += b"".join(images)
    with open(path, "wb") as f:
        f.write(out)


if __name__ == "__main__":
    write_icon(os.path.join(ROOT, "tab", "tab_large.ico"), [32, 48])
    write_icon(os.path.join(ROOT, "tab", "tab_small.ico"), [16])
