#!/usr/bin/env python3
"""Test of the race simulator: runs it into a temporary folder and checks the
archive it writes. Standard library only:

    python3 tools/simulateur/test_simule_course.py
"""
import datetime as dt
import math
import os
import statistics
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True  # keep the source folder clean
import masque  # noqa: E402

SIMULATOR = os.path.join(HERE, "simule_course.py")
BUNDLED = os.path.join(HERE, "..", "..", "data")
FIRST_DAY, LAST_DAY = dt.date(2000, 11, 10), dt.date(2001, 3, 10)
MISSING = {dt.date(2000, 11, 25), dt.date(2000, 12, 8), dt.date(2000, 12, 24),
           dt.date(2001, 1, 1), dt.date(2001, 1, 19), dt.date(2001, 2, 3)}
RETIREMENTS = {"Darnoux": (dt.date(2000, 11, 21), "Abandon - démâtage"),
               "Quivrac": (dt.date(2000, 12, 19), "Abandon - avarie de quille"),
               "Baudrinec": (dt.date(2001, 1, 9), "Abandon - safran cassé")}
START_HARBOUR = ("46.30", "1.47")
STOP_BOAT, STOP_HARBOUR = "Marvelle", ("-22.55", "43.10")
STOP_DAYS = {dt.date(2000, 12, 5), dt.date(2000, 12, 6), dt.date(2000, 12, 7)}
HARBOUR_RADIUS = 30.0    # miles round a harbour where tracks may touch the coast
OPEN_SEA = 600.0         # miles from the start and the finish


def dd(text):
    """Decimal degrees of a DD.MM text."""
    neg = text.startswith("-")
    d, _, m = text.lstrip("-").partition(".")
    v = int(d) + (int(m) if m else 0) / 60
    return -v if neg else v


def vec(lat, lon_w):
    p, l = math.radians(lat), math.radians(-lon_w)
    return (math.cos(p) * math.cos(l), math.cos(p) * math.sin(l), math.sin(p))


def dot(a, b):
    return sum(x * y for x, y in zip(a, b))


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def miles(a, b):
    return math.degrees(math.acos(max(-1.0, min(1.0, dot(vec(*a), vec(*b)))))) * 60


def read_lines(path):
    with open(path, "rb") as f:
        raw = f.read()
    text = raw.decode("cp1252")
    if not raw.endswith(b"\r\n") or b"\n" in raw.replace(b"\r\n", b""):
        raise AssertionError(f"{path}: lines not ended by CR LF")
    return text.split("\r\n")[:-1]


def read_day(path):
    """Header and per entrant blocks (dicts) of one day file."""
    lines = read_lines(path)
    body = lines[4:]
    if len(body) % 9:
        raise AssertionError(f"{path}: entrant blocks of other than nine lines")
    blocks = []
    for i in range(0, len(body), 9):
        b = body[i:i + 9]
        blocks.append({"rank": b[0], "boat": b[1], "name": b[1][b[1].index("(") + 1:-1],
                       "status": b[2], "lat_txt": b[3], "lon_txt": b[4],
                       "lat": dd(b[3]), "lon": dd(b[4]), "dist": float(b[5]),
                       "course": int(b[6]), "speed": float(b[7]), "tail": b[8]})
    return lines[:4], blocks


def read_archive(folder):
    days = {}
    for n in os.listdir(folder):
        if len(n) == 10 and n[:6].isdigit() and n.endswith(".txt"):
            date = dt.date(2000 + int(n[4:6]), int(n[2:4]), int(n[0:2]))
            days[date] = read_day(os.path.join(folder, n))[1]
    return days


def read_route(folder):
    rows = read_lines(os.path.join(folder, "FIMPV.txt"))
    return [(dd(rows[i + 1]), dd(rows[i + 2])) for i in range(0, len(rows), 3)]


