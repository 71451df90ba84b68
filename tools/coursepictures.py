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


# --- The Free Fall game: the falling figure s0..s8 and the comment symbols
# p1x..p8x (after a hit) and n1x..n8x (after a miss). Dark shapes on white,
# anti-aliased; the page paints the dark parts in a colour of its own (IMG COLOR).

def _seg(px, py, ax, ay, bx, by):
    dx, dy = bx - ax, by - ay
    t = max(0.0, min(1.0, ((px - ax) * dx + (py - ay) * dy) / float(dx * dx + dy * dy or 1)))
    return ((px - ax - t * dx) ** 2 + (py - ay - t * dy) ** 2) ** 0.5


def _poly(px, py, points):
    inside = False
    for i in range(len(points)):
        (x1, y1), (x2, y2) = points[i], points[i - 1]
        if (y1 > py) != (y2 > py) and px < (x2 - x1) * (py - y1) / float(y2 - y1) + x1:
            inside = not inside
    return inside


def shapes(width, height, inside):
    # inside(x, y) -> True on a dark part; four samples a pixel.
    def pixel(x, y):
        hits = sum(inside(x + (i + 0.5) / 2, y + (j + 0.5) / 2) for i in range(2) for j in range(2))
        v = 255 - hits * 255 // 4
        return (v, v, v)
    return pixel


def strokes(lines, width):
    return lambda x, y: any(_seg(x, y, *l) <= width for l in lines)


def figure(hx, hy, pose):
    # A person as thick strokes; the head is a disc at (hx, hy).
    body = [(hx, hy + 10, hx, hy + 40)]
    arms = {"spread": [(hx, hy + 18, hx - 22, hy + 4), (hx, hy + 18, hx + 22, hy + 4)],
            "up": [(hx, hy + 18, hx - 16, hy - 10), (hx, hy + 18, hx + 16, hy - 10)],
            "hang": [(hx, hy + 18, hx - 14, hy - 2), (hx, hy + 18, hx + 14, hy - 2)],
            "side": [(hx, hy + 18, hx - 12, hy + 36), (hx, hy + 18, hx + 12, hy + 36)]}[pose]
    legs = ([(hx, hy + 40, hx - 20, hy + 58), (hx, hy + 40, hx + 20, hy + 58)] if pose == "spread"
            else [(hx, hy + 40, hx - 9, hy + 68), (hx, hy + 40, hx + 9, hy + 68)])
    limbs = strokes(body + arms + legs, 3.2)
    return lambda x, y: (x - hx) ** 2 + (y - hy) ** 2 <= 9.5 ** 2 or limbs(x, y)


W, H, GROUND = 200, 300, 286


def ground(x, y):
    return GROUND - 2 <= y <= GROUND + 2


def cloud(cx, cy):
    return lambda x, y: any((x - cx - dx) ** 2 + (y - cy - dy) ** 2 <= r * r
                            for dx, dy, r in ((-14, 4, 10), (0, -2, 13), (14, 4, 10), (0, 8, 10)))


def fall_picture(n):
    # n = level + 2: 8 the start, 7..3 falling lower, 2 lost, 1 and 0 landed.
    parts = [ground]
    if n == 8:
        parts += [strokes([(20, 96, 120, 96)], 3), figure(70, 18, "side"), cloud(160, 40)]
    elif n >= 3:
        hy = 24 + (8 - n) * 36
        parts += [figure(100, hy, "spread"), cloud(40, 30), cloud(165, 70),
                  strokes([(84, hy - 34, 84, hy - 18), (100, hy - 40, 100, hy - 20), (116, hy - 34, 116, hy - 18)], 1.6)]
    elif n == 2:
        # At the bottom: lying on the ground, little stars about the head.
        lying = strokes([(60, GROUND - 8, 130, GROUND - 8), (130, GROUND - 8, 150, GROUND - 18),
                         (130, GROUND - 8, 152, GROUND - 4), (90, GROUND - 8, 96, GROUND - 26)], 3.2)
        head = lambda x, y: (x - 48) ** 2 + (y - GROUND + 12) ** 2 <= 9.5 ** 2
        stars = strokes([(cx - 5, cy - 5, cx + 5, cy + 5) for cx, cy in ((40, 236), (62, 228))]
                        + [(cx - 5, cy + 5, cx + 5, cy - 5) for cx, cy in ((40, 236), (62, 228))], 1.6)
        parts += [lying, head, stars]
    else:
        hy = 150 if n == 1 else GROUND - 69
        canopy_y = hy - 70
        canopy = lambda x, y: (((x - 100) / 70.0) ** 2 + ((y - canopy_y) / 40.0) ** 2 <= 1.0 and y <= canopy_y
                               and not (((x - 100) / 62.0) ** 2 + ((y - canopy_y) / 32.0) ** 2 <= 1.0 and y < canopy_y - 1))
        cords = strokes([(32, canopy_y, 86, hy + 16), (168, canopy_y, 114, hy + 16), (100, canopy_y, 100, hy - 10)], 1.2)
        if n == 1:
            parts += [figure(100, hy, "hang"), canopy, cords]
        else:
            star = lambda x, y: _poly(x, y, _star(160, 40, 16))
            parts += [figure(100, hy, "up"), star]
    return shapes(W, H, lambda x, y: any(f(x, y) for f in parts))


