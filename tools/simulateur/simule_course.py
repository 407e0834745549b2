#!/usr/bin/env python3
"""Race simulator: writes the bundled race archive of Orvalis.

24 invented entrants sail round the world from Port-Brévalec, hour by hour,
from 10 November 2000 13:00 UTC, at speeds that vary plausibly (6-18 knots:
slow in the doldrums, fast in the Southern Ocean). The course is a list of
waypoints joined by great circles, but no boat sails it exactly: each one
holds its own lateral offset from it, drifting towards the side it picks
for every weather system it meets, so the fleet spreads over tens to a few
hundred miles. A land mask (masque_terres.bin, see fabrique_masque.py)
keeps every boat off land and clear of capes and islands. Every evening's
fix (20:00 UTC) becomes one day file DDMMYY.txt, in the format the ranking
update writes: a few header lines, then for each entrant the nine lines
rank, "Boat (Skipper)", status, latitude, longitude (DD.MM, West positive),
distance, course, speed, "2D-3D". Also writes lstmp.txt, lstlieux.txt and
FIMPV.txt. Deterministic (fixed seed).

Usage: simule_course.py OUTPUT_DIR
"""
import bisect
import datetime as dt
import math
import os
import random
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.dont_write_bytecode = True  # keep the source folder clean
import masque  # noqa: E402

SEED = 20001110
START = dt.datetime(2000, 11, 10, 13, 0)
LAST_ALLOWED = dt.date(2001, 4, 15)
FIX_HOUR = 20
# Days left out of the archive (never in the first week).
MISSING = {dt.date(2000, 11, 25), dt.date(2000, 12, 8), dt.date(2000, 12, 24),
           dt.date(2001, 1, 1), dt.date(2001, 1, 19), dt.date(2001, 2, 3)}

# (surname, boat) in the alphabetical order of the surnames.
ENTRANTS = [
    ("Arvelin", "Goéland Céleste"), ("Baudrinec", "Ondine Bleue"),
    ("Bocquarel", "Pointe du Large"), ("Cadorien", "Vent d'Azur"),
    ("Corvelle", "Marée Haute"), ("Darnoux", "Étoile du Ponant"),
    ("Esquilan", "Cap au Large"), ("Fauvrelin", "Brise Océane"),
    ("Gaudrivel", "Sillage d'Argent"), ("Hervadic", "Albatros Errant"),
    ("Jolimert", "Houle Blanche"), ("Kervanec", "Rêve d'Écume"),
    ("Lammorin", "Grand Largue"), ("Le Bravic", "Phare du Monde"),
    ("Marvelle", "Coquillage"), ("Nodarin", "Nordet"),
    ("Oresquin", "Aube Marine"), ("Pellevin", "Sel de Lune"),
    ("Quivrac", "Quart de Nuit"), ("Ravenaud", "Bel Ouvrage"),
    ("Sauvrelin", "Alizé Rouge"), ("Tourmalec", "Tourmente"),
    ("Valmorin", "Lame de Fond"), ("Yvrenec", "Écume des Caps"),
]
# Retirements: surname -> (date, status).
RETIREMENTS = {
    "Darnoux": (dt.datetime(2000, 11, 21, 7), "Abandon - démâtage"),
    "Quivrac": (dt.datetime(2000, 12, 19, 15), "Abandon - avarie de quille"),
    "Baudrinec": (dt.datetime(2001, 1, 9, 2), "Abandon - safran cassé"),
}
# Start and finish harbour (invented), name, latitude, longitude West positive.
HARBOUR = ("Port-Brévalec", 46.5, 1.0 + 47 / 60)
# The harbour of the technical stop (real), name, latitude, longitude W+.
STOP_HARBOUR = ("Rio de Janeiro", -(22 + 55 / 60), 43 + 10 / 60)
# A technical stop: surname -> the stop (unranked "NC" meanwhile). The boat
# diverts so as to reach the harbour when the stop begins, by the approach
# points, moors, then leaves by the same points and rejoins the course
# `rejoin` miles of route ahead of the harbour.
STOPS = {"Marvelle": {
    "from": dt.datetime(2000, 12, 5, 0), "to": dt.datetime(2000, 12, 8, 12),
    "harbour": STOP_HARBOUR,
    "approach": [(-(24 + 30 / 60), 42.5), (-(23 + 2 / 60), 43 + 8 / 60)],
    "rejoin": 900.0}}

