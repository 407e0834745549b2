// Pixel map files (*.bdc): headerless runs of 16-byte little-endian records,
// latitude then longitude as IEEE doubles in decimal degrees (longitude West
// positive). Each file is read whole, in one block, into one allocation and
// kept for the life of the program.
#pragma once

#include "terres.h"

#include <QString>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

namespace orv {

inline constexpr int TAILLE_ENREG = 16;
// A map file larger than this is refused (the world at 10 m is 11 MB).
inline constexpr int64_t TAILLE_CARTE_MAX = int64_t(256) << 20;

struct CartePix {
    QString nom;          // file name, without the directory
    int64_t taille = 0;   // file size in bytes, from the directory entry
    int64_t nb_points = 0;// taille / 16; a trailing partial record is ignored
    // The file content as doubles (latitude, longitude, latitude, ...):
    // one allocation of taille bytes, rounded up to whole doubles.
    std::unique_ptr<double[]> donnees;
    int64_t lus = 0;      // bytes actually read

    // Records that were really read (a short read leaves fewer).
    int64_t points_lus() const { return lus / TAILLE_ENREG; }
    const double* enregs() const { return donnees.get(); }
};

// The loaded maps, in directory-listing order, with the directory in use.
struct Cartes {
    QString rep_cartes;
    bool cartes_chargees = false;
    std::vector<CartePix> liste;
    // The land as polygons of the same folder, read when first drawn.
    std::shared_ptr<ChargeurTerres> terres = std::make_shared<ChargeurTerres>();
};


// Where the maps are looked for and how the user is told about problems.
struct OptionsCartes {
    // Directory of the program (the "cartes" folder beside it is tried when
    // no directory is recorded).
    QString rep_programme;
    // Search roots used when neither the recorded value nor the folder
    // beside the program gives the known file. Empty: the platform's roots.
    std::vector<QString> racines;
    bool racines_imposees = false;
    // Called between the listing of the folder and the reading of its files.
    std::function<void()> apres_liste;
    // Messages for the user: information and warning.
    std::function<void(const QString&)> information;
    std::function<void(const QString&)> avertissement;
};

// Reads one map file whole: `taille` bytes, the size its directory entry
// gave when the folder was listed. Returns false, with the reason in French in
// `erreur`, when it is not a regular file, is larger than TAILLE_CARTE_MAX,
// cannot be allocated, opened or read at all (the map is still filled with
// what is known of it).
bool lit_carte(const QString& chemin, int64_t taille, CartePix& carte, QString& erreur);

// Locates the map directory and loads every *.bdc of it into `c`.
void charge_cartes(Cartes& c, const OptionsCartes& opt);

// The regular files of `rep` matching *.bdc (any case), in the order the
// loader uses, with their sizes.
struct EntreeCarte {
    QString nom;
    int64_t taille;
};
std::vector<EntreeCarte> fichiers_cartes(const QString& rep);

// The colour class of a map file by its name: 'S' for "ST…" (borders),
// 'L' for "LK…" (lakes), 0 otherwise (compared in upper case).
char classe_carte(const QString& nom);

}  // namespace orv
