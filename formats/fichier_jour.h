// The day files: their reader (the day load and the archive re-reading),
// where they are, and what the user is told of one that cannot be read.
//
// Day file: code page 1252 text, one value per line. Header lines up to the
// first line "1", then one block per entrant (ranked first, by rank):
//   rank | "Boat (Skipper)" | status ("le ..." or "A...") | latitude DD.MM |
//   longitude DD.MM (West positive) | distance | course | speed | "2D-3D"
// with the variations the reader accepts (no status line, a continuation of
// the name, no speed line, a latitude that is not a number, a status
// neither a time nor "A..." followed by the latitude).
#pragma once

#include "donnees.h"
#include "emplacements.h"
#include "trajets.h"
#include "texte.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <vector>

namespace orv {

// The line reader of the day files: one empty line is skipped, blanks
// around the value are removed.
QString lire_ligne(LecteurTexte& f);
// The same line as bytes of the text, blanks removed.
LecteurTexte::Plage lire_plage(LecteurTexte& f);

// The path of the day file of a day code, and of a day file by its name:
// in the user's day-file folder when the program is installed and the file
// is there, else among the program's data.
QString chemin_fichier_jour(const Emplacements& e, const QString& code_jour);
// Where race c's day files are: the program's places for its own race
// (no folder of its own), the folder of its description for another.
Emplacements emplacements_des_jours(const Course& c, const Emplacements& e);
QString chemin_jour_nomme(const Emplacements& e, const QString& nom_fichier);
// The days of race c that have a day file, in order (none for a race of
// tracks).
std::vector<QDate> jours_avec_fichier(const Course& c, const Emplacements& e);

// Loads a day of race `c`: code_jour's file into `j`. False when the file is
// absent, or cannot be read, or yields no entrant (`fichier_illisible` then
// set); only the reset fields change then. `date_en_clair` becomes
// date_affichee on success.
bool charge_donnees_coureurs(const Course& c, JourCourse& j, const Emplacements& e, QString code_jour,
                             const QString& date_en_clair);
// The same from a file's content, `nom_fichier` giving the default status.
void lit_jour(const Course& c, JourCourse& j, const QByteArray& contenu, const QString& nom_fichier);

// What the user is told of a day file that is there but unreadable, or of
// one whose impossible values were read as absent.
QString fichier_jour_illisible(const QString& nom_fichier);
QString valeurs_impossibles(const QString& nom_fichier);

// Re-reads a day file and appends every entrant's record to its list.
// False when the file cannot be read.
// `jour` tags the elements with the index of their day in the archive.
bool relis_data(const Course& c, JourCourse& j, ArchiveCourse& a, const Emplacements& e,
                const QString& nom_fichier, int32_t jour = -1);
void relit_jour(const Course& c, JourCourse& j, ArchiveCourse& a, const QByteArray& contenu,
                const QString& nom_fichier, int32_t jour = -1);

// Reads the day files of race `c` (its first day to its last) found where
// `e` says (days without a file skipped) into `a`, through a buffer
// and a date state of its own: the day on display is not touched. A file
// that is there but cannot be read, or yields no entrant, is skipped too and
// named in `fichiers_illisibles`. The first day's file missing stops the
// assembly: the lists are emptied, `erreur` says which file in French, and
// the result is false.
bool constitue_trajets(const Course& c, ArchiveJours& a, const Emplacements& e, QString& erreur);

// What the user is told of the day files the assembly left aside, one line
// each (none when nothing).
QStringList avis_archive(const ArchiveJours& a);

}  // namespace orv
