#!/usr/bin/env python3
"""The program's icon as Explorer, the taskbar and the Apps list take it: every image is 32-bit
with an alpha channel, its corners transparent and its middle opaque, at every size, the
256-pixel one (a PNG) included; the AND mask of the small images leaves out exactly the fully
transparent pixels.

Usage: icon_test.py app.ico
"""
import struct
import sys
import zlib

failures = 0


def check(passed, what):
    global failures
    print(f"  {'ok  ' if passed else 'FAIL'}  {what}")
    failures += not passed


def png_rgba(data):
    """Width, height and rows of (r, g, b, a) of an 8-bit RGBA PNG; None for another kind."""
    width, height, depth, colour = struct.unpack_from(">IIBB", data, 16)
    if depth != 8 or colour != 6:
        return None
    at, idat = 8, b""
    while at < len(data):
        length, kind = struct.unpack_from(">I4s", data, at)
        if kind == b"IDAT":
            idat += data[at + 8:at + 8 + length]
        at += 12 + length
    raw = zlib.decompress(idat)
    stride = width * 4
    rows, previous = [], bytearray(stride)
    for y in range(height):
        kind = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            left = line[i - 4] if i >= 4 else 0
            up = previous[i]
            corner = previous[i - 4] if i >= 4 else 0
            if kind == 1:
                line[i] = (line[i] + left) & 255
            elif kind == 2:
                line[i] = (line[i] + up) & 255
            elif kind == 3:
                line[i] = (line[i] + (left + up) // 2) & 255
            elif kind == 4:
                p = left + up - corner
                pa, pb, pc = abs(p - left), abs(p - up), abs(p - corner)
                line[i] = (line[i] + (left if pa <= pb and pa <= pc else up if pb <= pc else corner)) & 255
        rows.append([tuple(line[x * 4:x * 4 + 4]) for x in range(width)])
        previous = line
    return width, height, rows


def dib_rgba(data):
    """Width, height, rows of (r, g, b, a) and the AND mask's rows of a 32-bit icon image."""
    _, width, double_height, _, bits = struct.unpack_from("<IiiHH", data)
    if bits != 32:
        return None
    height = double_height // 2
    pixels = data[40:40 + width * height * 4]
    rows = [[(pixels[(y * width + x) * 4 + 2], pixels[(y * width + x) * 4 + 1],
              pixels[(y * width + x) * 4], pixels[(y * width + x) * 4 + 3]) for x in range(width)]
            for y in range(height)][::-1]
    stride = ((width + 31) // 32) * 4
    mask_at = 40 + width * height * 4
    mask = [[bool(data[mask_at + y * stride + x // 8] & (0x80 >> x % 8)) for x in range(width)]
            for y in range(height)][::-1]
    return width, height, rows, mask


def main(path):
    data = open(path, "rb").read()
    count = struct.unpack_from("<HHH", data)[2]
    sizes = []
    for i in range(count):
        width, _, _, _, _, bits, size, offset = struct.unpack_from("<BBBBHHII", data, 6 + 16 * i)
        image = data[offset:offset + size]
        width = width or 256
        sizes.append(width)
        if image.startswith(b"\x89PNG"):
            decoded = png_rgba(image)
            check(decoded is not None, f"{width} px: a PNG with an alpha channel (RGBA)")
            if decoded is None:
                continue
            w, h, rows = decoded
            mask = None
        else:
            decoded = dib_rgba(image)
            check(decoded is not None and bits == 32, f"{width} px: 32 bits per pixel")
            if decoded is None:
                continue
            w, h, rows, mask = decoded
        corners = [rows[0][0], rows[0][w - 1], rows[h - 1][0], rows[h - 1][w - 1]]
        check(all(c[3] == 0 for c in corners), f"{width} px: the corners are transparent {corners}")
        check(rows[h // 2][w // 2][3] == 255, f"{width} px: the middle is opaque")
        if mask is not None:
            wrong = [(x, y) for y in range(h) for x in range(w) if mask[y][x] != (rows[y][x][3] == 0)]
            check(not wrong, f"{width} px: the AND mask is the transparent pixels {wrong[:4]}")
    # Every size Windows asks for from 100 to 200 % (small icons 16 to 32, large 32 to 64), and
    # the 256-pixel one for large views.
    wanted = [16, 20, 24, 32, 40, 48, 64, 256]
    check(sorted(sizes) == wanted, f"the sizes {wanted} ({sorted(sizes)})")
    print("all checks passed" if not failures else f"{failures} check(s) failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
