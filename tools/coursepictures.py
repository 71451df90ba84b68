#!/usr/bin/env python3
"""Draws the small pictures of the bundled course (PNG, no external tools).

Run from the repository root: python3 tools/coursepictures.py
"""
import struct
import zlib


def png(width, height, pixel):
    rows = []
    for y in range(height):
        row = bytearray(b"\x00")
        for x in range(width):
            row += bytes(pixel(x, y))
        rows.append(bytes(row))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(b"".join(rows), 9))
            + chunk(b"IEND", b""))


def flag(x, y):
    # Spain: red, yellow twice as high, red.
    return (0xAA, 0x15, 0x1B) if y < 15 or y >= 45 else (0xF1, 0xBF, 0x00)


def map_picture(x, y):
    # A plain map for the image-map page: sea, a land mass, a marked city.
    land = (x - 90) ** 2 / 80.0 ** 2 + (y - 60) ** 2 / 50.0 ** 2 < 1.0
    city = (x - 70) ** 2 + (y - 55) ** 2 < 36
    if city:
        return (0xC8, 0x10, 0x2E)
    return (0xE8, 0xD8, 0xA8) if land else (0x9C, 0xC3, 0xE6)


if __name__ == "__main__":
    with open("course/hzvk/bilder/flagge.png", "wb") as f:
        f.write(png(90, 60, flag))
    with open("course/hzvk/bilder/karte.png", "wb") as f:
        f.write(png(180, 120, map_picture))