# Route waypoints (name, latitude, longitude West positive), decimal degrees.
ROUTE = [
    HARBOUR, ("Large du cap Finisterre", 43.0, 10.5),
    ("Ouest de Madère", 28.0, 22.0), ("Ouest du Cap-Vert", 15.0, 27.0),
    ("Equateur aller", 0.0, 28.0), ("Est de Trindade", -20.0, 28.0),
    ("Atlantique Sud", -38.0, 10.0), ("Sud de Bonne-Espérance", -42.0, -20.0),
    ("Crozet", -45.5, -50.0), ("Nord des Kerguelen", -48.0, -70.0),
    ("Sud de Leeuwin", -46.0, -115.0), ("Sud de la Tasmanie", -48.0, -147.0),
    ("Sud de la Nouvelle-Zélande", -50.0, -170.0), ("Pacifique Sud ouest", -55.0, 150.0),
    ("Pacifique Sud est", -57.0, 110.0), ("Sud du cap Horn", -57.0, 67.25),
    ("Est des Malouines", -50.0, 50.0), ("Atlantique Sud retour", -35.0, 40.0),
    ("Large du Brésil", -15.0, 32.0), ("Equateur retour", 0.0, 30.0),
    ("Ouest des Açores", 30.0, 35.0), ("Approche du golfe de Gascogne", 44.0, 12.0),
    HARBOUR,
]

# Course marks (name, lat, lon W+): start and finish, the great capes, two gates.
MARKS = [
    ("Départ - Arrivée", HARBOUR[1], HARBOUR[2]),
    ("Cap de Bonne-Espérance", -(34 + 21 / 60), -(18 + 28 / 60)),
    ("Cap Leeuwin", -(34 + 22 / 60), -(115 + 8 / 60)),
    ("Cap Horn", -(55 + 59 / 60), 67 + 16 / 60),
    ("P.V. Crozet", -45.5, -50.0),
    ("P.V. Pacifique", -55.0, 150.0),
]

# Places (name, lat, lon W+, label to the right of a point?).
PLACES = [
    ("Ouessant", 48 + 28 / 60, 5 + 5 / 60, True),
    ("Cap Finisterre", 42 + 53 / 60, 9 + 16 / 60, True),
    ("Madère", 32 + 45 / 60, 17, False),
    ("Canaries", 28 + 20 / 60, 15 + 40 / 60, False),
    ("Açores", 38 + 30 / 60, 28, False),
    ("Cap-Vert", 16, 24, False),
    ("Fernando de Noronha", -(3 + 51 / 60), 32 + 25 / 60, True),
    ("Trindade", -(20 + 31 / 60), 29 + 19 / 60, True),
    ("Tristan da Cunha", -(37 + 7 / 60), 12 + 17 / 60, True),
    ("Gough", -(40 + 19 / 60), 9 + 56 / 60, True),
    ("Crozet", -(46 + 25 / 60), -(51 + 50 / 60), False),
    ("Kerguelen", -(49 + 20 / 60), -(69 + 30 / 60), False),
    ("Heard", -(53 + 6 / 60), -(73 + 31 / 60), True),
    ("Amsterdam", -(37 + 50 / 60), -(77 + 33 / 60), True),
    ("Saint-Paul", -(38 + 43 / 60), -(77 + 31 / 60), True),
    ("Tasmanie", -(42 + 0 / 60), -(146 + 35 / 60), False),
    ("Auckland", -(50 + 42 / 60), -(166 + 5 / 60), True),
    ("Campbell", -(52 + 33 / 60), -(169 + 9 / 60), True),
    ("Chatham", -(44), 176 + 30 / 60, True),
    ("Nouvelle-Zélande", -(42), -(172), False),
    ("Diego Ramirez", -(56 + 29 / 60), 68 + 43 / 60, True),
    ("Malouines", -(51 + 45 / 60), 59, False),
    ("Géorgie du Sud", -(54 + 15 / 60), 36 + 45 / 60, False),
    ("Cap Frio", -(22 + 53 / 60), 42, True),
    STOP_HARBOUR + (True,),
]

MILES_PER_RAD = 60 * 180 / math.pi

