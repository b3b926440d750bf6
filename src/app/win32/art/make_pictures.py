#!/usr/bin/env python3
"""Draws the window's pictures (background, Image1, the picture buttons, the icon) and writes
them as BMP and ICO files beside this script. Plain Python, no imaging library: every picture
is a few shapes over a blend, so the files can be remade and reviewed as code.

Each picture is drawn from one description at 100, 125, 150 and 200 % (96, 120, 144 and 192
dpi): its shapes are placed in the coordinates of the 96-dpi picture and sampled at the
larger size, never stretched from the small one. A picture is as large as the control it
fills at that resolution (its size in twips, rounded as Windows rounds it); the larger ones are
named NAME-125.bmp, NAME-150.bmp, NAME-200.bmp.

Usage: make_pictures.py   (rewrites the files in place)
"""
import math
import os
import struct
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))

WHITE = (255, 255, 255)
THEME = (113, 158, 227)       # the buttons' and frames' theme colour
THEME_DARK = (49, 106, 197)
THEME_LIGHT = (228, 238, 251)
TITLE_BLUE = (66, 120, 210)
AMBER = (236, 170, 60)
BROWN = (150, 96, 48)
GREEN = (70, 160, 90)


SCALES = {96: "", 120: "-125", 144: "-150", 192: "-200"}


def at_dpi(pixels, dpi):
    """A length of the 96-dpi picture at `dpi`, as the window sizes its controls: the twips
    (15 a pixel) times dpi / 1440, to the nearest pixel, halves up (MulDiv)."""
    return (pixels * 15 * dpi * 2 + 1440) // 2880


class Picture:
    """A picture drawn in the coordinates of its 96-dpi size, `width` by `height`, and made at
    `dpi` pixels per inch."""

    def __init__(self, width, height, colour=WHITE, dpi=96):
        self.scale = dpi / 96
        self.width, self.height = at_dpi(width, dpi), at_dpi(height, dpi)
        self.pixels = [[colour] * self.width for _ in range(self.height)]

    def at(self, v):
        """A coordinate of the 96-dpi picture in this one's pixels."""
        return v if self.scale == 1 else int(math.floor(v * self.scale + 0.5))

    def put(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = colour

    def blend_rows(self, top, bottom, y0=0, y1=None, x0=0, x1=None, steps=None):
        y0, x0 = self.at(y0), self.at(x0)
        y1 = self.height if y1 is None else self.at(y1)
        x1 = self.width if x1 is None else self.at(x1)
        span = max(1, y1 - y0 - 1)
        for y in range(y0, y1):
            t = (y - y0) / span
            if steps:
                t = round(t * steps) / steps
            colour = tuple(round(a + (b - a) * t) for a, b in zip(top, bottom))
            for x in range(x0, x1):
                self.put(x, y, colour)

    def rect(self, x0, y0, x1, y1, colour):
        for y in range(self.at(y0), self.at(y1)):
            for x in range(self.at(x0), self.at(x1)):
                self.put(x, y, colour)

    def shape(self, inside, colour):
        """Every pixel whose centre, in the 96-dpi picture's coordinates, is inside."""
        for y in range(self.height):
            for x in range(self.width):
                if inside((x + 0.5) / self.scale, (y + 0.5) / self.scale):
                    self.put(x, y, colour)

    def disc(self, cx, cy, r, colour):
        self.shape(lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r, colour)

    def ring(self, cx, cy, r0, r1, colour):
        self.shape(lambda x, y: r0 * r0 <= (x - cx) ** 2 + (y - cy) ** 2 <= r1 * r1, colour)

    def line(self, ax, ay, bx, by, width, colour):
        def inside(x, y):
            dx, dy = bx - ax, by - ay
            t = max(0.0, min(1.0, ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)))
            return math.hypot(x - ax - t * dx, y - ay - t * dy) <= width / 2
        self.shape(inside, colour)

    def polygon(self, points, colour):
        def inside(x, y):
            hit = False
            for (x0, y0), (x1, y1) in zip(points, points[1:] + points[:1]):
                if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                    hit = not hit
            return hit
        self.shape(inside, colour)

    def colours(self):
        return sorted({c for row in self.pixels for c in row})