class Legs:
    """The route's great-circle legs, for cross-track distances."""

    def __init__(self, points):
        self.w = [vec(*p) for p in points]
        self.pole = []
        for a, b in zip(self.w, self.w[1:]):
            c = cross(a, b)
            r = math.sqrt(dot(c, c))
            self.pole.append(tuple(x / r for x in c))
        self.length = [math.acos(dot(a, b)) for a, b in zip(self.w, self.w[1:])]
        self.total = sum(self.length) * 3437.747

    def nearest(self, pos, first):
        """(leg, signed cross-track miles to port, miles along the route) of
        the nearest leg among the few from `first` on."""
        q = vec(*pos)
        best = None
        for k in range(first, min(first + 3, len(self.pole))):
            xt = math.asin(max(-1.0, min(1.0, dot(q, self.pole[k]))))
            along = math.atan2(dot(cross(self.w[k], q), self.pole[k]), dot(self.w[k], q))
            a = max(0.0, min(self.length[k], along))
            # distance to the nearest point of the leg
            p = self._at(k, a)
            d = math.acos(max(-1.0, min(1.0, dot(q, p))))
            if best is None or d < best[0] - 1e-9:
                best = (d, k, xt * 3437.747, (sum(self.length[:k]) + a) * 3437.747)
        return best[1:]

    def _at(self, k, a):
        wa, ang = self.w[k], self.length[k]
        wb = self.w[k + 1]
        ka, kb = math.sin(ang - a) / math.sin(ang), math.sin(a) / math.sin(ang)
        return tuple(ka * x + kb * y for x, y in zip(wa, wb))


def run_simulator(folder):
    subprocess.run([sys.executable, SIMULATOR, folder], check=True, stdout=subprocess.DEVNULL)


def lateral_spreads(days, legs):
    """Per day, the offsets (cross-track miles) of the boats racing in open
    sea, following each boat leg by leg (the boat that stops is left out:
    it is far off the course on purpose)."""
    leg = {}
    out = {}
    for date in sorted(days):
        offsets = []
        for b in days[date]:
            if not b["status"].startswith("le ") or b["name"] == STOP_BOAT:
                continue
            k, xt, along = legs.nearest((b["lat"], b["lon"]), leg.get(b["name"], 0))
            leg[b["name"]] = k
            if OPEN_SEA <= along <= legs.total - OPEN_SEA:
                offsets.append(xt)
        out[date] = offsets
    return out