# Routing: each boat sails at its own lateral offset from the theoretical
# route (miles, positive to port). The offset drifts towards a target the
# boat picks for every weather system it meets; a weather system covers a
# stretch of the course (ZONE_MILES) for a spell of time (SPELL_HOURS).
ZONE_MILES = (400, 1100)
SPELL_HOURS = (40, 110)
TAU_HOURS = 18.0          # time constant of the drift towards the target
MAX_DRIFT_DEG = 25.0      # largest angle between heading and route when drifting
FAVOURED_GAIN = 0.08      # speed edge of the boats on a system's favoured side
MAX_OFFSET = 400.0        # miles either side of the route
LAND_MARGIN = 12.0        # miles never to come closer to land (at sea)
SEA_ROOM = 30.0           # miles a boat keeps from land when it has the room
HARBOUR_MILES = 40.0      # boats keep to the route this close to the start/finish
COASTAL_MILES = 150.0     # and need no more than LAND_MARGIN this close
CHORD_STEP = 3.0          # miles between the points of a track line checked for land
CHORD_GATE, CHORD_GATE_STEP = 60.0, 100.0  # a line this far from land needs no check
BERTH_STEP, BERTH_MAX = 5.0, 80.0  # offset changes tried to keep a track line at sea
PACE = 1.030              # scale of every boat's speed (puts the last finish on 10 March)
DIVERT_KNOTS = 9.5        # a stopping boat diverts when the harbour is this far in time
SOUTH_LIMIT = -60.0       # ice limit: no boat south of it
SLOPE = 0.3               # offset change allowed per mile of route (look-ahead)
BAND_STEP = 10.0          # miles between the samples of the navigable band
LANE_STEP, LANE_GRID = 40.0, 10.0  # lane nodes along the route, offsets tried
LANE_MAX = 200.0          # largest detour of the lane
ROOM_PENALTY = 200.0      # lane cost of a node short of SEA_ROOM, in miles of offset
BLEND_MILES = 300.0       # half-width of the turn smoothing at route waypoints
TAPER_MILES = 600.0       # the fleet fans out / closes in over this distance


def vec(lat, lon_w):
    """Unit vector of a (lat, lonW) position."""
    p, l = math.radians(lat), math.radians(-lon_w)
    return (math.cos(p) * math.cos(l), math.cos(p) * math.sin(l), math.sin(p))


def latlon(v):
    """(lat, lonW) of a vector, longitude in (-180, 180]."""
    x, y, z = v
    lat = math.degrees(math.atan2(z, math.hypot(x, y)))
    lon_w = -math.degrees(math.atan2(y, x))
    if lon_w <= -180:
        lon_w += 360
    return (lat, lon_w + 0.0)


def dot(a, b):
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def unit(a):
    r = math.sqrt(dot(a, a))
    return (a[0] / r, a[1] / r, a[2] / r)


def gc_dist(a, b):
    """Great-circle distance in miles between (lat, lonW) in degrees."""
    p1, l1, p2, l2 = (math.radians(v) for v in (a[0], -a[1], b[0], -b[1]))
    c = math.sin(p1) * math.sin(p2) + math.cos(p1) * math.cos(p2) * math.cos(l2 - l1)
    return math.degrees(math.acos(max(-1.0, min(1.0, c)))) * 60


def gc_course(a, b):
    """Initial true course in degrees from a to b."""
    p1, l1, p2, l2 = (math.radians(v) for v in (a[0], -a[1], b[0], -b[1]))
    y = math.sin(l2 - l1) * math.cos(p2)
    x = math.cos(p1) * math.sin(p2) - math.sin(p1) * math.cos(p2) * math.cos(l2 - l1)
    return math.degrees(math.atan2(y, x)) % 360


def gc_move(a, b, miles):
    """Position `miles` along the great circle from a towards b."""
    d = gc_dist(a, b)
    if d < 1e-9 or miles >= d:
        return b
    va, vb = vec(*a), vec(*b)
    delta = d / MILES_PER_RAD
    f = miles / d
    ka, kb = math.sin((1 - f) * delta) / math.sin(delta), math.sin(f * delta) / math.sin(delta)
    return latlon(tuple(ka * p + kb * q for p, q in zip(va, vb)))


def ddmm(v):
    """DD.MM text with whole minutes, sign kept (46.5 -> 46.30)."""
    s = "-" if v < 0 else ""
    a = abs(v)
    d = int(a)
    m = round((a - d) * 60)
    if m == 60:
        d, m = d + 1, 0
    if d == 0 and m == 0:
        s = ""
    return f"{s}{d}.{m:02d}"