def _star(cx, cy, r, points=5):
    import math
    return [(cx + r * (1 if k % 2 == 0 else 0.45) * math.cos(k * math.pi / points - math.pi / 2),
             cy + r * (1 if k % 2 == 0 else 0.45) * math.sin(k * math.pi / points - math.pi / 2)) for k in range(2 * points)]


def _heart(x, y, cx=32, cy=30, size=22.0):
    u, v = (x - cx) / size, -(y - cy) / size
    return (u * u + v * v - 1) ** 3 - u * u * v ** 3 <= 0


def _face(x, y, smile):
    import math
    d = ((x - 32) ** 2 + (y - 32) ** 2) ** 0.5
    ring = 22 <= d <= 27
    eyes = (x - 24) ** 2 + (y - 25) ** 2 <= 12 or (x - 40) ** 2 + (y - 25) ** 2 <= 12
    if smile:
        mouth = abs(((x - 32) ** 2 + (y - 30) ** 2) ** 0.5 - 13) <= 2.2 and y > 36
    else:
        mouth = abs(((x - 32) ** 2 + (y - 54) ** 2) ** 0.5 - 13) <= 2.2 and y < 46 and y > 40
    return ring or eyes or mouth


def comment_picture(kind, n):
    import math
    if kind == "p":
        inside = {
            1: strokes([(14, 34, 27, 47), (27, 47, 50, 16)], 4.5),
            2: lambda x, y: _poly(x, y, _star(32, 34, 27)),
            3: lambda x, y: _face(x, y, True),
            4: _heart,
            5: lambda x, y: ((x - 32) ** 2 + (y - 32) ** 2) ** 0.5 <= 27 and not (abs(x - 32) <= 4 and abs(y - 32) <= 16 or abs(y - 32) <= 4 and abs(x - 32) <= 16),
            6: lambda x, y: abs(x - 32) <= 5 and 8 <= y <= 40 or (x - 32) ** 2 + (y - 52) ** 2 <= 30,
            7: strokes([(8, 34, 18, 44), (18, 44, 36, 18), (26, 40, 34, 48), (34, 48, 56, 18)], 3.5),
            8: lambda x, y: (x - 32) ** 2 + (y - 32) ** 2 <= 12 ** 2 or any(
                _seg(x, y, 32 + 17 * math.cos(a * math.pi / 4), 32 + 17 * math.sin(a * math.pi / 4),
                     32 + 27 * math.cos(a * math.pi / 4), 32 + 27 * math.sin(a * math.pi / 4)) <= 3 for a in range(8)),
        }[n]
    else:
        inside = {
            1: strokes([(14, 14, 50, 50), (50, 14, 14, 50)], 5),
            2: lambda x, y: _face(x, y, False),
            3: lambda x, y: _poly(x, y, [(38, 4), (16, 36), (30, 36), (24, 60), (48, 26), (34, 26)]),
            4: lambda x, y: ((x - 32) ** 2 + (y - 32) ** 2) ** 0.5 <= 27 and not (abs(y - 32) <= 5 and abs(x - 32) <= 17),
            5: lambda x, y: abs(((x - 32) ** 2 + (y - 22) ** 2) ** 0.5 - 12) <= 4 and not (x < 32 and y > 22)
                or abs(x - 32) <= 4 and 32 <= y <= 42 or (x - 32) ** 2 + (y - 53) ** 2 <= 25,
            6: lambda x, y: abs(x - 32) <= 6 and 6 <= y <= 38 or _poly(x, y, [(12, 34), (52, 34), (32, 58)]),
            7: lambda x, y: _heart(x, y) and abs((x - 32) - 6 * math.sin((y - 8) / 5.0)) > 2.5,
            8: lambda x, y: cloud(32, 22)(x, y) or any(_seg(x, y, cx, 40, cx - 4, 54) <= 2.2 for cx in (20, 32, 44)),
        }[n]
    return shapes(64, 64, inside)


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
    for n in range(9):
        with open("course/hzvk/freefall/s%d.bmp" % n, "wb") as f:
            f.write(bmp(W, H, fall_picture(n)))
    for kind in ("p", "n"):
        for n in range(1, 9):
            with open("course/hzvk/freefall/%s%dx.bmp" % (kind, n), "wb") as f:
                f.write(bmp(64, 64, comment_picture(kind, n)))
