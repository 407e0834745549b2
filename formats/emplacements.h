// Where the program finds its files, one instance passed to what needs it. Run from a folder that holds its data
// beside it (the build folder, an unpacked copy), everything is there, as
// the program has always worked ("portable"). Installed (the executable in
// <prefix>/bin, its data in <prefix>/share/orvalis, read-only), the day
// files are looked for first in the user's own folder, where the update
// writes them, then among the data.
#pragma once

#include <QString>

namespace orv {

// The shipped race's description, beside the program's data.
inline const char* const FICHIER_COURSE = "orvalis.course";

struct Emplacements {
    QString rep_programme;  // the data beside the program, or <prefix>/share/orvalis
    QString rep_archives;   // installed: the user's day files (written by the update); empty otherwise
    bool installe = false;

    Emplacements() = default;
    // Portable, everything in `rep` (a folder of the tests, an unpacked
    // copy).
    Emplacements(const QString& rep) : rep_programme(rep) {}
    Emplacements(const QString& programme, const QString& archives, bool installe_)
        : rep_programme(programme), rep_archives(archives), installe(installe_) {}

    // Where the update writes a day file: the user's folder when installed,
    // else beside the data (`rep_donnees`, the program's own by default).
    QString rep_ecriture(const QString& rep_donnees) const { return installe ? rep_archives : rep_donnees; }
    QString rep_ecriture() const { return rep_ecriture(rep_programme); }
};

// The places for an executable in `rep_executable`: installed when its data
// (the race's description) lies in ../share/orvalis and not beside it; `rep_utilisateur` is then the
// user's day-file folder (QStandardPaths' AppDataLocation).
Emplacements determine_emplacements(const QString& rep_executable, const QString& rep_utilisateur);

}  // namespace orv