class Route:
    """The theoretical route as a frame: a position is (s, o), s the miles
    along the route from the start, o the miles to port of it, measured along
    the great circle square to the route. Near each waypoint the square
    direction turns gradually (over BLEND_MILES either side) so that a boat
    keeping its offset sails a smooth curve round the turn."""

    def __init__(self, points):
        self.w = [vec(la, lo) for _, la, lo in points]
        n = len(self.w) - 1
        self.ang = [math.acos(max(-1.0, min(1.0, dot(self.w[k], self.w[k + 1])))) for k in range(n)]
        self.pole = [unit(cross(self.w[k], self.w[k + 1])) for k in range(n)]
        self.start = [0.0]
        for a in self.ang:
            self.start.append(self.start[-1] + a * MILES_PER_RAD)
        self.length = self.start[-1]
        self.blend = [0.0] + [min(BLEND_MILES, 0.45 * self.ang[k - 1] * MILES_PER_RAD,
                                  0.45 * self.ang[k] * MILES_PER_RAD) for k in range(1, n)] + [0.0]

    def leg(self, s):
        """Index of the leg holding s."""
        return max(0, min(len(self.ang) - 1, bisect.bisect_right(self.start, s) - 1))

    def axis(self, s):
        """Point of the route at s and the unit vector square to it, to port."""
        s = max(0.0, min(self.length, s))
        k = self.leg(s)
        a = (s - self.start[k]) / MILES_PER_RAD
        wa, wb, ang = self.w[k], self.w[k + 1], self.ang[k]
        ka, kb = math.sin(ang - a) / math.sin(ang), math.sin(a) / math.sin(ang)
        p = (ka * wa[0] + kb * wb[0], ka * wa[1] + kb * wb[1], ka * wa[2] + kb * wb[2])
        n = self.pole[k]
        before, after = s - self.start[k], self.start[k + 1] - s
        if before < self.blend[k]:
            f = 0.5 * (1 - before / self.blend[k])
            m = self.pole[k - 1]
            n = tuple((1 - f) * u + f * v for u, v in zip(n, m))
        elif after < self.blend[k + 1]:
            f = 0.5 * (1 - after / self.blend[k + 1])
            m = self.pole[k + 1]
            n = tuple((1 - f) * u + f * v for u, v in zip(n, m))
        d = dot(n, p)
        n = unit((n[0] - d * p[0], n[1] - d * p[1], n[2] - d * p[2]))
        return p, n

    def vector(self, s, o):
        p, n = self.axis(s)
        d = o / MILES_PER_RAD
        c, si = math.cos(d), math.sin(d)
        return (c * p[0] + si * n[0], c * p[1] + si * n[1], c * p[2] + si * n[2])

    def position(self, s, o):
        return latlon(self.vector(s, o))

    def along(self, q, s):
        """Signed component of q ahead of the frame's square line at s."""
        p, n = self.axis(s)
        return dot(q, cross(n, p))

    def locate(self, pos, hint):
        """Route coordinate s of a position (the inverse of the frame), looked
        for from hint outwards; used for a boat off the frame (a diversion)."""
        q = vec(*pos)
        a, step = hint, 20.0
        ga = self.along(q, a)
        direction = 1 if ga > 0 else -1
        while True:
            b = max(0.0, min(self.length, a + direction * step))
            gb = self.along(q, b)
            if b in (0.0, self.length) or (gb > 0) != (ga > 0):
                break
            a, ga = b, gb
        if (gb > 0) == (ga > 0):
            return b
        for _ in range(30):
            m = 0.5 * (a + b)
            gm = self.along(q, m)
            if (gm > 0) == (ga > 0):
                a, ga = m, gm
            else:
                b = m
        return 0.5 * (a + b)


ROUTE_FRAME = Route(ROUTE)


def navigable(pos, mask, margin):
    return pos[0] >= SOUTH_LIMIT and mask.clear(pos[0], pos[1], margin)


def lane(route, mask, gates):
    """The centre line boats sail about, as offsets at every LANE_STEP miles
    of route: the route itself where it has SEA_ROOM, else a smooth detour
    (at most one LANE_GRID a node) to seaward of the capes and islands it
    passes too close. Least total offset, each node short of SEA_ROOM
    counting as ROOM_PENALTY miles; never within LAND_MARGIN of land."""
    count = int(math.ceil(route.length / LANE_STEP)) + 1
    width = int(LANE_MAX / LANE_GRID)
    offsets = [k * LANE_GRID for k in range(-width, width + 1)]
    inf = float("inf")
    cost_prev, back = None, []
    for i in range(count):
        s = min(route.length, i * LANE_STEP)
        end = s < HARBOUR_MILES or s > route.length - HARBOUR_MILES
        room = LAND_MARGIN if s < COASTAL_MILES or s > route.length - COASTAL_MILES else SEA_ROOM
        cost = []
        for o in offsets:
            if end and o != 0:
                cost.append(inf)
                continue
            p = route.position(s, o)
            if not navigable(p, mask, LAND_MARGIN) and not end:
                cost.append(inf)
            else:
                cost.append(abs(o) + (0.0 if end or navigable(p, mask, room) else ROOM_PENALTY))
        for k, port_north in gates:
            if abs(route.start[k] - s) < LANE_STEP / 2:
                for j, o in enumerate(offsets):
                    if (o < 0) if port_north else (o > 0):
                        cost[j] = inf
        if cost_prev is not None:
            step_back = []
            for j in range(len(offsets)):
                best, arg = inf, j
                for jj in (j - 1, j, j + 1):
                    if 0 <= jj < len(offsets) and cost_prev[jj] < best:
                        best, arg = cost_prev[jj], jj
                cost[j] += best
                step_back.append(arg)
            back.append(step_back)
        cost_prev = cost
    j = min(range(len(offsets)), key=lambda jj: (cost_prev[jj], abs(offsets[jj])))
    path = [j]
    for step_back in reversed(back):
        j = step_back[j]
        path.append(j)
    return [offsets[j] for j in reversed(path)]


