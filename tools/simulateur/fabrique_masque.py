#!/usr/bin/env python3
"""Build the land mask the race simulator and its test use (masque_terres.bin).

Source: Natural Earth 4.1.0, 1:10m land (public domain), as the TopoJSON file
land-10m.json of the npm package world-atlas 2.0.2. Without --atlas the
package is installed with npm into a temporary folder.

The mask is a bitmap of CELLS_PER_DEG cells per degree, rows from 90 N
southwards, columns from 180 W eastwards. A cell is land when its centre
lies inside a land polygon or when a coastline passes through it, so a cell
marked sea holds no land at all at the source's scale. A few islets the
source leaves out (ISLETS) are added as small discs.

File layout (little endian): the 8 bytes b"ORVTERRE", then uint16 cells per
degree, then the zlib-compressed rows. Each row is a list of unsigned LEB128
run lengths alternating sea, land, sea... starting with sea (possibly 0) and
covering the whole row.

Usage: fabrique_masque.py [--atlas DIR] [--out FILE]
"""
import argparse
import json
import math
import os
import struct
import subprocess
import tempfile
import sys
import zlib

# The TopoJSON arc decoder of the map maker.
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "cartes"))
from make_maps import decode_arcs  # noqa: E402

CELLS_PER_DEG = 20
MAGIC = b"ORVTERRE"
# Islets near the course that the 1:10m land leaves out: name, latitude,
# longitude (East positive), radius in km, from their charted positions.
ISLETS = [
    ("Diego Ramírez", -(56 + 29 / 60), -(68 + 43 / 60), 6.0),
    ("Islas Ildefonso", -(55 + 44 / 60), -(69 + 26 / 60), 7.0),
    ("Bounty Islands", -(47 + 45 / 60), 179 + 3 / 60, 4.0),
    ("Inaccessible", -(37 + 18 / 60), -(12 + 41 / 60), 3.0),
    ("Nightingale", -(37 + 25 / 60), -(12 + 29 / 60), 2.0),
    ("McDonald Islands", -(53 + 2 / 60), 72 + 36 / 60, 2.0),
    ("Atol das Rocas", -(3 + 52 / 60), -(33 + 49 / 60), 3.0),
]


def rings(topo, arcs):
    """The closed rings of every land polygon, as lists of (lon_east, lat)."""
    def ring(refs):
        pts = []
        for r in refs:
            a = arcs[r] if r >= 0 else arcs[~r][::-1]
            pts.extend(a if not pts else a[1:])
        return pts

    out = []
    for g in topo["objects"]["land"]["geometries"]:
        polys = g["arcs"] if g["type"] == "MultiPolygon" else [g["arcs"]]
        for poly in polys:
            for refs in poly:
                out.append(ring(refs))
    return out


def unwrap(pts):
    """A ring with continuous longitudes (no jump at the antimeridian). A ring
    that goes once round the globe (Antarctica) is closed over its pole."""
    out = [pts[0]]
    for x, y in pts[1:]:
        px = out[-1][0]
        x += 360 * round((px - x) / 360)
        out.append((x, y))
    turn = out[-1][0] - out[0][0]
    if abs(turn) > 180:
        pole = -90.0 if sum(y for _, y in pts) < 0 else 90.0
        out += [(out[-1][0], pole), (out[0][0], pole), out[0]]
    return out


