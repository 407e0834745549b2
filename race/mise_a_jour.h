// The update of a day file from the official ranking: the ranking sheet
// "RECLASS" as a grid of cell texts (read from the ranking web page, or from
// the workbook of the spreadsheet program), the cell search, the two sheet
// layouts (97 and 2000), and the day file written atomically.
#pragma once

#include <QByteArray>
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
// The lines of the day file (nine per entrant, 24 entrants) from the sheet;
// false with a French message when the first entrant's row is not found,
// or when a block would have an empty line or a position that is not a
// number (the day reader would shift every entrant after it).
bool MAJ_fi_clss(const Feuille& f, QStringList& lignes, QString& erreur);       // layout 97
bool MAJ_fi_clss_2000(const Feuille& f, QStringList& lignes, QString& erreur);  // layout 2000
bool lignes_du_classement(const Feuille& f, int code_excel, QStringList& lignes, QString& erreur);

// A ranking web page (the bytes received and the Content-Type header): the
// text decoded (charset from the header, else from the page, else code
// page 1252), parsed as HTML, and its largest table's rows and cells
// (a cell spanning columns or rows covers them, its text in the first) as
// a sheet.
// False when the page holds no table.
bool feuille_depuis_html(const QByteArray& page, const QByteArray& type_contenu, Feuille& f);
// The charset of a page: its byte-order mark, else what it declares
// (header first, then its meta tags), lower case; empty when none.
QString jeu_de_caracteres(const QByteArray& page, const QByteArray& type_contenu);

// Sheet `nom_feuille` of a workbook: .xls (BIFF) or .xlsx (zip of XML).
// Numbers are written as the shortest text that reads back the same.
bool feuille_depuis_classeur(const QString& chemin, const QString& nom_feuille, Feuille& f, QString& erreur);

// Fetches a web page (redirections followed, `delai_ms` at most without
// data, TAILLE_MAX_PAGE bytes at most).
inline constexpr qint64 TAILLE_MAX_PAGE = qint64(8) << 20;
bool telecharge(const QString& url, int delai_ms, QByteArray& page, QByteArray& type_contenu, QString& erreur);

// Where the ranking comes from: a web address (http, https), a page or a
// workbook on disk.
struct SourceClassement {
    QString adresse;  // URL or file path
    bool est_url() const;
};
// The sources in the order they are tried: the web page of the settings
// (or the one given), else the workbook of `code_excel` in the current
// directory (DonneesClassement.xls or DonneesClassement2000.xls, or the
// .xlsx of the same base name).
SourceClassement source_du_classement(const QString& donnee, const QString& url_reglages, int code_excel,
                                      const QString& rep_courant);

// The whole update: the sheet from the source, the day file of `jour`
// written in `rep` (DDMMYY.txt from the date's fields), atomically: a
// failure at any stage leaves the previous file of that day untouched.
// Returns the path written; empty with `erreur` in French otherwise.
QString actualise_classement(const SourceClassement& source, int code_excel, const QDate& jour, const QString& rep,
                             int delai_ms, QString& erreur);

// The message when the old file of the day cannot be replaced.
inline const char* const MESSAGE_EFFACEMENT = "Echec d'effacement du classement du matin";

}  // namespace orv
