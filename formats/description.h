// The description of a race, the file a Course is read from.
//
// Description file: code page 1252 text, lines ended by CR LF (LF alone
// read too), ';' at the start of a line a comment:
//   [course]
//   nom=Orvalis 2000 - 2001
//   premier jour=10/11/2000          the first and last days looked for
//   dernier jour=15/04/2001
//   depart=Port-Brévalec;46.28;1.47  name; latitude; longitude (DD.MM, West +)
//   arrivee=Port-Brévalec;46.28;1.47
//   marques=lstmp.txt                the named-point files, beside it
//   lieux=lstlieux.txt
//   route=FIMPV.txt
//   [concurrents]
//   skipper;bateau;gréement;longueur;poids en charge;voilure au près;voilure au portant;photo
#pragma once

#include "course.h"

#include <QByteArray>
#include <QString>

namespace orv {

// Reads a description; false, with a French message naming the line, when
// it is damaged (a section or key unknown, a date or position that is not
// one, an entrant without a surname or twice, no entrant at all).
// The description beside a fleet of tracks (`de_flotte`) may leave out the
// period and the entrants, which the tracks give.
bool lit_course(const QByteArray& contenu, const QString& nom_fichier, Course& c, QString& erreur,
                bool de_flotte = false);
bool charge_course(const QString& chemin, Course& c, QString& erreur, bool de_flotte = false);

}  // namespace orv
