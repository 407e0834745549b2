#!/usr/bin/env python3
"""Build the pixel map files (*.bdc) shipped in data/cartes.

A .bdc file is a headerless run of 16-byte little-endian records:
latitude (double, degrees, North positive), longitude (double, degrees,
West positive). Lines are densified so that successive dots are at most
STEP_KM apart.

Inputs (see make_maps.sh, which fetches them):
  --atlas DIR   the world-atlas 2.0.2 package folder (Natural Earth 4.1.0 TopoJSON)
  --lakes FILE  `gmt coast -Rd -Di -A0/2/2 -W -M` output (GSHHG lakes)
  --france FILE `gmt coast -R-6/3/44/49.5 -Df -A0/1/1 -W -M` output (GSHHG full coast)
"""
import argparse
import json
import math
import os
import struct

STEP_KM = 2.0
KM_PER_DEG = 111.195  # one degree of a great circle, mean Earth radius


def decode_arcs(topo):
    """Delta-decoded, de-quantized arcs as lists of (lon_east, lat)."""
    sx, sy = topo["transform"]["scale"]
    tx, ty = topo["transform"]["translate"]
    out = []
    for arc in topo["arcs"]:
        x = y = 0
        pts = []
        for dx, dy in arc:
            x += dx
            y += dy
            pts.append((x * sx + tx, y * sy + ty))
        out.append(pts)
    return out


def arc_refs(geom, sink):
    """Collect arc indices (as non-negative ints) referenced by a geometry."""
    t = geom.get("type")
    if t == "GeometryCollection":
        for g in geom["geometries"]:
            arc_refs(g, sink)
    elif t == "Polygon":
        for ring in geom["arcs"]:
            sink.extend(a if a >= 0 else ~a for a in ring)
    elif t == "MultiPolygon":
        for poly in geom["arcs"]:
            for ring in poly:
                sink.extend(a if a >= 0 else ~a for a in ring)
    elif t in ("LineString",):
        sink.extend(a if a >= 0 else ~a for a in geom["arcs"])
    elif t == "MultiLineString":
        for line in geom["arcs"]:
            sink.extend(a if a >= 0 else ~a for a in line)


def borders_of(countries):
    """Land borders: the arcs of a countries TopoJSON shared by two countries."""
    arcs = decode_arcs(countries)
    owners = {}
    for gi, g in enumerate(countries["objects"]["countries"]["geometries"]):
        refs = []
        arc_refs(g, refs)
        for r in set(refs):
            owners.setdefault(r, set()).add(gi)
    return [arcs[i] for i in sorted(i for i, o in owners.items() if len(o) >= 2)]


def densify(line):
    """Dots along a polyline of (lon_east, lat), at most STEP_KM apart."""
    if not line:
        return []
    dots = [line[0]]
    for (x0, y0), (x1, y1) in zip(line, line[1:]):
        dx = x1 - x0
        if abs(dx) > 180:  # a jump across the antimeridian: no dots in between
            dots.append((x1, y1))
            continue
        c = math.cos(math.radians((y0 + y1) / 2))
        d = KM_PER_DEG * math.hypot(dx * c, y1 - y0)
        n = max(1, math.ceil(d / STEP_KM))
        for k in range(1, n + 1):
            t = k / n
            dots.append((x0 + dx * t, y0 + (y1 - y0) * t))
    return dots


def write_bdc(path, lines):
    n = 0
    with open(path, "wb") as f:
        for line in lines:
            for lon_e, lat in densify(line):
                # West-positive longitude in (-180, 180]
                w = -lon_e
                if w <= -180:
                    w += 360
                f.write(struct.pack("<dd", lat, w + 0.0))
                n += 1
    print(f"{os.path.basename(path)}: {n} dots")


def read_gmt_segments(path):
    segs, cur = [], []
    with open(path) as f:
        for row in f:
            if row.startswith(">"):
                if cur:
                    segs.append(cur)
                cur = []
                continue
            p = row.split()
            if len(p) >= 2:
                cur.append((float(p[0]), float(p[1])))
    if cur:
        segs.append(cur)
    return segs


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--atlas", required=True)
    ap.add_argument("--lakes", required=True)
    ap.add_argument("--france", required=True)
    ap.add_argument("--out", required=True)
    a = ap.parse_args()
    os.makedirs(a.out, exist_ok=True)

    land = json.load(open(os.path.join(a.atlas, "land-10m.json")))
    arcs = decode_arcs(land)
    used = []
    arc_refs(land["objects"]["land"], used)
    write_bdc(os.path.join(a.out, "Monde10m.bdc"), [arcs[i] for i in sorted(set(used))])

    countries = json.load(open(os.path.join(a.atlas, "countries-10m.json")))
    write_bdc(os.path.join(a.out, "STFrontieres.bdc"), borders_of(countries))

    write_bdc(os.path.join(a.out, "LKLacs.bdc"), read_gmt_segments(a.lakes))
    write_bdc(os.path.join(a.out, "Franceno.bdc"), read_gmt_segments(a.france))


if __name__ == "__main__":
    main()