def raw_band(route, mask, s, room, c):
    """Offsets (lo, hi) allowed at s about the lane's offset c: the stretch
    round c of points at least `room` from land (LAND_MARGIN if c itself has
    less) and north of the ice limit."""
    p = route.position(s, c)
    if not navigable(p, mask, room):
        room = LAND_MARGIN
        if not navigable(p, mask, room):
            return c, c
    bounds = []
    for side in (1, -1):
        o = c
        while abs(o + side * BAND_STEP) <= MAX_OFFSET and \
                navigable(route.position(s, o + side * BAND_STEP), mask, room):
            o += side * BAND_STEP
        bounds.append(o)
    return bounds[1], bounds[0]


def navigable_band(route, mask):
    """For samples every BAND_STEP miles along the route, the offsets (lo, hi)
    a boat may take there: the stretch of sea round the lane (see lane and
    raw_band), SEA_ROOM from land where there is room, LAND_MARGIN in the
    coastal waters round the start and the finish. At a course gate, only
    its north side is allowed. Each bound changes by at most SLOPE per mile,
    so a boat closing in on a cape or an island has already moved over when
    it gets there. Near the start and the finish the boats keep to the
    route."""
    gates = []
    for k, (_, la, lo_) in enumerate(ROUTE):
        if any(n.startswith("P.V.") and (la, lo_) == (ma, mo) for n, ma, mo in MARKS):
            p, n = route.axis(route.start[k])
            gates.append((k, n[2] > 0))
    centre = lane(route, mask, gates)
    count = int(math.ceil(route.length / BAND_STEP)) + 1
    lane_at = []
    lo, hi = [0.0] * count, [0.0] * count
    for i in range(count):
        s = min(route.length, i * BAND_STEP)
        if s < HARBOUR_MILES or s > route.length - HARBOUR_MILES:
            lane_at.append(0.0)
            continue
        f = s / LANE_STEP
        j = min(int(f), len(centre) - 2)
        c = centre[j] + (centre[j + 1] - centre[j]) * (f - j)
        room = LAND_MARGIN if s < COASTAL_MILES or s > route.length - COASTAL_MILES else SEA_ROOM
        lo[i], hi[i] = raw_band(route, mask, s, room, c)
        lane_at.append(c)
    for k, port_north in gates:
        i = round(route.start[k] / BAND_STEP)
        if port_north:
            lo[i] = max(lo[i], 0.0)
        else:
            hi[i] = min(hi[i], 0.0)
    step = SLOPE * BAND_STEP
    for rng in (range(1, count), range(count - 2, -1, -1)):
        for i in rng:
            j = i - 1 if rng.step == 1 else i + 1
            hi[i] = min(hi[i], hi[j] + step)
            lo[i] = max(lo[i], lo[j] - step)
    for i in range(count):
        if lo[i] > hi[i]:
            raise ValueError(f"no navigable offset {i * BAND_STEP:.0f} miles down the route")
    return lo, hi, lane_at


def band_at(band, s):
    """(lo, hi, lane offset) at s: the narrower of the two samples about s."""
    lo, hi, centre = band
    i = max(0, min(len(lo) - 2, int(s / BAND_STEP)))
    return max(lo[i], lo[i + 1]), min(hi[i], hi[i + 1]), centre[i]


def target_offset(course, b, s, sys_):
    """The offset a boat heads for in a weather system, and the system's
    favoured offset there. Choices are about the lane, moved as a whole
    (by up to the system's scale) away from a near side of the band so that
    a cape or an island does not pin half the fleet to its edge."""
    route, systems = course.route, course.systems
    taper = max(0.0, min(1.0, s / TAPER_MILES, (route.length - s) / TAPER_MILES))
    lo, hi, c = band_at(course.band, s)
    scale = sys_["scale"] * taper
    if hi - lo >= 2 * scale:
        centre = max(lo + scale, min(hi - scale, c))
    else:
        centre = 0.5 * (lo + hi)
    target = centre + taper * systems.choice(sys_, b["name"]) * b["style"]
    return max(lo, min(hi, target)), centre + taper * sys_["favoured"]