def rasterize(all_rings, n):
    """Rows of land cells (bytearray per row, one byte per cell)."""
    w, h = 360 * n, 180 * n
    # Interiors: even-odd rule on each row's centre line; every ring toggles
    # the cells between its successive crossings (wrapping round in longitude).
    toggles = [bytearray(w + 1) for _ in range(h)]
    for pts in map(unwrap, all_rings):
        cross = {}
        for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
            if y0 == y1:
                continue
            lo, hi = min(y0, y1), max(y0, y1)
            # Rows whose centre latitude c = 90 - (i + 0.5) / n is in [lo, hi).
            i_first = math.ceil((90 - hi) * n - 0.5)
            i_last = math.floor((90 - lo) * n - 0.5)
            for i in range(max(0, i_first), min(h - 1, i_last) + 1):
                c = 90 - (i + 0.5) / n
                if lo <= c < hi:
                    cross.setdefault(i, []).append(x0 + (x1 - x0) * (c - y0) / (y1 - y0))
        for i, xs in cross.items():
            xs.sort()
            diff = toggles[i]
            for a, b in zip(xs[0::2], xs[1::2]):
                j0 = math.ceil((a + 180) * n - 0.5)
                j1 = math.floor((b + 180) * n - 0.5)
                if j1 < j0:
                    continue
                if j1 - j0 + 1 >= w:
                    j0, j1 = 0, w - 1
                j0, j1 = j0 % w, j1 % w
                pieces = [(j0, j1)] if j0 <= j1 else [(j0, w - 1), (0, j1)]
                for p, q in pieces:
                    diff[p] ^= 1
                    diff[q + 1] ^= 1
    grid = []
    for diff in toggles:
        row, v = bytearray(w), 0
        for j in range(w):
            v ^= diff[j]
            row[j] = v
        grid.append(row)
    # Coastlines: every cell a segment passes through (sampled at 1/4 cell).
    for pts in all_rings:
        for (x0, y0), (x1, y1) in zip(pts, pts[1:]):
            x1 += 360 * round((x0 - x1) / 360)
            steps = max(1, math.ceil(max(abs(x1 - x0), abs(y1 - y0)) * n * 4))
            for k in range(steps + 1):
                t = k / steps
                x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
                i = min(h - 1, max(0, int((90 - y) * n)))
                j = int(((x + 180) % 360) * n) % w
                grid[i][j] = 1
    # Islets: the cells within their radius, and the one holding their centre.
    for _, lat, lon, km in ISLETS:
        dlat = km / 111.195
        dlon = dlat / math.cos(math.radians(lat))
        for i in range(int((90 - lat - dlat) * n), int((90 - lat + dlat) * n) + 1):
            for jj in range(int((lon - dlon + 180) * n), int((lon + dlon + 180) * n) + 1):
                c_lat, c_lon = 90 - (i + 0.5) / n, (jj + 0.5) / n - 180
                if ((c_lat - lat) / dlat) ** 2 + ((c_lon - lon) / dlon) ** 2 <= 1:
                    grid[i][jj % w] = 1
        grid[int((90 - lat) * n)][int((lon + 180) * n) % w] = 1
    return grid


def leb128(v):
    out = bytearray()
    while True:
        b = v & 0x7F
        v >>= 7
        if v:
            out.append(b | 0x80)
        else:
            out.append(b)
            return out


def encode(grid, n):
    body = bytearray()
    for row in grid:
        cur, run = 0, 0
        for v in row:
            if v == cur:
                run += 1
            else:
                body += leb128(run)
                cur, run = v, 1
        body += leb128(run)
    return MAGIC + struct.pack("<H", n) + zlib.compress(bytes(body), 9)


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    ap = argparse.ArgumentParser()
    ap.add_argument("--atlas", help="world-atlas 2.0.2 package folder")
    ap.add_argument("--out", default=os.path.join(here, "masque_terres.bin"))
    a = ap.parse_args()
    with tempfile.TemporaryDirectory() as tmp:
        atlas = a.atlas
        if not atlas:
            subprocess.run(["npm", "install", "--no-audit", "--no-fund", "--prefix", tmp,
                            "world-atlas@2.0.2"], check=True, stdout=subprocess.DEVNULL)
            atlas = os.path.join(tmp, "node_modules", "world-atlas")
        with open(os.path.join(atlas, "land-10m.json")) as f:
            topo = json.load(f)
    grid = rasterize(rings(topo, decode_arcs(topo)), CELLS_PER_DEG)
    data = encode(grid, CELLS_PER_DEG)
    with open(a.out, "wb") as f:
        f.write(data)
    land = sum(sum(r) for r in grid)
    print(f"{os.path.basename(a.out)}: {len(data)} bytes, {land} land cells of "
          f"{len(grid) * len(grid[0])}")


if __name__ == "__main__":
    main()
