#!/usr/bin/env python3
"""Writes src/resources/moon.bmp: the 328 x 328 sixteen-colour moon `_moon_`.

Source: the moon texture of Debian's stellarium-data package,
/usr/share/stellarium/textures/moon.png (1024 x 512, equirectangular,
longitude 0 in the middle), combined by the Stellarium authors from USGS
Astrogeology maps and Clementine-based Celestia textures, both public domain.
ImageMagick's `convert` reads it.

The near side is projected orthographically onto a disc that fills the
square (3 x 3 samples per pixel, bilinear), its greys are stretched between
the 1st and 99.5th percentile and reduced with Floyd-Steinberg error
diffusion to the 13 grey entries of the program's 16-colour table; the
corners stay black. Rows are stored bottom-up, two pixels a byte, the high
nibble the left pixel, 164 bytes a row.

Usage: tools/make_moon.py [TEXTURE] [OUT_BMP]
"""
import math
import os
import struct
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_SOURCE = "/usr/share/stellarium/textures/moon.png"
DEFAULT_OUT = os.path.join(HERE, "..", "src", "resources", "moon.bmp")
SIZE = 328
ROW_BYTES = 164

# The program's colour table as (red, green, blue); entries 0..12 are greys.
PALETTE = [(0, 0, 0), (132, 134, 132), (204, 202, 204), (68, 66, 68), (244, 246, 244),
           (44, 42, 44), (156, 158, 156), (108, 110, 108), (20, 22, 20), (228, 222, 228),
           (180, 178, 180), (84, 86, 84), (252, 254, 252), (11, 29, 22), (0, 10, 200),
           (0, 193, 102)]
GREYS = range(13)
DARKEST_DISC_GREY = 56.0   # maria in shadowless full light stay visible
BRIGHTEST_DISC_GREY = 250.0


def luma(index):
    r, g, b = PALETTE[index]
    return 0.299 * r + 0.587 * g + 0.114 * b


def read_texture(path):
    size = subprocess.run(["identify", "-format", "%w %h", path], check=True,
                          capture_output=True, text=True).stdout.split()
    width, height = int(size[0]), int(size[1])
    raw = subprocess.run(["convert", path, "-colorspace", "Gray", "-depth", "8", "gray:-"],
                         check=True, capture_output=True).stdout
    assert len(raw) == width * height
    return width, height, raw


def sample(texture, lon, lat):
    width, height, raw = texture
    u = (lon / (2 * math.pi) + 0.5) * width - 0.5
    v = (0.5 - lat / math.pi) * height - 0.5
    x0, y0 = math.floor(u), math.floor(v)
    fx, fy = u - x0, v - y0
    def at(x, y):
        return raw[min(max(y, 0), height - 1) * width + x % width]
    top = at(x0, y0) * (1 - fx) + at(x0 + 1, y0) * fx
    bottom = at(x0, y0 + 1) * (1 - fx) + at(x0 + 1, y0 + 1) * fx
    return top * (1 - fy) + bottom * fy


def render(texture):
    """Grey level per pixel of the disc (top row first), None outside it."""
    radius = SIZE / 2
    steps = 3
    grid = []
    for y in range(SIZE):
        row = []
        for x in range(SIZE):
            total, hits = 0.0, 0
            for sy in range(steps):
                for sx in range(steps):
                    nx = (x + (sx + 0.5) / steps - radius) / radius
                    ny = (radius - (y + (sy + 0.5) / steps)) / radius
                    rr = nx * nx + ny * ny
                    if rr > 1:
                        continue
                    nz = math.sqrt(1 - rr)
                    total += sample(texture, math.atan2(nx, nz), math.asin(ny))
                    hits += 1
            # A pixel belongs to the disc when most of it lies inside.
            row.append(total / hits if hits * 2 > steps * steps else None)
        grid.append(row)
    return grid


def quantise(grid):
    values = sorted(v for row in grid for v in row if v is not None)
    lo = values[len(values) // 100]
    hi = values[len(values) * 995 // 1000]
    levels = sorted(GREYS, key=luma)
    work = [[None if v is None else
             DARKEST_DISC_GREY + (v - lo) / (hi - lo) * (BRIGHTEST_DISC_GREY - DARKEST_DISC_GREY)
             for v in row] for row in grid]
    out = [[0] * SIZE for _ in range(SIZE)]
    for y in range(SIZE):
        for x in range(SIZE):
            v = work[y][x]
            if v is None:
                continue
            index = min(levels, key=lambda i: abs(luma(i) - v))
            out[y][x] = index
            error = v - luma(index)
            for dx, dy, share in ((1, 0, 7), (-1, 1, 3), (0, 1, 5), (1, 1, 1)):
                px, py = x + dx, y + dy
                if 0 <= px < SIZE and py < SIZE and work[py][px] is not None:
                    work[py][px] += error * share / 16
    return out


def bitmap_bytes(indices):
    pixels = bytearray()
    for row in reversed(indices):  # bottom-up
        line = bytearray(ROW_BYTES)
        for x in range(0, SIZE, 2):
            line[x // 2] = row[x] << 4 | row[x + 1]
        pixels += line
    header = struct.pack("<IiiHHIIiiII", 40, SIZE, SIZE, 1, 4, 0, len(pixels), 0, 0, 16, 0)
    table = b"".join(bytes([b, g, r, 0]) for r, g, b in PALETTE)
    dib = header + table + pixels
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(dib), 0, 0, 14 + 40 + 64)
    return file_header + dib


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_SOURCE
    out = sys.argv[2] if len(sys.argv) > 2 else DEFAULT_OUT
    indices = quantise(render(read_texture(source)))
    with open(out, "wb") as f:
        f.write(bitmap_bytes(indices))
    used = sorted({i for row in indices for i in row})
    print(f"{out}: colour entries used {used}")


if __name__ == "__main__":
    main()