def spread_scale(lat):
    """Typical spread (miles, one standard deviation) of the routing choices."""
    if -8 <= lat <= 8:
        return 70.0      # where to cross the doldrums
    if lat <= -40:
        return 110.0     # Southern Ocean depressions
    if lat <= -30:
        return 90.0      # round the South Atlantic high
    if lat >= 35:
        return 80.0
    return 60.0          # trade winds


class Weather:
    """Weather systems: the course is cut into zones and time into spells;
    each (zone, spell) pair is one system, with a fleet-wide lean (the side
    most of the fleet favours), a favoured offset (where the wind is best)
    and for each boat its own choice around the lean."""

    def __init__(self, length):
        rnd = random.Random(SEED + 1)
        self.zones = [0.0]
        while self.zones[-1] < length:
            self.zones.append(self.zones[-1] + rnd.uniform(*ZONE_MILES))
        self.spells = [0.0]
        while self.spells[-1] < 24 * 160:
            self.spells.append(self.spells[-1] + rnd.uniform(*SPELL_HOURS))
        self.systems = {}

    def system(self, s, hours, route):
        """The system met at s miles down the route, `hours` after the start."""
        key = (bisect.bisect_right(self.zones, s) - 1, bisect.bisect_right(self.spells, hours) - 1)
        sys_ = self.systems.get(key)
        if sys_ is None:
            rnd = random.Random(f"{SEED}/{key[0]}/{key[1]}")
            mid = 0.5 * (self.zones[key[0]] + self.zones[key[0] + 1])
            scale = spread_scale(route.position(mid, 0.0)[0])
            sys_ = self.systems[key] = {"key": key, "scale": scale,
                                        "lean": rnd.gauss(0, 0.7 * scale),
                                        "favoured": rnd.gauss(0, scale), "choices": {}}
        return sys_

    def choice(self, sys_, name):
        """A boat's offset choice in a system (before its own style)."""
        choices = sys_["choices"]
        if name not in choices:
            key = sys_["key"]
            rnd = random.Random(f"{SEED}/{key[0]}/{key[1]}/{name}")
            choices[name] = sys_["lean"] + rnd.gauss(0, sys_["scale"])
        return choices[name]


def base_speed(lat):
    if -5 <= lat <= 7:
        return 6.5       # doldrums
    if lat <= -40:
        return 12.5      # Southern Ocean
    if lat <= -35:
        return 11.0
    if lat >= 35:
        return 9.0
    return 10.0          # trade winds


def path_length(pos, path):
    total, here = 0.0, pos
    for p in path:
        total += gc_dist(here, p)
        here = p
    return total


def sail_path(b, path, miles):
    """Moves a boat `miles` along a list of positions; True when it got to the end."""
    while miles > 1e-9 and path:
        d = gc_dist(b["pos"], path[0])
        if d <= miles:
            if d > 1e-6:
                b["course"] = gc_course(b["pos"], path[0])
            b["pos"] = path.pop(0)
            miles -= d
        else:
            b["course"] = gc_course(b["pos"], path[0])
            b["pos"] = gc_move(b["pos"], path[0], miles)
            miles = 0
    return not path


