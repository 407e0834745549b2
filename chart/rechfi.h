// Search for the map directory: the known map file is looked for on every
// search root (drives C..Z on Windows; the home directory, then each
// directory under /media and /mnt elsewhere), and the directory found is
// recorded in the user's settings under Software\QMR_GEO_APP, Rep_Cartes_Pix.
#pragma once

#include <QString>
#include <vector>

namespace orv {

inline const char* const FICHIER_CARTE_CONNU = "Franceno.bdc";
inline const char* const CLE_REGISTRE = "Software\\QMR_GEO_APP";
inline const char* const VALEUR_REP_CARTES = "Rep_Cartes_Pix";

// Whether `rep` holds a regular file named `fichier`, in any case.
bool contient_fichier(const QString& rep, const QString& fichier);

// Directory search on one root: the root itself when it holds `fichier`,
// else the last directory, in breadth-first order, that holds it; empty when
// none. Hidden directories and symbolic links are not followed, and /proc,
// /sys and /dev are never entered.
QString recherche_sur_racine(const QString& racine, const QString& fichier);

// The roots searched, in order, on this platform.
std::vector<QString> racines_de_recherche();

// First root (in order) that yields a directory for `fichier`.
QString recherche_racines(const std::vector<QString>& racines, const QString& fichier);

// The recorded map directory, or empty when no value is recorded.
QString lit_rep_cartes_registre();
// Records it; false, with the reason in French, when the settings could not
// be written.
bool ecrit_rep_cartes_registre(const QString& rep, QString& erreur);

}  // namespace orv
