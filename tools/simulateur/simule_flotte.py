#!/usr/bin/env python3
"""Writes the sample fleet of data/exemples: an invented short ocean race
of 40 boats across the 180th meridian, as GPX, with its description.

    python3 tools/simulateur/simule_flotte.py data/exemples

Fixes every 10 minutes to 6 hours (irregular, each boat its own rhythm),
two boats retiring (their tracks stop), one with a 40-hour gap in its
fixes. The same bytes at every run (a seeded generator). The KML of the
same race is written by the program itself:
    orvalis --course data/exemples/alizes.gpx --kml data/exemples/alizes.kml
"""
import math
import os
import random
import sys
from datetime import datetime, timedelta, timezone

START = (17.5, 168.0)     # lat, lon (East positive)
FINISH = (19.0, -163.0)
T0 = datetime(2024, 3, 2, 2, 0, tzinfo=timezone.utc)
PRENOMS = ["Aël", "Bleuenn", "Corentin", "Dewi", "Enora", "Fanch", "Gwenn", "Hoël", "Ifig", "Jakez",
           "Klervi", "Loeiz", "Maïwenn", "Nolwenn", "Ronan", "Soazig", "Tanguy", "Uriell", "Youenn", "Zoé"]
DEBUTS = ["Ker", "Tré", "Lan", "Pen", "Plou", "Mor", "Gwel", "Roz", "Kor", "Bren"]
FINS = ["vadec", "mirel", "gouric", "dalen", "bescat", "naouen", "vezic", "tannec", "drivel", "ouarn",
        "elliac", "garvan"]
BATEAUX1 = ["Écume", "Alizé", "Sillage", "Houle", "Étrave", "Grain", "Embrun", "Risée", "Lame", "Brise"]
BATEAUX2 = ["du Soir", "Claire", "Lointaine", "de Nacre", "Vive", "du Large", "d'Ambre", "Rebelle",
            "Tranquille", "Bleue"]


def vec(lat, lon):
    p, l = math.radians(lat), math.radians(lon)
    return (math.cos(p) * math.cos(l), math.cos(p) * math.sin(l), math.sin(p))


def latlon(v):
    return math.degrees(math.atan2(v[2], math.hypot(v[0], v[1]))), math.degrees(math.atan2(v[1], v[0]))


def slerp(a, b, x):
    d = sum(p * q for p, q in zip(a, b))
    w = math.acos(max(-1.0, min(1.0, d)))
    s = math.sin(w)
    return tuple((math.sin((1 - x) * w) * p + math.sin(x * w) * q) / s for p, q in zip(a, b))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "data/exemples"
    os.makedirs(out, exist_ok=True)
    rnd = random.Random(20240302)
    a, b = vec(*START), vec(*FINISH)
    longueur = 60 * math.degrees(math.acos(sum(p * q for p, q in zip(a, b))))
    noms, bateaux = set(), set()
    flotte = []
    while len(flotte) < 40:
        nom = rnd.choice(DEBUTS) + rnd.choice(FINS)
        bateau = rnd.choice(BATEAUX1) + " " + rnd.choice(BATEAUX2)
        if nom in noms or bateau in bateaux:
            continue
        noms.add(nom)
        bateaux.add(bateau)
        flotte.append((rnd.choice(PRENOMS) + " " + nom, bateau))
    flotte.sort(key=lambda x: x[0].split(" ", 1)[1])
    abandons = {7: 0.45, 23: 0.7}   # boat: the fraction of the course where its track stops
    trou = 31                       # the boat with a 40-hour gap
    pistes = []
    for k, (skipper, bateau) in enumerate(flotte):
        vitesse = rnd.uniform(8.0, 11.5)          # knots, on average
        ecart = rnd.uniform(-0.9, 0.9)             # the lane's offset (degrees of latitude)
        pas_moyen = rnd.choice([1 / 6, 0.5, 1, 2, 3, 6])  # hours between fixes
        t, parcouru, points = 0.0, 0.0, []
        while True:
            x = min(1.0, parcouru / longueur)
            lat, lon = latlon(slerp(a, b, x))
            lat += (ecart + 0.15 * math.sin(t / 9 + k)) * math.sin(math.pi * x)
            if lon > 180:
                lon -= 360
            points.append((T0 + timedelta(hours=t), lat, lon))
            if x >= 1.0 or (k in abandons and x >= abandons[k]):
                break
            dt = max(1 / 6, min(6.0, rnd.expovariate(1 / pas_moyen)))
            t += dt
            parcouru += dt * vitesse * rnd.uniform(0.85, 1.15)
        if k == trou:
            debut = len(points) // 3
            t_debut = points[debut][0]
            points = [p for p in points if not (t_debut < p[0] < t_debut + timedelta(hours=40))]
        pistes.append((skipper, bateau, points))
    with open(os.path.join(out, "alizes.gpx"), "w", encoding="utf-8", newline="\n") as f:
        f.write('<?xml version="1.0" encoding="UTF-8"?>\n')
        f.write('<gpx xmlns="http://www.topografix.com/GPX/1/1" version="1.1" creator="simule_flotte">\n')
        for skipper, bateau, points in pistes:
            f.write(f"  <trk>\n    <name>{skipper} ({bateau})</name>\n    <trkseg>\n")
            for t, lat, lon in points:
                f.write(f'      <trkpt lat="{lat:.5f}" lon="{lon:.5f}"><time>{t:%Y-%m-%dT%H:%M:%SZ}</time></trkpt>\n')
            f.write("    </trkseg>\n  </trk>\n")
        f.write("</gpx>\n")
    dd = lambda v: f"{int(abs(v)) * (1 if v >= 0 else -1)}.{round((abs(v) % 1) * 60):02d}"
    with open(os.path.join(out, "alizes.course"), "w", encoding="cp1252", newline="") as f:
        f.write("; La Traversée des Alizés 2024 : course inventée de l'exemple (simule_flotte.py).\r\n")
        f.write("[course]\r\n")
        f.write("nom=Traversée des Alizés 2024\r\n")
        f.write(f"depart=Anse-Mirvelle;{dd(START[0])};{dd(-START[1])}\r\n")
        f.write(f"arrivee=Port-Ivrelan;{dd(FINISH[0])};{dd(-FINISH[1])}\r\n")


if __name__ == "__main__":
    main()
