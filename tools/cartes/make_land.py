#!/usr/bin/env python3
"""Build data/cartes/Terres.bin, the land as polygons for the modern chart.

Layers, each a list of lines of (longitude East, latitude) in 1e-5 degree
units:
  land at 1:110m, 1:50m and 1:10m (rings), Natural Earth through world-atlas;
  lakes (rings), GSHHG intermediate level 2, their bin pieces joined;
  borders at 1:110m, 1:50m and 1:10m (lines shared by two countries);
  the start's coast at full resolution (rings) inside its box, GSHHG level 1,
  the pieces crossing the box closed along its edges on the land side.

File (little-endian): "ORVTERRE", u32 version (1), u32 number of layers;
per layer: u8 kind (1 land, 2 lakes, 3 borders), u8 detail (0 110m,
1 50m, 2 10m, 3 full), u8 rings (1) or lines (0), u8 0, i32 west, south,
east, north (the box it covers, 1e-5 degree), u32 lines, u32 bytes; then
per line a varint count and its points as zigzag varint deltas (longitude,
latitude) from the previous point, the first from (0, 0).
"""
import argparse
import json
import os
import struct

from make_maps import borders_of, decode_arcs, read_gmt_segments

UNIT = 1e5


def rings_of(topo, obj):
    """Rings of every polygon of a TopoJSON object, as point lists."""
    arcs = decode_arcs(topo)

    def ring(refs):
        pts = []
        for r in refs:
            a = arcs[r] if r >= 0 else arcs[~r][::-1]
            pts.extend(a if not pts else a[1:])
        return pts

    out = []

    def walk(g):
        t = g.get("type")
        if t == "GeometryCollection":
            for x in g["geometries"]:
                walk(x)
        elif t == "Polygon":
            out.extend(ring(r) for r in g["arcs"])
        elif t == "MultiPolygon":
            for p in g["arcs"]:
                out.extend(ring(r) for r in p)

    walk(topo["objects"][obj])
    return out


def key(p):
    return (round(p[0] * UNIT), round(p[1] * UNIT))


def chain(segs):
    """Pieces joined end to start: (closed rings, open lines)."""
    starts = {}
    for i, s in enumerate(segs):
        starts.setdefault(key(s[0]), []).append(i)
    used = [False] * len(segs)
    rings, opens = [], []
    for i, s in enumerate(segs):
        if used[i]:
            continue
        used[i] = True
        r = list(s)
        while key(r[-1]) != key(r[0]):
            nxt = [j for j in starts.get(key(r[-1]), []) if not used[j]]
            if not nxt:
                break
            used[nxt[0]] = True
            r.extend(segs[nxt[0]][1:])
        (rings if key(r[-1]) == key(r[0]) and len(r) >= 4 else opens).append(r)
    return rings, opens


def inside(pt, rings):
    """Even-odd rule over every ring."""
    x, y = pt
    c = False
    for r in rings:
        for (x0, y0), (x1, y1) in zip(r, r[1:] + r[:1]):
            if (y0 > y) != (y1 > y) and x < x0 + (y - y0) * (x1 - x0) / (y1 - y0):
                c = not c
    return c


def close_in_box(opens, box, reference):
    """Lines crossing the box closed along its edges: of the two ways round,
    the one whose land agrees best with `reference` at sample points."""
    w, s, e, n = box

    def perim(p):  # position along the edge, anticlockwise from the SW corner
        x, y = p
        d = [abs(y - s), abs(x - e), abs(y - n), abs(x - w)]
        k = d.index(min(d))
        return [x - w, (e - w) + (y - s), (e - w) + (n - s) + (e - x), 2 * (e - w) + (n - s) + (n - y)][k]

    corners = [(0, (w, s)), (e - w, (e, s)), (e - w + n - s, (e, n)), (2 * (e - w) + n - s, (w, n))]
    total = 2 * ((e - w) + (n - s))

    def walk(a, b, sens):
        """Corners met going from perimeter position a to b."""
        pts = []
        seq = sorted(corners, key=lambda c: ((c[0] - a) * sens) % total)
        for pos, pt in seq:
            if ((pos - a) * sens) % total < ((b - a) * sens) % total:
                pts.append(pt)
        return pts

    samples = [(w + (e - w) * (i + 0.5) / 24, s + (n - s) * (j + 0.5) / 24) for i in range(24) for j in range(24)]
    truth = [inside(p, reference) for p in samples]
    best = None
    for sens in (1, -1):
        rings = []
        for line in opens:
            a, b = perim(line[-1]), perim(line[0])
            rings.append(line + walk(a, b, sens) + [line[0]])
        score = sum(inside(p, rings) == t for p, t in zip(samples, truth))
        if best is None or score > best[0]:
            best = (score, rings)
    return best[1]


