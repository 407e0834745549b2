// The day's ranking as fixed-pitch text rows.
#pragma once

#include "donnees.h"

#include <QChar>
#include <QStringList>

namespace orv {

// The two header lines of the table.
QStringList entete_classement();

// Row of record `r`: ranked rows are numbered `numero`, unranked ones show
// "NC"; a ranked "A..." status or a stop without a position shows its
// status text in place of the position. Reals use `separateur` as decimal
// separator. Cut to 255 characters.
QString ligne_classement(const TDonnees_conc& r, bool classe, int numero, QChar separateur);

// Header lines then one row per record: 1..nb_classes ranked, the rest "NC".
QStringList table_classement(const JourCourse& j, QChar separateur);

// The decimal separator of the user's regional settings.
QChar separateur_decimal_utilisateur();

}  // namespace orv
