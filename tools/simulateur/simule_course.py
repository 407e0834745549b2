#!/usr/bin/env python3
"""Race simulator: writes the bundled race archive of Orvalis.

24 invented entrants sail the course's waypoints along great circles, hour
by hour, from 10 November 2000 13:00 UTC, at speeds that vary plausibly
(6-18 knots: slow in the doldrums, fast in the Southern Ocean). Every
evening's fix (20:00 UTC) becomes one day file DDMMYY.txt, in the format
the ranking update writes: a few header lines, then for each entrant the
nine lines rank, "Boat (Skipper)", status, latitude, longitude (DD.MM, West
positive), distance, course, speed, "2D-3D". Also writes lstmp.txt,
lstlieux.txt and FIMPV.txt. Deterministic (fixed seed).

Usage: simule_course.py OUTPUT_DIR
"""
import datetime as dt
import math
import os
import random
import sys

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
# A technical stop: surname -> (first day, last day); unranked ("NC") meanwhile.
STOPS = {"Marvelle": (dt.datetime(2000, 12, 5, 0), dt.datetime(2000, 12, 8, 12))}

# Route waypoints (name, latitude, longitude West positive), decimal degrees.
ROUTE = [
    ("Les Sables d'Olonne", 46.5, 1.0 + 47 / 60), ("Large du cap Finisterre", 43.0, 10.5),
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
    ("Les Sables d'Olonne", 46.5, 1.0 + 47 / 60),
]

# Course marks (name, lat, lon W+): start and finish, the great capes, two gates.
MARKS = [
    ("Départ - Arrivée", 46.5, 1.0 + 47 / 60),
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
]

R = 180 / math.pi


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
    if d < 1e-9:
        return b
    f = min(1.0, miles / d)
    p1, l1, p2, l2 = (math.radians(v) for v in (a[0], -a[1], b[0], -b[1]))
    delta = math.radians(d / 60)
    A = math.sin((1 - f) * delta) / math.sin(delta)
    B = math.sin(f * delta) / math.sin(delta)
    x = A * math.cos(p1) * math.cos(l1) + B * math.cos(p2) * math.cos(l2)
    y = A * math.cos(p1) * math.sin(l1) + B * math.cos(p2) * math.sin(l2)
    z = A * math.sin(p1) + B * math.sin(p2)
    lat = math.degrees(math.atan2(z, math.hypot(x, y)))
    lon_e = math.degrees(math.atan2(y, x))
    lon_w = -lon_e
    if lon_w <= -180:
        lon_w += 360
    return (lat, lon_w)


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


def leg_lengths():
    return [gc_dist((ROUTE[i][1], ROUTE[i][2]), (ROUTE[i + 1][1], ROUTE[i + 1][2]))
            for i in range(len(ROUTE) - 1)]


LEGS = leg_lengths()


def remaining(boat):
    nxt = boat["wp"]
    pos = boat["pos"]
    return gc_dist(pos, (ROUTE[nxt][1], ROUTE[nxt][2])) + sum(LEGS[nxt:])


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


def main():
    out = sys.argv[1]
    os.makedirs(out, exist_ok=True)
    rnd = random.Random(SEED)
    boats = []
    for name, boat in ENTRANTS:
        boats.append({"name": name, "boat": boat, "skill": rnd.uniform(0.80, 1.07),
                      "pos": (ROUTE[0][1], ROUTE[0][2]), "wp": 1, "speed": 0.0,
                      "course": 0.0, "finished": None, "retired": None})
    weather = {}
    t = START
    day_files = 0
    while True:
        # One hour of sailing.
        day = t.date()
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
            stop = STOPS.get(b["name"])
            if stop and stop[0] <= t <= stop[1]:
                b["speed"] = 0.0
                continue
            v = base_speed(b["pos"][0]) * b["skill"] * weather[day][b["name"]]
            v = max(6.0, min(18.0, v))
            b["speed"] = v
            left = v
            while left > 0 and not b["finished"]:
                target = (ROUTE[b["wp"]][1], ROUTE[b["wp"]][2])
                d = gc_dist(b["pos"], target)
                if d <= left:
                    b["pos"] = target
                    left -= d
                    b["wp"] += 1
                    if b["wp"] == len(ROUTE):
                        frac = 1 - left / v
                        b["finished"] = t + dt.timedelta(hours=frac)
                        b["wp"] = len(ROUTE) - 1
                else:
                    b["course"] = gc_course(b["pos"], target)
                    b["pos"] = gc_move(b["pos"], target, left)
                    left = 0
        t += dt.timedelta(hours=1)

        if t.hour == FIX_HOUR:
            if day not in MISSING:
                write_day(out, t, boats)
                day_files += 1
            sailing = [b for b in boats if not b["finished"] and not b["retired"]]
            if not sailing or day >= LAST_ALLOWED:
                break
    write_lists(out)
    done = sorted(b["finished"] for b in boats if b["finished"])
    print(f"{day_files} day files, last {t.date()}, first finish {done[0]:%d/%m/%Y}, "
          f"{len(done)} finishers")


def write_day(out, t, boats):
    finished = sorted((b for b in boats if b["finished"]), key=lambda b: b["finished"])
    sailing = [b for b in boats if not b["finished"] and not b["retired"]]
    stopped = [b for b in sailing if b["name"] in STOPS
               and STOPS[b["name"]][0] <= t <= STOPS[b["name"]][1]]
    racing = sorted((b for b in sailing if b not in stopped), key=remaining)
    retired = sorted((b for b in boats if b["retired"]), key=lambda b: RETIREMENTS[b["name"]][0])
    ranked = finished + racing + retired
    leader_left = 0.0 if finished else remaining(racing[0])
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
        left = remaining(b)
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
