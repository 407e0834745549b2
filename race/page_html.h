// The ranking web page as a sheet: the bytes decoded by the charset the
// page declares (code page 1252 when none), parsed as HTML, and its largest
// table taken as the ranking sheet.
#pragma once

#include "feuille.h"

#include <QByteArray>
#include <QString>

namespace orv {

// Pages nested deeper than this are refused before they are parsed: no
// ranking comes near it, and the parser's cost grows with the square of
// the depth (50,000 nested cells would take minutes, or the whole stack).
inline constexpr int PROFONDEUR_MAX_PAGE = 400;

// A ranking web page (the bytes received and the Content-Type header): the
// text decoded (charset from the header, else from the page, else code
// page 1252; bytes not valid in the declared charset: code page 1252),
// parsed as HTML, and its largest table's rows and cells (a cell spanning
// columns or rows covers them, its text in the first; the text of tables
// nested in a cell is not the cell's) as a sheet.
// False, with the reason in French in `raison`, when the page is nested too
// deeply or holds no table.
bool feuille_depuis_html(const QByteArray& page, const QByteArray& type_contenu, Feuille& f, QString* raison = nullptr);

// The charset of a page: its byte-order mark, else what it declares
// (header first, then its meta tags, where UTF-16 over 8-bit bytes means
// UTF-8 as the HTML rules say), lower case; empty when none.
QString jeu_de_caracteres(const QByteArray& page, const QByteArray& type_contenu);

// How deeply the elements of an HTML text (UTF-8) nest, as a parser would
// build them (void elements, implied ends of cells, rows, paragraphs and
// list items, comments and raw text taken into account); counting stops
// past `limite`.
int profondeur_html(const QByteArray& utf8, int limite);

}  // namespace orv
