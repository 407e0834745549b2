// The ranking sheet "RECLASS" as a grid of cell texts, the cell search of
// the update, the two sheet layouts (97 and 2000) that turn it into the
// lines of a day file, and the checks those lines pass before any day file
// is replaced.
#pragma once

#include "course.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace orv {

// The size a sheet read from a page or a workbook may reach: a ranking
// holds a few hundred cells; a hostile file must not fill the memory.
inline constexpr int LIGNES_MAX_FEUILLE = 65536;
inline constexpr int COLONNES_MAX_FEUILLE = 1024;
inline constexpr size_t CELLULES_MAX_FEUILLE = 200000;

// A sheet: the texts of its cells, rows and columns counted from 1.
struct Feuille {
    std::vector<QStringList> lignes;  // lignes[0] is row 1
    size_t nb_cellules = 0;           // cells held, the empty ones before a placed cell included
    // The text of a cell; empty outside the sheet (row or column 0 too).
    QString cellule(int ligne, int colonne) const;
    // Puts a cell's text, blanks and line breaks collapsed to single
    // spaces (a day file holds one value per line). False, and nothing
    // placed, past the limits above.
    bool place(int ligne, int colonne, const QString& texte);
};

// The cell search of the update, on one sheet. A cell reads a text when
// both, every blank removed, are equal (exact, case-sensitive); row 0 or
// column 0 never matches.
struct RechercheFeuille {
    const Feuille* feuille_recherche = nullptr;
    int ligne_trouvee = 0, colonne_trouvee = 0;

    bool cellule_egale(int ligne, int colonne, const QString& texte);
    // Rows 1 to 99 of a column, the first match.
    bool cherche_colonne(int colonne, const QString& texte);
    // Around (r, k): (r,k), (r-1,k), (r-2,k), (r+1,k), (r+2,k), (r,k-1),
    // (r,k+1), (r-1,k+1), (r+1,k+1), (r+1,k-1), (r-1,k-1); the first match.
    bool cherche_autour(int r, int k, const QString& texte);
};

// Layout of the ranking sheet: 1 for the "97" workbook, 2 for "2000".
// The lines of the day file (nine per entrant) from the sheet; false with
// a French message when the first entrant's row is not found, or when a
// block would have an empty line or a number cell that is not a number.
bool MAJ_fi_clss(const Course& c, const Feuille& f, QStringList& lignes, QString& erreur);       // layout 97
bool MAJ_fi_clss_2000(const Course& c, const Feuille& f, QStringList& lignes, QString& erreur);  // layout 2000

// The lines of the day file of `jour` from the sheet, by the layout of
// `code_excel`, checked as verifie_classement does, for race `c`.
bool lignes_du_classement(const Course& c, const Feuille& f, int code_excel, const QDate& jour, QStringList& lignes,
                          QString& erreur);

// The checks a day file's lines pass before they replace a day file: every
// entrant of the race, each a known skipper once; ranks 1..n without repeat, then the
// unranked; a status the day reader takes as one ("le ..." or "A..."), a
// time in it between the start and the day after the file's; plausible
// numbers (latitude ±90, longitude ±180, distance 0-30,000 miles, course
// 0-360, speed 0-60 knots; a decimal comma named as such); and the lines
// read back by the day reader give exactly what the sheet says. False with
// a French message naming the entrant and the cell.
bool verifie_classement(const Course& c, const QStringList& lignes, const QDate& jour, QString& erreur);

}  // namespace orv