class Course:
    """What the boats sail on: the route frame, its navigable band, the
    weather systems and the land mask."""

    def __init__(self):
        self.mask = masque.Masque()
        self.route = ROUTE_FRAME
        self.band = navigable_band(self.route, self.mask)
        self.systems = Weather(self.route.length)

    def chord_clear(self, a, b):
        """True when the straight line (in latitude and longitude, as a chart
        draws the track between two fixes) from a to b crosses no land."""
        d = gc_dist(a, b)
        dlon = (b[1] - a[1] + 180) % 360 - 180
        n = max(1, int(d / CHORD_GATE_STEP))
        if all(self.mask.clear(a[0] + (b[0] - a[0]) * k / n, a[1] + dlon * k / n, CHORD_GATE)
               for k in range(n + 1)):
            return True
        n = max(1, int(d / CHORD_STEP))
        return not any(self.mask.land(a[0] + (b[0] - a[0]) * k / n, a[1] + dlon * k / n)
                       for k in range(n + 1))


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    course = Course()
    rnd = random.Random(SEED)
    rnd_style = random.Random(SEED + 2)
    boats = []
    for name, boat in ENTRANTS:
        boats.append({"name": name, "boat": boat, "skill": rnd.uniform(0.80, 1.07),
                      "style": rnd_style.uniform(0.6, 1.4),
                      "pos": (ROUTE[0][1], ROUTE[0][2]), "s": 0.0, "o": 0.0, "speed": 0.0,
                      "course": 0.0, "finished": None, "retired": None, "mode": "route",
                      "fix": None})
    weather = {}
    t = START
    day_files = 0
    while True:
        # One hour of sailing.
        day = t.date()
        hours = (t - START).total_seconds() / 3600
        if day not in weather:
            region = rnd.uniform(0.85, 1.15)
            weather[day] = {b["name"]: region * rnd.uniform(0.82, 1.18) for b in boats}
        for b in boats:
            if b["finished"] or b["retired"]:
                continue
            ret = RETIREMENTS.get(b["name"])
            if ret and t >= ret[0]:
                b["retired"] = ret[1]
                continue
            v = PACE * base_speed(b["pos"][0]) * b["skill"] * weather[day][b["name"]]
            stop = STOPS.get(b["name"])
            if stop and b["mode"] == "route" and t < stop["from"]:
                hours_left = (stop["from"] - t).total_seconds() / 3600
                if path_length(b["pos"], stop_path(stop)) >= DIVERT_KNOTS * hours_left:
                    b["mode"] = "divert"
                    b["path"] = stop_path(stop)
            if b["mode"] == "route":
                route_hour(b, t, v, course, hours)
            else:
                stop_hour(b, t, v, stop, course, hours)
        t += dt.timedelta(hours=1)

        if t.hour == FIX_HOUR:
            if day not in MISSING:
                write_day(out, t, boats, course.route)
                day_files += 1
                for b in boats:
                    b["fix"] = b["pos"]
            sailing = [b for b in boats if not b["finished"] and not b["retired"]]
            if not sailing or day >= LAST_ALLOWED:
                break
    write_lists(out)
    done = sorted(b["finished"] for b in boats if b["finished"])
    print(f"{day_files} day files, last {t.date()}, first finish {done[0]:%d/%m/%Y}, "
          f"{len(done)} finishers")


def route_hour(b, t, v, course, hours):
    """One hour on the route frame: drift towards this system's choice, keep
    inside the navigable band, advance so that the boat makes good v miles.
    A boat also gives capes and islands enough berth for the line from its
    last published fix to stay at sea."""
    route, band, systems = course.route, course.band, course.systems
    s, o = b["s"], b["o"]
    sys_ = systems.system(s, hours, route)
    target, favoured = target_offset(course, b, s, sys_)
    edge = 0.5 - min(1.0, abs(o - favoured) / (2 * sys_["scale"]))
    v = max(6.0, min(18.0, v * (1 + FAVOURED_GAIN * edge)))
    drift_max = v * math.sin(math.radians(MAX_DRIFT_DEG))
    drift = max(-drift_max, min(drift_max, (target - o) / TAU_HOURS))
    o_new = o + drift
    made = math.sqrt(v * v - drift * drift)
    # Miles of the route per mile sailed at this offset (longer outside a turn).
    q0, q1 = route.vector(s, o_new), route.vector(s + made, o_new)
    ground = math.acos(max(-1.0, min(1.0, dot(q0, q1)))) * MILES_PER_RAD
    ds = made * made / ground if ground > 1e-9 else made
    s_new = s + ds
    if s_new >= route.length:
        frac = (route.length - s) / ds
        b["finished"] = t + dt.timedelta(hours=frac)
        b["s"], b["o"], b["pos"], b["speed"] = route.length, 0.0, (ROUTE[-1][1], ROUTE[-1][2]), v
        return
    lo, hi, _ = band_at(band, s_new)
    o_new = max(lo, min(hi, o_new))
    pos = route.position(s_new, o_new)
    if b["fix"] is not None and not course.chord_clear(b["fix"], pos):
        for k in range(1, int(BERTH_MAX / BERTH_STEP) + 1):
            found = False
            for o_try in (o_new + k * BERTH_STEP, o_new - k * BERTH_STEP):
                if lo <= o_try <= hi:
                    p = route.position(s_new, o_try)
                    if navigable(p, course.mask, LAND_MARGIN) and course.chord_clear(b["fix"], p):
                        o_new, pos, found = o_try, p, True
                        break
            if found:
                break
    b["course"] = gc_course(b["pos"], pos)
    b["s"], b["o"], b["pos"], b["speed"] = s_new, o_new, pos, v


