// A race as data: its name, the days the program looks for, its start and
// finish, its entrants (skipper, boat, characteristics, picture) and the
// files of its marks, places and route. The program's race is one
// instance, read from the description shipped beside it ("orvalis.course",
// formats/description.h); everything that depends on the race takes one.

#pragma once

#include "pos_elem.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <cstddef>
#include <vector>

namespace orv {

// A boat's characteristics, as shown (decimal comma): rig, hull length
// (m), loaded weight (t), upwind and downwind sail areas (m²).
struct CaracBateau {
    QString greement, longueur, poids_charge, voilure_pres, voilure_portant;
};

// The day files name an entrant by the first characters of its surname.
inline constexpr int LONGUEUR_NOM_MAX = 14;

struct Concurrent {
    QString skipper;   // surname: how the day files name the entrant
    QString bateau;
    CaracBateau carac;
    QString photo;     // picture file beside the description; empty: none
};

struct Course {
    QString nom;
    QDate premier_jour, dernier_jour;
    TPos_elem depart, arrivee;
    bool arrivee_connue = true;  // a fleet of tracks without a description has no finish
    bool fichiers_jour = true;   // its fixes are day files (else tracks: no published ranking)
    QString dossier;             // another race's folder (its description's, its tracks'); empty: the program's
    QString fichier_marques, fichier_lieux, fichier_route;
    // Entrant index 1..nb(), in the alphabetical order of surnames; [0]
    // unused; nb() + 1 means "not one of them".
    std::vector<Concurrent> concurrents = std::vector<Concurrent>(1);

    // Another race than the program's own (opened from its own folder).
    bool autre() const { return !dossier.isEmpty(); }
    // The folder its marks, places and route are read from.
    QString dossier_ou(const QString& defaut) const { return dossier.isEmpty() ? defaut : dossier; }
    int nb() const { return int(concurrents.size()) - 1; }
    int inconnu() const { return nb() + 1; }
    const QString& nom_conc(int i) const { return concurrents[size_t(i)].skipper; }
    // The index of a surname (its first LONGUEUR_NOM_MAX characters, leading blanks
    // removed, compared exactly), inconnu() when none.
    int indice(const QString& surnom) const;
    // The race day of a date: its first day is day 1.
    int jour_de_course(const QDate& d) const { return int(premier_jour.daysTo(d)) + 1; }
};

// A set of entrants (1..n): the entrants chosen for a replay, a film, a
// video. Indexes beyond its size are not in it; set() grows it.
class EnsembleConcurrents {
public:
    EnsembleConcurrents() = default;
    explicit EnsembleConcurrents(int nb) : bits_(size_t(nb) + 1) {}
    bool test(size_t i) const { return i < bits_.size() && bits_[i]; }
    void set(size_t i, bool v = true);
    void reset() { std::fill(bits_.begin(), bits_.end(), false); }
    size_t count() const;
    bool any() const { return count() > 0; }
    bool none() const { return count() == 0; }
    bool operator==(const EnsembleConcurrents& o) const;

private:
    std::vector<bool> bits_;
};

}  // namespace orv
