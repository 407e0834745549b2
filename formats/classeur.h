// The ranking workbooks of the spreadsheet program: sheet "RECLASS" of a
// .xls (an OLE2 compound file of BIFF8 records, read by our own reader) or
// of a .xlsx (a zip of XML parts).
#pragma once

#include "feuille.h"

#include <QString>

class QIODevice;

namespace orv {

// The two readers: sheet `nom_feuille`, its numbers written as the
// shortest text that reads back the same; false, with the reason in French
// in `erreur`. A .xls is an OLE2 compound file whose "Workbook" stream
// holds BIFF8 records (Excel 97 and later).
bool lit_xls_octets(const QByteArray& fichier, const QString& nom_feuille, Feuille& f, QString& erreur);
bool lit_xlsx(QIODevice* zip, const QString& nom_feuille, Feuille& f, QString& erreur);

// The largest part of a .xlsx that is unpacked (a small zip can unpack to
// gigabytes).
inline constexpr qint64 TAILLE_MAX_PARTIE = qint64(32) << 20;
// The largest workbook read.
inline constexpr qint64 TAILLE_MAX_CLASSEUR = qint64(64) << 20;

// The shortest text that reads back as the same double.
QString nombre_court(double v);

}  // namespace orv
