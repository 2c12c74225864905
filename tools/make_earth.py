#!/usr/bin/env python3
"""Writes src/resources/earth.bmp: the 800 x 400 one-bit land mask `_earth_`.

Source: Natural Earth 1:50m land polygons (public domain), as TopoJSON in the
npm package world-atlas 2.0.2 (ISC licence); `npm install` in tools/ fetches
it. Each pixel is land (1) when its centre lies inside the land polygons
(even-odd rule, so lakes cut out of the land stay water); rings that cross
the date line are unwrapped, and Antarctica is closed over the pole.

Layout: equirectangular, column x from longitude -180 eastwards, row 0 the
southernmost, 100 bytes per row, most significant bit leftmost; a 14-byte
file header, then the 40-byte header and two colour-table entries the
program reads (the file header is dropped when the bitmap is compiled in).

Usage: tools/make_earth.py [LAND_50M_JSON] [OUT_BMP]
"""
import json
import os
import struct
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
DEFAULT_SOURCE = os.path.join(HERE, "node_modules", "world-atlas", "land-50m.json")
DEFAULT_OUT = os.path.join(HERE, "..", "src", "resources", "earth.bmp")
WIDTH, HEIGHT = 800, 400


def decode_arcs(topology):
    sx, sy = topology["transform"]["scale"]
    tx, ty = topology["transform"]["translate"]
    arcs = []
    for arc in topology["arcs"]:
        x = y = 0
        points = []
        for dx, dy in arc:
            x += dx
            y += dy
            points.append((x * sx + tx, y * sy + ty))
        arcs.append(points)
    return arcs


def ring_points(ring, arcs):
    points = []
    for index in ring:
        arc = arcs[index] if index >= 0 else arcs[~index][::-1]
        points.extend(arc if not points else arc[1:])
    return points


def rings_of(geometry):
    kind = geometry["type"]
    if kind == "GeometryCollection":
        for child in geometry["geometries"]:
            yield from rings_of(child)
    elif kind == "Polygon":
        yield from geometry["arcs"]
    elif kind == "MultiPolygon":
        for polygon in geometry["arcs"]:
            yield from polygon


def unwrap(ring):
    """Makes the longitudes continuous; a ring around a pole is closed over it."""
    points = [ring[0]]
    for lon, lat in ring[1:]:
        previous = points[-1][0]
        while lon - previous > 180:
            lon -= 360
        while lon - previous < -180:
            lon += 360
        points.append((lon, lat))
    turn = points[-1][0] - points[0][0]
    if abs(turn) > 180:
        pole = -90 if sum(lat for _, lat in points) < 0 else 90
        points += [(points[-1][0], pole), (points[0][0], pole)]
    return points


def copies(ring):
    """The ring and its copies a turn east and west, so that land across the
    date line is drawn on both edges of the map."""
    for shift in (-360, 0, 360):
        yield [(lon + shift, lat) for lon, lat in ring]


def rasterise(rings):
    # Edges bucketed by the rows whose centre latitude they cross.
    crossings = [[] for _ in range(HEIGHT)]
    for ring in rings:
        for (lon0, lat0), (lon1, lat1) in zip(ring, ring[1:] + ring[:1]):
            if lat0 == lat1:
                continue
            lo, hi = min(lat0, lat1), max(lat0, lat1)
            first = max(0, int((lo + 90) / 180 * HEIGHT - 0.5))
            last = min(HEIGHT - 1, int((hi + 90) / 180 * HEIGHT + 0.5))
            for n in range(first, last + 1):
                lat = -90 + (n + 0.5) * 180 / HEIGHT
                if (lat0 <= lat < lat1) or (lat1 <= lat < lat0):
                    lon = lon0 + (lat - lat0) * (lon1 - lon0) / (lat1 - lat0)
                    crossings[n].append(lon)
    rows = []
    for n in range(HEIGHT):
        bits = [0] * WIDTH
        xs = sorted(crossings[n])
        for a, b in zip(xs[0::2], xs[1::2]):
            # Pixel centres inside [a, b).
            start = max(0, int((a + 180) / 360 * WIDTH - 0.5 + 0.999999))
            end = min(WIDTH - 1, int((b + 180) / 360 * WIDTH - 0.5))
            for x in range(start, end + 1):
                centre = -180 + (x + 0.5) * 360 / WIDTH
                if a <= centre < b:
                    bits[x] ^= 1
        rows.append(bits)
    return rows


def bitmap_bytes(rows):
    pixels = bytearray()
    for bits in rows:
        for x in range(0, WIDTH, 8):
            byte = 0
            for bit in bits[x:x + 8]:
                byte = byte << 1 | bit
            pixels.append(byte)
    header = struct.pack("<IiiHHIIiiII", 40, WIDTH, HEIGHT, 1, 1, 0, len(pixels), 3937, 3937, 2, 0)
    table = bytes([0, 0, 0, 0, 255, 255, 255, 0])
    dib = header + table + pixels
    file_header = struct.pack("<2sIHHI", b"BM", 14 + len(dib), 0, 0, 14 + 40 + 8)
    return file_header + dib


def main():
    source = sys.argv[1] if len(sys.argv) > 1 else DEFAULT_SOURCE
    out = sys.argv[2] if len(sys.argv) > 2 else DEFAULT_OUT
    with open(source) as f:
        topology = json.load(f)
    arcs = decode_arcs(topology)
    rings = [copy for ring in rings_of(topology["objects"]["land"])
             for copy in copies(unwrap(ring_points(ring, arcs)))]
    rows = rasterise(rings)
    with open(out, "wb") as f:
        f.write(bitmap_bytes(rows))
    land = sum(map(sum, rows))
    print(f"{out}: {land} of {WIDTH * HEIGHT} pixels land ({100.0 * land / (WIDTH * HEIGHT):.1f} %)")


if __name__ == "__main__":
    main()
