// The ranking web page as a sheet: the bytes decoded by the charset the
// page declares (code page 1252 when none), parsed as HTML, and its largest
// table taken as the ranking sheet.
#pragma once

#include "feuille.h"

#include <QByteArray>
#include <QString>

namespace orv {

// Pages with more tables one inside the other are refused before they are
// parsed: no ranking comes near it, and the parser's cost grows with the
// square of the depth (50,000 nested cells would take minutes).
inline constexpr int TABLES_IMBRIQUEES_MAX = 100;

// A ranking web page (the bytes received and the Content-Type header): the
// text decoded (charset from the header, else from the page, else code
// page 1252; bytes not valid in the declared charset: code page 1252),
// parsed as HTML, and its largest table's rows and cells (a cell spanning
// columns or rows covers them, its text in the first; the text of tables
// nested in a cell is not the cell's) as a sheet.
// The parser is given the page reduced to its tables (reduit_aux_tableaux).
// False, with the reason in French in `raison`, when the page has too many
// tables one inside the other, or none. `fermee`, when given, says whether
// the page holds the sheet's table whole: its end tag, or the page's
// ("</body>", "</html>") after it; a page cut inside the table has neither.
bool feuille_depuis_html(const QByteArray& page, const QByteArray& type_contenu, Feuille& f, QString* raison = nullptr,
                         bool* fermee = nullptr);

// The charset of a page: its byte-order mark, else what it declares
// (header first, then its meta tags, where UTF-16 over 8-bit bytes means
// UTF-8 as the HTML rules say), lower case; empty when none.
QString jeu_de_caracteres(const QByteArray& page, const QByteArray& type_contenu);

// An HTML text (UTF-8) reduced to what a sheet is read from: the tags of
// tables, rows, cells (with their spans) and line breaks, and the text, as
// the parser's tokenizer reads them (comments and declarations dropped, the
// text of raw-text elements kept as text). Every other element is gone, so
// that the parser's depth is that of the tables alone: at most 4 levels
// for each table open, whose most at once is `tables_imbriquees`. The cells
// read the same text from it as from the page.
QByteArray reduit_aux_tableaux(const QByteArray& utf8, int* tables_imbriquees = nullptr);

// An HTML text (UTF-8) parsed as it stands, its largest table as a sheet;
// false when it holds no table. `fermee`: whether that table's end tag is
// in the text.
bool feuille_du_texte(const QByteArray& utf8, Feuille& f, bool* fermee = nullptr);

}  // namespace orv
