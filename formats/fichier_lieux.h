// Named points read from text files beside the program: course marks
// ("lstmp.txt"), places ("lstlieux.txt") and the waypoints of the
// theoretical route ("FIMPV.txt"). Lines are taken as they are (at most 255
// characters, no trimming).
//   lstmp.txt, FIMPV.txt: name | latitude DD.MM | longitude DD.MM (West +)
//   lstlieux.txt:         name | latitude | longitude | "droite" or other
#pragma once

#include "lieux.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace orv {

// Reads blocks of 3 (or 4 with `placement`) lines from a file's content and
// appends them. Blanks around a number are allowed. A block whose latitude
// or longitude is not a plain number (or lies beyond ±90 / ±180) is left out
// (a bogus point at 0° 0° helps nobody) and its name returned; the next block
// still starts after its lines.
QStringList lit_lieux(const QByteArray& contenu, bool placement, ListeLieux& liste);

// The three loaders, of the files a race's description names (the shipped
// race's by default). They return false, with a French message in
// `erreur`, when the file cannot be read; the list then holds what it held
// (emptied first for the marks and places). When blocks were left out, they
// return true and `erreur` says which, for the user (empty otherwise). A
// race without marks or places (no file named) has empty lists; without a
// route, charge_route says so.
bool charge_marques(Lieux& l, const QString& rep_programme, QString& erreur,
                    const QString& fichier = QStringLiteral("lstmp.txt"));
bool charge_lieux(Lieux& l, const QString& rep_programme, QString& erreur,
                  const QString& fichier = QStringLiteral("lstlieux.txt"));
bool charge_route(Lieux& l, const QString& rep_programme, QString& erreur,
                  const QString& fichier = QStringLiteral("FIMPV.txt"));

}  // namespace orv
