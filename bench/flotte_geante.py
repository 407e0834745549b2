#!/usr/bin/env python3
"""Writes a dense fleet as GPX for the scale measurements (bench/flotte.sh):
    python3 bench/flotte_geante.py BOATS FIXES FILE
BOATS tracks of FIXES points each, one every 2 to 10 minutes, across the
Pacific and the 180th meridian; a seeded generator, the same file at every
run. 100 × 10,000 makes about 86 MB."""
import math
import random
import sys
from datetime import datetime, timedelta, timezone


def main():
    bateaux, points, chemin = int(sys.argv[1]), int(sys.argv[2]), sys.argv[3]
    rnd = random.Random(1)
    t0 = datetime(2024, 3, 2, tzinfo=timezone.utc)
    with open(chemin, "w", encoding="utf-8", newline="\n") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n'
                '<gpx xmlns="http://www.topografix.com/GPX/1/1" version="1.1" creator="flotte_geante">\n')
        for b in range(bateaux):
            f.write(f"  <trk>\n    <name>Skipper{b:04d} (Bateau {b:04d})</name>\n    <trkseg>\n")
            lat, lon = 10 + rnd.uniform(-5, 5), 150 + rnd.uniform(-3, 3)
            cap0 = math.radians(rnd.uniform(80, 100))
            cap = cap0
            t = t0
            for _ in range(points):
                lon_e = (lon + 180) % 360 - 180
                f.write(f'      <trkpt lat="{lat:.6f}" lon="{lon_e:.6f}">'
                        f'<time>{t:%Y-%m-%dT%H:%M:%SZ}</time></trkpt>\n')
                dt = rnd.uniform(2, 10)
                t += timedelta(minutes=dt)
                cap += 0.02 * (cap0 - cap) + rnd.uniform(-0.05, 0.05)
                d = 9 * dt / 60 / 60  # degrees at 9 knots
                lat += d * math.cos(cap)
                lon += d * math.sin(cap) / math.cos(math.radians(lat))
            f.write("    </trkseg>\n  </trk>\n")
        f.write("</gpx>\n")


if __name__ == "__main__":
    main()