def unwrap(line):
    """A line crossing 180° made continuous: its longitudes beyond ±180
    rather than a jump round the world. The southern ring goes round the
    whole world and closes by such a jump: it is closed by the pole
    instead."""
    out = [line[0]]
    off = 0.0
    for (x0, y0), (x1, y1) in zip(line, line[1:]):
        d = x1 - x0
        if abs(d) > 180:
            if y0 < -60 and y1 < -60:
                # To the next point seen from this side of 180°, down to
                # the pole, along it round the world, and up again.
                xu = x1 + (360 if d < 0 else -360)
                out += [(xu + off, y1), (xu + off, -90.0), (x1 + off, -90.0)]
            else:
                off -= 360 if d > 0 else -360
        out.append((x1 + off, y1))
    return out


def zigzag(v):
    return (v << 1) ^ (v >> 63)


def varint(v, out):
    while v >= 0x80:
        out.append((v & 0x7F) | 0x80)
        v >>= 7
    out.append(v)


def layer(kind, detail, rings, lines, box=(-180, -90, 180, 90)):
    data = bytearray()
    kept = 0
    for line in lines:
        pts = []
        for x, y in unwrap(line):
            q = (round(x * UNIT), round(y * UNIT))
            if not pts or q != pts[-1]:
                pts.append(q)
        if len(pts) < (3 if rings else 2):
            continue
        kept += 1
        varint(len(pts), data)
        px = py = 0
        for x, y in pts:
            varint(zigzag(x - px), data)
            varint(zigzag(y - py), data)
            px, py = x, y
    head = struct.pack("<BBBB4iII", kind, detail, 1 if rings else 0, 0, *(round(v * UNIT) for v in box), kept, len(data))
    return head + bytes(data)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--atlas", required=True)
    ap.add_argument("--lakes", required=True)
    ap.add_argument("--france", required=True)
    ap.add_argument("--out", required=True)
    a = ap.parse_args()
    layers = []
    land10 = None
    for detail, res in enumerate(("110m", "50m", "10m")):
        rings = rings_of(json.load(open(os.path.join(a.atlas, f"land-{res}.json"))), "land")
        if res == "10m":
            land10 = rings
        layers.append(layer(1, detail, True, rings))
    box = (-6, 44, 3, 49.5)
    closed, opens = chain(read_gmt_segments(a.france))
    reference = [r for r in land10 if any(box[0] <= x <= box[2] and box[1] <= y <= box[3] for x, y in r)]
    layers.append(layer(1, 3, True, closed + close_in_box(opens, box, reference), box))
    lakes, _ = chain(read_gmt_segments(a.lakes))
    layers.append(layer(2, 2, True, lakes))
    for detail, res in enumerate(("110m", "50m", "10m")):
        layers.append(layer(3, detail, False, borders_of(json.load(open(os.path.join(a.atlas, f"countries-{res}.json"))))))
    path = os.path.join(a.out, "Terres.bin")
    with open(path, "wb") as f:
        f.write(b"ORVTERRE" + struct.pack("<II", 1, len(layers)))
        for l in layers:
            f.write(l)
    print(f"Terres.bin: {os.path.getsize(path)} bytes")


if __name__ == "__main__":
    main()
