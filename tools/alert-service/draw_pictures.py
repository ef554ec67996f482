#!/usr/bin/env python3
"""Draws the small signal pictures in data/pictures: a diamond in the signal's colour on a
near-black ground, crossed by one to three bars chosen by the type so that types tell apart.

Run it again after adding a name below; it needs nothing beyond the standard library."""

import pathlib
import struct
import zlib

WIDTH, HEIGHT = 120, 98
GROUND = (24, 24, 28)
COLOURS = {
    "白": (236, 236, 236),
    "蓝": (30, 110, 230),
    "黄": (246, 206, 30),
    "橙": (246, 130, 20),
    "红": (222, 30, 36),
}
NAMES = ["暴雨蓝", "暴雨黄", "暴雨橙", "大风蓝", "大风黄", "台风白", "台风橙", "台风红",
         "寒潮蓝", "寒潮黄", "大雾黄", "雷电黄"]


def pixel(x, y, colour, bars):
    cx, cy = WIDTH / 2, HEIGHT / 2
    inside = abs(x - cx) / (WIDTH * 0.42) + abs(y - cy) / (HEIGHT * 0.42) <= 1
    if not inside:
        return GROUND
    bar_top = cy - 4 * bars + 2
    in_bar = abs(x - cx) < 18 and bar_top <= y < cy + 4 * bars and (y - bar_top) % 8 < 4
    return GROUND if in_bar else colour


def png(name):
    colour, bars = COLOURS[name[-1]], sum(map(ord, name[:-1])) % 3 + 1
    rows = b"".join(
        b"\x00" + bytes(c for x in range(WIDTH) for c in pixel(x, y, colour, bars))
        for y in range(HEIGHT))

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body))

    header = struct.pack(">IIBBBBB", WIDTH, HEIGHT, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(rows, 9)) + chunk(b"IEND", b""))


folder = pathlib.Path(__file__).resolve().parent / "data" / "pictures"
folder.mkdir(parents=True, exist_ok=True)
for signal in NAMES:
    (folder / f"{signal}.png").write_bytes(png(signal))
