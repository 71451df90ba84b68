#!/usr/bin/env python3
"""Draws the small pictures of the bundled course (PNG and BMP, no external tools).

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


def bmp(width, height, pixel):
    # 24-bit bottom-up Windows bitmap, rows padded to four bytes.
    pad = (4 - (width * 3) % 4) % 4
    rows = bytearray()
    for y in reversed(range(height)):
        for x in range(width):
            r, g, b = pixel(x, y)
            rows += bytes((b, g, r))
        rows += b"\x00" * pad
    header = struct.pack("<2sIHHI", b"BM", 54 + len(rows), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, 24, 0, len(rows), 2835, 2835, 0, 0)
    return header + info + bytes(rows)


PANEL = (0xF4, 0xEF, 0xE6)  # the recorder's background on the course pages


def record_button(active):
    # A round record button: dark red when idle, bright red with a light ring while recording.
    def pixel(x, y):
        d = (x - 15.5) ** 2 + (y - 15.5) ** 2
        if d < 9 ** 2:
            return (0xE0, 0x10, 0x20) if active else (0x90, 0x18, 0x20)
        if active and d < 12 ** 2:
            return (0xF8, 0xB0, 0xB0)
        return PANEL
    return pixel


def play_button(active):
    # A play triangle: grey-green when idle, bright green while playing.
    def pixel(x, y):
        inside = 8 <= x <= 25 and abs(y - 15.5) <= (25 - x) * 0.55
        if inside:
            return (0x10, 0xB0, 0x40) if active else (0x50, 0x78, 0x58)
        return PANEL
    return pixel


def arrow(left):
    # A page arrow for the verb selection: a dark disc with a light chevron,
    # anti-aliased. The page tints the dark parts in its own colours (IMG
    # COLOR and FCOLOR) and lets the light ones show the paper.
    def inside(x, y):
        if left:
            x = 39.0 - x
        if (x - 19.5) ** 2 + (y - 19.5) ** 2 > 18.5 ** 2:
            return False
        # The chevron ">": two strokes meeting at (26, 19.5).
        dy = abs(y - 19.5)
        on_stroke = dy <= 9.5 and abs((x - 26.0) + dy * 0.85) <= 2.6
        return not on_stroke

    def pixel(x, y):
        hits = sum(inside(x + (i + 0.5) / 4, y + (j + 0.5) / 4) for i in range(4) for j in range(4))
        v = 255 - hits * 255 // 16
        return (v, v, v)
    return pixel


if __name__ == "__main__":
    for active in (0, 1):
        with open("course/hzvk/bilder/knopf_rec%d.bmp" % active, "wb") as f:
            f.write(bmp(32, 32, record_button(active)))
        with open("course/hzvk/bilder/knopf_play%d.bmp" % active, "wb") as f:
            f.write(bmp(32, 32, play_button(active)))
    for name, left in (("L", True), ("R", False)):
        with open("course/hzvk/gfx/pfeil_%s.bmp" % name, "wb") as f:
            f.write(bmp(40, 40, arrow(left)))
    with open("course/hzvk/bilder/flagge.png", "wb") as f:
        f.write(png(90, 60, flag))
    with open("course/hzvk/bilder/karte.png", "wb") as f:
        f.write(png(180, 120, map_picture))