class SimulatorTest(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.TemporaryDirectory()
        cls.out = os.path.join(cls.tmp.name, "a")
        run_simulator(cls.out)
        cls.days = read_archive(cls.out)
        cls.mask = masque.Masque()
        cls.legs = Legs(read_route(cls.out))

    @classmethod
    def tearDownClass(cls):
        cls.tmp.cleanup()

    def test_days_and_missing_days(self):
        expected, d = set(), FIRST_DAY
        while d <= LAST_DAY:
            if d not in MISSING:
                expected.add(d)
            d += dt.timedelta(days=1)
        self.assertEqual(set(self.days), expected)
        self.assertEqual(len(self.days), 115)

    def test_land_mask(self):
        for place, lat, lon in [("Paris", 48.85, -2.35), ("Sahara", 23.0, -10.0),
                                ("Antarctica", -80.0, 0.0), ("Kerguelen", -49.3, -69.5),
                                ("Trindade", -20.57, 29.33), ("Diego Ramírez", -56.48, 68.72),
                                ("Tristan da Cunha", -37.1, 12.3), ("Fiji", -16.5, -179.5)]:
            self.assertTrue(self.mask.land(lat, lon), place)
        for place, lat, lon in [("North Atlantic", 40.0, 40.0), ("South Pacific", -50.0, 120.0),
                                ("Indian Ocean", -40.0, -70.0), ("Caspian Sea", 42.0, -50.5),
                                ("Bay of Biscay", 45.5, 4.0)]:
            self.assertFalse(self.mask.land(lat, lon), place)

    def test_route_and_harbour(self):
        rows = read_lines(os.path.join(self.out, "FIMPV.txt"))
        self.assertEqual(rows[0], "Port-Brévalec")
        self.assertEqual(rows[-3], "Port-Brévalec")
        self.assertEqual((rows[1], rows[2]), START_HARBOUR)
        self.assertEqual((rows[-2], rows[-1]), START_HARBOUR)
        marks = read_lines(os.path.join(self.out, "lstmp.txt"))
        self.assertEqual(marks[:3], ["Départ - Arrivée", *START_HARBOUR])

    def test_format_and_statuses(self):
        for date, blocks in sorted(self.days.items()):
            header, _ = read_day(os.path.join(self.out, f"{date:%d%m%y}.txt"))
            self.assertEqual(header[1], f"Classement du {date:%d/%m/%Y} à 20h00 UTC")
            self.assertEqual(len(blocks), 24)
            self.assertEqual(len({b["name"] for b in blocks}), 24)
            for b in blocks:
                self.assertEqual(b["tail"], "2D-3D")
                self.assertTrue(0 <= b["speed"] <= 18, (date, b["name"]))
                retired = RETIREMENTS.get(b["name"])
                if retired and date >= retired[0]:
                    self.assertEqual(b["status"], retired[1], (date, b["name"]))
                else:
                    self.assertFalse(b["status"].startswith("Abandon"), (date, b["name"]))
        last = self.days[LAST_DAY]
        self.assertEqual(sum(b["status"].startswith("Arrivé le ") for b in last), 21)
        self.assertTrue(any(b["status"].startswith(f"Arrivé le {LAST_DAY:%d/%m/%Y}") for b in last))
        # The ranked boats at sea come in order of their distance.
        for date, blocks in self.days.items():
            sailing = [b for b in blocks if b["status"].startswith("le ") and b["rank"] != "NC"]
            dists = [b["dist"] for b in sailing]
            if sailing and sailing[0]["rank"] == "1":
                dists = dists[1:]
            self.assertEqual(dists, sorted(dists), date)

    def test_fixes_and_tracks_at_sea(self):
        harbours = [(dd(START_HARBOUR[0]), dd(START_HARBOUR[1])),
                    (dd(STOP_HARBOUR[0]), dd(STOP_HARBOUR[1]))]

        def near_harbour(p):
            return any(miles(p, h) < HARBOUR_RADIUS for h in harbours)

        last = {}
        for date in sorted(self.days):
            for b in self.days[date]:
                if b["rank"] == "NC" and b["name"] == STOP_BOAT:
                    self.assertEqual((b["lat_txt"], b["lon_txt"]), STOP_HARBOUR)
                    pos = harbours[1]
                elif b["status"].startswith("le "):
                    pos = (b["lat"], b["lon"])
                    self.assertFalse(self.mask.land(*pos), (date, b["name"], pos))
                else:
                    last.pop(b["name"], None)
                    continue
                prev = last.get(b["name"])
                if prev:
                    # The straight line between two fixes stays at sea.
                    n = max(1, int(miles(prev, pos) / 3))
                    dlon = (pos[1] - prev[1] + 180) % 360 - 180  # across the antimeridian
                    for k in range(n + 1):
                        f = k / n
                        p = (prev[0] + (pos[0] - prev[0]) * f, prev[1] + dlon * f)
                        if not near_harbour(p):
                            self.assertFalse(self.mask.land(*p), (date, b["name"], p))
                last[b["name"]] = pos

    def test_lateral_spread(self):
        spreads = {d: max(o) - min(o) for d, o in lateral_spreads(self.days, self.legs).items()
                   if len(o) >= 8}
        self.assertGreater(len(spreads), 60)
        for date, s in spreads.items():
            self.assertTrue(20 <= s <= 600, (date, s))
        self.assertTrue(80 <= statistics.median(spreads.values()) <= 400)

    def test_technical_stop_in_harbour(self):
        seen = set()
        for date, blocks in self.days.items():
            b = next(b for b in blocks if b["name"] == STOP_BOAT)
            if b["rank"] == "NC":
                seen.add(date)
                self.assertEqual((b["lat_txt"], b["lon_txt"]), STOP_HARBOUR)
                self.assertEqual(b["speed"], 0.0)
        self.assertEqual(seen, STOP_DAYS)
        harbour = (dd(STOP_HARBOUR[0]), dd(STOP_HARBOUR[1]))
        before = next(b for b in self.days[dt.date(2000, 12, 4)] if b["name"] == STOP_BOAT)
        after = next(b for b in self.days[dt.date(2000, 12, 9)] if b["name"] == STOP_BOAT)
        self.assertLess(miles((before["lat"], before["lon"]), harbour), 80)
        self.assertTrue(50 < miles((after["lat"], after["lon"]), harbour) < 500)
        self.assertGreater(before["speed"], 0)
        self.assertGreater(after["speed"], 0)

    def test_deterministic(self):
        again = os.path.join(self.tmp.name, "b")
        run_simulator(again)
        names = sorted(os.listdir(self.out))
        self.assertEqual(names, sorted(os.listdir(again)))
        for n in names:
            with open(os.path.join(self.out, n), "rb") as f1, open(os.path.join(again, n), "rb") as f2:
                self.assertEqual(f1.read(), f2.read(), n)

    def test_bundled_archive_is_up_to_date(self):
        for n in sorted(os.listdir(self.out)):
            with open(os.path.join(self.out, n), "rb") as f1, open(os.path.join(BUNDLED, n), "rb") as f2:
                self.assertEqual(f1.read(), f2.read(), f"data/{n} differs: rerun the simulator")


if __name__ == "__main__":
    unittest.main()
