#!/usr/bin/env python3
"""Ranking pages and workbooks for the update, made from a day file.

The official ranking is a table: per entrant a row with its rank, its name
line "Boat (Skipper)", latitude and longitude (DD.MM, West positive),
distance, course and speed, and under it a row with the status text; an
entrant without position has one row, its status text in the latitude
column. Two layouts:
  97    rank in column 1, name in 8, latitude to speed in 9 to 13; the first
        entrant's row is the first whose column 1 reads "1";
  2000  a row "Pos." in column 1, the first entrant about nine rows below;
        rank in 1, name in 2, latitude to speed in 3 to 7.

Usage:
  fabrique_classements.py exemple DAYFILE OUT.html --statut-du JJ/MM/AAAA
        the sample page shipped in data/ (layout 97)
  fabrique_classements.py essais DAYFILE OUTDIR
        the fixtures of the tests: pages of both layouts, a page whose third
        entrant has no position, a page in code page 1252 without charset,
        a page without "1", and the .xls (xlwt) and .xlsx (openpyxl)
        workbooks DonneesClassement(2000).xls(x) with the sheet RECLASS.
Run with /usr/bin/python3 (Debian's python3-xlwt and python3-openpyxl).
"""
import html
import os
import sys


def blocs(chemin):
    """The entrants of a day file: (rank, name, status, lat, lon, dist, cap, speed)."""
    lignes = open(chemin, "rb").read().decode("cp1252").replace("\r\n", "\n").split("\n")
    lignes = [l.strip() for l in lignes]
    i = lignes.index("1")
    r = []
    while i + 8 < len(lignes) and lignes[i]:
        r.append(tuple(lignes[i:i + 8]))
        i += 9
    return r


def position(b):
    try:
        float(b[3])
        return True
    except ValueError:
        return False


def statut_seul(b):
    """The status text of an entrant shown without position: its own when it
    has none or has retired, else a retirement made up for the fixture."""
    statut = b[2]
    return statut if not position(b) or statut.startswith("Abandon") else "Abandon - avarie"


def rangees(entrants, disposition, sans_position=()):
    """The rows of the ranking table (lists of cell texts)."""
    rows = []
    if disposition == "97":
        rows.append(["Classement officiel"] + [""] * 12)
        rows.append(["Pos", "", "", "", "", "", "", "Bateau (Skipper)", "Latitude", "Longitude", "Distance", "Cap", "Vitesse"])
        for k, b in enumerate(entrants, 1):
            rang, nom, statut, lat, lon, dist, cap, vit = b
            if k in sans_position or not position(b):
                rows.append([rang, "", "", "", "", "", "", nom, statut_seul(b), "", "", "", ""])
            else:
                rows.append([rang, "", "", "", "", "", "", nom, lat, lon, dist, cap, vit])
                rows.append(["", "", "", "", "", "", "", statut, "", "", "", "", ""])
    else:
        rows.append(["Classement officiel", "", "", "", "", "", ""])
        rows.append(["Pos.", "Bateau (Skipper)", "Latitude", "Longitude", "Distance", "Cap", "Vitesse"])
        for _ in range(8):
            rows.append([""] * 7)
        for k, b in enumerate(entrants, 1):
            rang, nom, statut, lat, lon, dist, cap, vit = b
            if k in sans_position or not position(b):
                rows.append([rang, nom, statut_seul(b), "", "", "", ""])
            else:
                rows.append([rang, nom, lat, lon, dist, cap, vit])
                rows.append(["", statut, "", "", "", "", ""])
    return rows


def page(rows, titre, charset="utf-8", declare=True):
    meta = f'<meta charset="{charset}">' if declare else ""
    out = [f"<!DOCTYPE html>\n<html><head>{meta}<title>{html.escape(titre)}</title></head><body>",
           f"<h1>{html.escape(titre)}</h1>",
           # A small table first: the update takes the largest one.
           "<table><tr><td>Accueil</td><td>Classement</td></tr></table>",
           "<table border=\"1\">"]
    for r in rows:
        if r and r[0] == "Classement officiel":
            out.append(f"<tr><th colspan=\"{len(r)}\">{html.escape(r[0])}</th></tr>")
            continue
        out.append("<tr>" + "".join(f"<td>{html.escape(c)}</td>" for c in r) + "</tr>")
    out.append("</table></body></html>\n")
    return "\n".join(out).encode(charset if declare else "cp1252")


def classeurs(rows97, rows2000, dossier):
    import openpyxl
    import xlwt

    def valeur(c):
        try:
            v = float(c)
            return int(v) if c.isdigit() else v
        except ValueError:
            return c

    for nom, rows in (("DonneesClassement", rows97), ("DonneesClassement2000", rows2000)):
        wb = xlwt.Workbook(encoding="utf-8")
        wb.add_sheet("Accueil").write(0, 0, "Classement")
        ws = wb.add_sheet("RECLASS")
        for i, r in enumerate(rows):
            for j, c in enumerate(r):
                if c != "":
                    ws.write(i, j, valeur(c))
        wb.save(os.path.join(dossier, nom + ".xls"))
        wx = openpyxl.Workbook()
        wx.active.title = "Accueil"
        wsx = wx.create_sheet("RECLASS")
        for i, r in enumerate(rows, 1):
            for j, c in enumerate(r, 1):
                if c != "":
                    wsx.cell(row=i, column=j, value=valeur(c))
        wx.save(os.path.join(dossier, nom + ".xlsx"))


def main():
    mode, jour = sys.argv[1], sys.argv[2]
    entrants = blocs(jour)
    if mode == "exemple":
        sortie = sys.argv[3]
        date = sys.argv[sys.argv.index("--statut-du") + 1]
        # The ranking of the day after: the same order, positions and
        # statuses (an arrival keeps its own time).
        entrants = [b if b[2].startswith("A") else b[:2] + (f"le {date} à 20h00",) + b[3:] for b in entrants]
        # The retired entrants have no position on the official page: one
        # row each, the status text in the latitude column.
        retires = {k for k, b in enumerate(entrants, 1) if b[2].startswith("Abandon")}
        open(sortie, "wb").write(page(rangees(entrants, "97", retires), f"Orvalis 2000 - 2001 : classement du {date}"))
        return
    dossier = sys.argv[3]
    os.makedirs(dossier, exist_ok=True)
    r97, r2000 = rangees(entrants, "97"), rangees(entrants, "2000")
    ecrit = lambda nom, octets: open(os.path.join(dossier, nom), "wb").write(octets)
    ecrit("classement97.html", page(r97, "Classement"))
    ecrit("classement2000.html", page(r2000, "Classement"))
    ecrit("classement97-troisieme-sans-position.html", page(rangees(entrants, "97", (3,)), "Classement"))
    ecrit("classement97-cp1252.html", page(r97, "Classement des équipages", declare=False))
    ecrit("classement-sans-un.html", page([r for r in r97 if r[0] != "1"], "Classement"))
    classeurs(r97, r2000, dossier)


if __name__ == "__main__":
    main()
