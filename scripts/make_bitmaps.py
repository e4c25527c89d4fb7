#!/usr/bin/env python3
"""Draws the program's small pictures into resources/bitmaps as PNG files.

iconbitmap      the 16 x 16 background of the tray icon: one colour per row
capturebitmap   toolbar indicator: each page of graphs is captured
lostsyncbitmap  toolbar indicator: graphs are captured when the line is lost

Run it again after changing a picture here; the PNGs are kept in the tree.
Only the standard library is used.
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.join(HERE, "..", "resources", "bitmaps")


def write_png(name, width, height, pixels, alpha):
    """pixels: rows of (r, g, b) or (r, g, b, a) tuples."""
    raw = bytearray()
    for row in pixels:
        raw.append(0)  # no filter
        for px in row:
            raw.extend(px[: 4 if alpha else 3])
    colour_type = 6 if alpha else 2

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    png = b"\x89PNG\r\n\x1a\n"
    png += chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, colour_type, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(raw), 9))
    png += chunk(b"IEND", b"")
    with open(os.path.join(OUT, name + ".png"), "wb") as f:
        f.write(png)


def icon_background():
    rows = {0: (214, 218, 238), 1: (178, 181, 198), 2: (53, 54, 59), 13: (72, 72, 95),
            14: (134, 134, 178), 15: (192, 192, 255)}
    return [[rows.get(y, (0, 0, 0))] * 16 for y in range(16)]


CLEAR = (0, 0, 0, 0)


def camera():
    body, ring, glass = (70, 70, 80, 255), (230, 230, 240, 255), (90, 150, 230, 255)
    img = [[CLEAR] * 16 for _ in range(16)]
    for y in range(4, 14):
        for x in range(1, 15):
            if (y in (4, 13)) and x in (1, 14):
                continue  # rounded corners
            img[y][x] = body
    for y in range(2, 4):
        for x in range(5, 11):
            img[y][x] = body
    for y in range(16):
        for x in range(16):
            d = math.hypot(x - 7.5, y - 8.5)
            if d <= 2.0:
                img[y][x] = glass
            elif d <= 3.3:
                img[y][x] = ring
    return img


def warning():
    red, white = (210, 30, 30, 255), (255, 255, 255, 255)
    img = [[CLEAR] * 16 for _ in range(16)]
    for y in range(1, 15):
        half = (y - 1) * 7.5 / 13.0
        for x in range(16):
            if abs(x - 7.5) <= half + 0.5:
                img[y][x] = red
    for y in range(5, 11):
        img[y][7] = img[y][8] = white
    img[12][7] = img[12][8] = white
    return img


if __name__ == "__main__":
    write_png("iconbitmap", 16, 16, icon_background(), alpha=False)
    write_png("capturebitmap", 16, 16, camera(), alpha=True)
    write_png("lostsyncbitmap", 16, 16, warning(), alpha=True)
