"""Reader of the land mask masque_terres.bin (see fabrique_masque.py).

Positions are (latitude North positive, longitude WEST positive) in degrees,
as in the race files.
"""
import math
import os
import struct
import zlib

DEFAULT_PATH = os.path.join(os.path.dirname(os.path.abspath(__file__)), "masque_terres.bin")
MILES_PER_DEG = 60.0


class Masque:
    """Land cells of the mask, one byte (0 sea, 1 land) per cell."""

    def __init__(self, path=DEFAULT_PATH):
        with open(path, "rb") as f:
            data = f.read()
        if data[:8] != b"ORVTERRE":
            raise ValueError(f"{path}: not a land mask")
        (self.n,) = struct.unpack_from("<H", data, 8)
        self.w, self.h = 360 * self.n, 180 * self.n
        body = zlib.decompress(data[10:])
        rows, row, land, run, shift, col = [], bytearray(self.w), 0, 0, 0, 0
        for b in body:
            run |= (b & 0x7F) << shift
            if b & 0x80:
                shift += 7
                continue
            if land and run:
                row[col:col + run] = b"\x01" * run
            col += run
            land ^= 1
            run = shift = 0
            if col == self.w:
                rows.append(bytes(row))
                row, land, col = bytearray(self.w), 0, 0
        if len(rows) != self.h:
            raise ValueError(f"{path}: {len(rows)} rows, expected {self.h}")
        self.rows = rows
        self._clear = {}

    def cell(self, lat, lon_w):
        """(row, column) of the cell holding a position."""
        i = min(self.h - 1, max(0, int((90.0 - lat) * self.n)))
        j = int(((180.0 - lon_w) % 360.0) * self.n) % self.w
        return i, j

    def land(self, lat, lon_w):
        """True when the position's cell holds land."""
        i, j = self.cell(lat, lon_w)
        return self.rows[i][j] == 1

    def clear(self, lat, lon_w, miles):
        """True when no land cell lies within about `miles` of the position
        (the mask grown by that distance, built once per distance)."""
        grown = self._clear.get(miles)
        if grown is None:
            grown = self._clear[miles] = self._grow(miles)
        i, j = self.cell(lat, lon_w)
        return grown[i][j] == 0

    def _grow(self, miles):
        """The mask dilated by `miles`: rows OR'ed over the latitude band and
        each row widened in longitude by the cells that distance covers there
        (wrapping round at the antimeridian)."""
        n, w, h = self.n, self.w, self.h
        dr = math.ceil(miles / MILES_PER_DEG * n)
        ints = [int.from_bytes(r, "little") for r in self.rows]
        full = (1 << (8 * w)) - 1
        out = []
        for i in range(h):
            acc = 0
            for k in range(max(0, i - dr), min(h, i + dr + 1)):
                acc |= ints[k]
            lat = 90.0 - (i + 0.5) / n
            c = max(math.cos(math.radians(min(abs(lat) + dr / n, 89.0))), 1e-3)
            dc = min(w // 2, math.ceil(miles / (MILES_PER_DEG * c) * n))
            if acc and dc:
                # Widen by dc cells with doubling shifts (one byte per cell).
                width, done = 1, acc
                while width <= dc:
                    step = min(width, dc - width + 1)
                    s = 8 * step
                    done |= ((done << s) | (done >> (8 * w - s))) & full
                    done |= ((done >> s) | (done << (8 * w - s))) & full
                    width += step
                acc = done
            out.append(acc.to_bytes(w, "little"))
        return out