def stop_path(stop):
    """Approach to the stop harbour, the harbour last."""
    return [(la, lo) for la, lo in stop["approach"]] + [stop["harbour"][1:]]


def stop_hour(b, t, v, stop, course, hours):
    """One hour of a technical stop: diverting to the harbour so as to get
    there when the stop begins, moored there, then back to the course."""
    route, band, systems = course.route, course.band, course.systems
    v = max(6.0, min(18.0, v))
    if b["mode"] == "divert":
        hours_left = (stop["from"] - t).total_seconds() / 3600
        need = path_length(b["pos"], b["path"])
        v = max(5.0, min(17.0, need / max(1.0, hours_left)))
        b["speed"] = v
        if sail_path(b, b["path"], v):
            b["mode"], b["pos"], b["speed"] = "moored", stop["harbour"][1:], 0.0
        b["s"] = route.locate(b["pos"], b["s"])
    elif b["mode"] == "moored":
        b["speed"] = 0.0
        if t >= stop["to"]:
            # Back to the course, rejoining it some way ahead of the harbour.
            s_r = b["s"] + stop["rejoin"]
            o_r, _ = target_offset(course, b, s_r, systems.system(s_r, hours, route))
            b["rejoin"] = (s_r, o_r)
            b["path"] = [p for p in reversed(stop["approach"])] + [route.position(s_r, o_r)]
            b["mode"] = "return"
    if b["mode"] == "return":
        b["speed"] = v
        if sail_path(b, b["path"], v):
            b["s"], b["o"] = b["rejoin"]
            b["mode"] = "route"
        else:
            b["s"] = route.locate(b["pos"], b["s"])


def remaining(b, route):
    """Miles to the finish along the route from the boat's position (its
    coordinate in the route frame)."""
    return route.length - b["s"]


def write_day(out, t, boats, route):
    finished = sorted((b for b in boats if b["finished"]), key=lambda b: b["finished"])
    sailing = [b for b in boats if not b["finished"] and not b["retired"]]
    stopped = [b for b in sailing if b["name"] in STOPS
               and STOPS[b["name"]]["from"] <= t <= STOPS[b["name"]]["to"]]
    racing = sorted((b for b in sailing if b not in stopped), key=lambda b: remaining(b, route))
    retired = sorted((b for b in boats if b["retired"]), key=lambda b: RETIREMENTS[b["name"]][0])
    ranked = finished + racing + retired
    leader_left = 0.0 if finished else remaining(racing[0], route)
    stamp = f"le {t:%d/%m/%Y} à {t:%H}h00"
    lines = ["Orvalis 2000 - 2001", f"Classement du {t:%d/%m/%Y} à {t:%H}h00 UTC", "",
             "Pos.  Bateau (Skipper)  Position  Distance  Cap  Vitesse"]

    def block(rank, b):
        name = f"{b['boat']} ({b['name']})"
        if b["retired"]:
            return [rank, name, b["retired"], "46.28", "1.47", "0", "0", "0", "2D-3D"]
        if b["finished"]:
            f = b["finished"]
            status = f"Arrivé le {f:%d/%m/%Y} à {f:%H}h{f:%M}"
            pos = (ROUTE[-1][1], ROUTE[-1][2])
            return [rank, name, status, ddmm(pos[0]), ddmm(pos[1]), "0.0", "0", "0.0", "2D-3D"]
        left = remaining(b, route)
        dist = left if rank == "1" else left - leader_left
        return [rank, name, stamp, ddmm(b["pos"][0]), ddmm(b["pos"][1]), f"{dist:.1f}",
                f"{round(b['course']) % 360}", f"{b['speed']:.1f}", "2D-3D"]

    for i, b in enumerate(ranked, 1):
        lines += block(str(i), b)
    for b in stopped:
        lines += block("NC", b)
    name = f"{t:%d%m%y}.txt"
    with open(os.path.join(out, name), "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp1252"))


def write_lists(out):
    def save(name, rows):
        with open(os.path.join(out, name), "wb") as f:
            f.write(("\r\n".join(rows) + "\r\n").encode("cp1252"))
    rows = []
    for n, la, lo in MARKS:
        rows += [n, ddmm(la), ddmm(lo)]
    save("lstmp.txt", rows)
    rows = []
    for n, la, lo, right in PLACES:
        rows += [n, ddmm(la), ddmm(lo), "droite" if right else "centre"]
    save("lstlieux.txt", rows)
    rows = []
    for n, la, lo in ROUTE:
        rows += [n, ddmm(la), ddmm(lo)]
    save("FIMPV.txt", rows)


if __name__ == "__main__":
    main()