def bmp_bytes(picture):
    """A bottom-up BMP: 8 bits with a palette when 256 colours suffice, else 24 bits."""
    palette = picture.colours()
    indexed = len(palette) <= 256
    bits = 8 if indexed else 24
    stride = (picture.width * bits // 8 + 3) & ~3
    rows = []
    index = {c: i for i, c in enumerate(palette)}
    for row in reversed(picture.pixels):
        if indexed:
            data = bytes(index[c] for c in row)
        else:
            data = b"".join(bytes((b, g, r)) for r, g, b in row)
        rows.append(data + b"\0" * (stride - len(data)))
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette) if indexed else b""
    info = struct.pack("<IiiHHIIiiII", 40, picture.width, picture.height, 1, bits, 0,
                       stride * picture.height, 3780, 3780, len(palette) if indexed else 0, 0)
    offset = 14 + len(info) + len(table)
    size = offset + stride * picture.height
    return struct.pack("<2sIHHI", b"BM", size, 0, 0, offset) + info + table + b"".join(rows)


def png_bytes(picture, alpha):
    """A 32-bit PNG with its alpha channel, as icons carry their 256-pixel image."""
    def chunk(kind, data):
        return (struct.pack(">I", len(data)) + kind + data +
                struct.pack(">I", zlib.crc32(kind + data) & 0xFFFFFFFF))
    raw = b"".join(b"\0" + b"".join(bytes(c) + bytes((a,)) for c, a in zip(row, opacity))
                   for row, opacity in zip(picture.pixels, alpha))
    header = struct.pack(">IIBBBBB", picture.width, picture.height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_bytes(images_with_alpha):
    """An icon of 32-bit images with straight alpha, and an AND mask that leaves the fully
    transparent pixels out for the systems that ignore alpha; from 256 pixels on, a PNG, the
    form Windows expects for the large sizes."""
    pictures = [p for p, _ in images_with_alpha]
    images = []
    for p, alpha in images_with_alpha:
        if p.width >= 256:
            images.append(png_bytes(p, alpha))
            continue
        xor = b"".join(bytes((b, g, r, a)) for row, opacity in zip(reversed(p.pixels), reversed(alpha))
                       for (r, g, b), a in zip(row, opacity))
        mask_stride = ((p.width + 31) // 32) * 4
        mask = b""
        for opacity in reversed(alpha):
            bits = 0
            for x, a in enumerate(opacity):
                if a == 0:
                    bits |= 1 << (mask_stride * 8 - 1 - x)
            mask += bits.to_bytes(mask_stride, "big")
        header = struct.pack("<IiiHHIIiiII", 40, p.width, p.height * 2, 1, 32, 0,
                             len(xor) + len(mask), 0, 0, 0, 0)
        images.append(header + xor + mask)
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for p, image in zip(pictures, images):
        out += struct.pack("<BBBBHHII", p.width % 256, p.height % 256, 0, 0, 1, 32, len(image),
                           offset)
        offset += len(image)
    return out + b"".join(images)


def background(dpi):
    p = Picture(382, 248, dpi=dpi)
    p.blend_rows(TITLE_BLUE, WHITE, 0, 70, steps=24)            # title band
    p.rect(0, 70, 382, 71, THEME)
    p.blend_rows(THEME_LIGHT, WHITE, 71, 248, 0, 66, steps=12)  # panel-button column
    p.rect(0, 232, 382, 233, THEME_LIGHT)
    # A soft wave across the title band.
    p.shape(lambda x, y: 46 + 8 * math.sin(x / 38.0) <= y < 52 + 8 * math.sin(x / 38.0)
            and y < 70, (190, 212, 244))
    # The maker's mark in the top left corner: three rising bars.
    for i, h in enumerate((10, 16, 22)):
        p.rect(16 + i * 8, 40 - h, 22 + i * 8, 40, WHITE)
    return p


def broom(width, height, back=WHITE):
    p = Picture(width, height, back)
    sx, sy = width / 35.0, height / 38.0
    p.line(28 * sx, 3 * sy, 15 * sx, 22 * sy, 3.2 * sx, BROWN)
    p.polygon([(9 * sx, 20 * sy), (20 * sx, 26 * sy), (16 * sx, 36 * sy), (2 * sx, 31 * sy)], AMBER)
    for k in range(4):
        p.line((5 + 3 * k) * sx, (26 + 1.2 * k) * sy, (3 + 3 * k) * sx, (34 + 0.6 * k) * sy,
               max(1.0, sx), BROWN)
    p.rect(int(9 * sx), int(21 * sy), int(20 * sx), int(23 * sy), THEME_DARK)
    return p


def button_back(width, height, dpi):
    p = Picture(width, height, dpi=dpi)
    p.blend_rows(WHITE, THEME_LIGHT, steps=16)
    return p


def forum(dpi):
    p = button_back(33, 33, dpi)
    p.polygon([(6, 7), (27, 7), (27, 21), (16, 21), (10, 27), (11, 21), (6, 21)], THEME)
    for y in (11, 14, 17):
        p.rect(10, y, 24, y + 1, WHITE)
    return p


def download(dpi):
    p = button_back(33, 33, dpi)
    p.rect(13, 5, 20, 17, GREEN)
    p.polygon([(7, 16), (26, 16), (16.5, 26)], GREEN)
    p.rect(7, 27, 26, 29, THEME_DARK)
    return p


def help_picture(dpi):
    p = button_back(33, 33, dpi)
    p.ring(16.5, 16.5, 6, 11, (220, 70, 60))
    for a in (45, 135, 225, 315):
        r = math.radians(a)
        p.line(16.5 + 6 * math.cos(r), 16.5 + 6 * math.sin(r), 16.5 + 11 * math.cos(r),
               16.5 + 11 * math.sin(r), 4, WHITE)
    return p


def kitbox(dpi):
    p = button_back(33, 33, dpi)
    p.rect(6, 12, 27, 27, BROWN)
    p.rect(4, 9, 29, 13, AMBER)
    p.rect(14, 13, 19, 27, AMBER)
    return p


def panel_clean(dpi):
    p = button_back(57, 41, dpi)
    inner = broom(at_dpi(30, dpi), at_dpi(32, dpi), THEME_LIGHT)
    for y in range(inner.height):
        for x in range(inner.width):
            if inner.pixels[y][x] != THEME_LIGHT:
                p.put(p.at(14) + x, p.at(5) + y, inner.pixels[y][x])
    return p


def panel_cache(dpi):
    p = button_back(57, 41, dpi)
    for k in range(3):
        p.rect(14 + 2 * k, 8 + 8 * k, 42 + 2 * k, 14 + 8 * k, THEME if k != 1 else THEME_DARK)
    return p


def panel_config(dpi):
    p = button_back(57, 41, dpi)
    for k, ticked in enumerate((True, True, False)):
        y = 7 + 10 * k
        p.rect(15, y, 23, y + 8, THEME_DARK)
        p.rect(16, y + 1, 22, y + 7, WHITE)
        if ticked:
            p.line(17, y + 4, 19, y + 6, 1.5, GREEN)
            p.line(19, y + 6, 23, y + 1, 1.5, GREEN)
        p.rect(27, y + 3, 43, y + 5, THEME)
    return p


def rounded_square_alpha(size, radius, samples=4):
    """The opacity of a square with rounded corners, its edge smoothed by sampling each pixel
    samples x samples times: 0 outside, 255 inside."""
    def inside(x, y):
        cx = min(max(x, radius), size - radius)
        cy = min(max(y, radius), size - radius)
        return (x - cx) ** 2 + (y - cy) ** 2 <= radius * radius
    alpha = []
    for y in range(size):
        row = []
        for x in range(size):
            hits = sum(inside(x + (i + 0.5) / samples, y + (j + 0.5) / samples)
                       for i in range(samples) for j in range(samples))
            row.append(round(255 * hits / (samples * samples)))
        alpha.append(row)
    return alpha


def icon(size):
    """The broom on a blue tile with rounded, transparent corners."""
    p = Picture(size, size, TITLE_BLUE)
    s = size / 32.0
    p.rect(0, 0, size, max(1, round(s)), THEME)
    inner = broom(int(26 * s), int(28 * s), TITLE_BLUE)
    for y in range(inner.height):
        for x in range(inner.width):
            p.put(int(3 * s) + x, int(2 * s) + y, inner.pixels[y][x])
    return p, rounded_square_alpha(size, max(3.0, 6 * s))


def main():
    makers = {
        "background": background,
        "broom": lambda dpi: broom(at_dpi(35, dpi), at_dpi(38, dpi)),
        "forum": forum,
        "download": download,
        "help-page": help_picture,
        "kitbox": kitbox,
        "panel-clean": panel_clean,
        "panel-cache": panel_cache,
        "panel-config": panel_config,
    }
    for name, make in makers.items():
        for dpi, suffix in SCALES.items():
            with open(os.path.join(HERE, name + suffix + ".bmp"), "wb") as out:
                out.write(bmp_bytes(make(dpi)))
    # The small icon of the title bar and the task bar at each scale, and the large ones.
    with open(os.path.join(HERE, "app.ico"), "wb") as out:
        out.write(ico_bytes([icon(size) for size in (16, 20, 24, 32, 40, 48, 64, 256)]))


if __name__ == "__main__":
    main()
