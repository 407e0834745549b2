// The whole race, entrant by entrant: the archive assembled from every day
// file of the race, the choice of entrants and period of a replay, the
// day-by-day stepping of the replay, and the GPX and KML exports.
#pragma once

#include "donnees.h"
#include "traduction.h"

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

namespace orv {

class Viewport;

// The race days that have a day file, in date order, and each entrant's
// records over them. Each record carries the index of its day (`jour`), so
// that an entrant missing from a day file is simply absent that day.
struct ArchiveJours {
    const Course* course = nullptr;    // the race whose days these are
    std::vector<QDate> jours;          // the days read, index 0 = the race's first
    QStringList dates_depuis;          // "depuis le" list: "Vendredi 10 novembre 2000", then date_en_clair
    QStringList dates_jusqua;          // "jusqu'au" list: "--------------", then the same
    // When each day's ranking was published: its header's time, invalid
    // when it has none.
    std::vector<QDateTime> heures_classement;
    ArchiveCourse listes;              // liste_traj[i]: first record of entrant i
    std::vector<TDonnees_conc*> tete_traj;  // 1..n
    bool constituee = false;
    // Day files skipped: present but unreadable or yielding no entrant; and
    // those read whose values beyond a boat's were taken as absent.
    QStringList fichiers_illisibles, fichiers_douteux;

    int nb_jours() const { return int(jours.size()); }
    int nb_concurrents() const { return course ? course->nb() : 0; }
    // Index of a date in `jours`, -1 when that day has no file.
    int indice_du_jour(const QDate& d) const;
    void vide();
};

// The entrants chosen (index 1..n) and the period (day indexes, both
// included) of a replay.
struct SelectionTrajets {
    EnsembleConcurrents concurrents;
    bool toute_course = true;
    int debut = 0, fin = 0;  // "Entre deux dates": in either order
    int nb_selectionnes() const { return int(concurrents.count()); }
    // The highest entrant index chosen (`dernier_conc`) of n, 0 if none.
    int dernier(int n) const;
};

// The day-by-day stepping of a replay. Each step is one day of the period;
// an entrant is drawn on the days it has a record giving a real position
// (releve_reel). "Toute la course" goes on while any chosen entrant has such
// a record left; "Entre deux dates" covers the period's days.
class Etapes {
public:
    Etapes() = default;
    Etapes(const ArchiveJours& a, const SelectionTrajets& s);

    // Whether a step is left.
    bool reste() const;
    // The day of the next step (index into the archive's days).
    int jour() const { return jour_; }
    // Number of steps of the period ("Entre deux dates"), or the days until
    // the last record of a chosen entrant ("Toute la course").
    int nb_jours() const { return fin_ - debut_ + 1; }
    int premier_jour() const { return debut_; }
    // The chosen entrants' records of the next step's day, entrant by
    // entrant (index 1..n; null when it has none that day); advances.
    std::vector<const TDonnees_conc*> pas();
    // The records the next step would give, without advancing.
    std::vector<const TDonnees_conc*> courant() const;
    // Whether `r` is the first record of the period for entrant i.
    bool premier(int i, const TDonnees_conc* r) const { return r == debut_liste_[size_t(i)]; }

private:
    const ArchiveJours* a_ = nullptr;
    SelectionTrajets s_;
    int debut_ = 0, fin_ = -1, jour_ = 0;
    std::vector<const TDonnees_conc*> curseur_;
    std::vector<const TDonnees_conc*> debut_liste_;
};

// Bounds (DD.MM, on `v`) framing every fix of the chosen tracks over the
// period, for a client `larg_client` pixels wide: from the northernmost to
// a degree below the southernmost, and the arc of longitudes they cover
// (Viewport::cadre_longitudes: round the world, the widest view). False
// when there is no fix.
bool cadre_sur_trajets(const ArchiveJours& a, const SelectionTrajets& s, Viewport& v, int32_t larg_client);

// A record that gives a real position: a fix ("le ..."), an arrival
// ("Arrivé ..."), or a record without status line. A retired boat's
// record ("Abandon ...") and a technical stop's carry the harbour's
// placeholder position, and an unranked one at 0° 0° carries none.
bool releve_reel(const TDonnees_conc& r);

// The time of a record of a race that began on `premier_jour`, in UTC: the
// "le JJ/MM/AAAA à HHhMM" of its status text when it has one that can be
// believed (heure_croyable), else 12:00 of its day.
QDateTime heure_du_releve(const TDonnees_conc& r, const QDate& premier_jour, const QDate& jour);

// The message of a selection that holds no position.
inline QString aucune_position() { return Texte::tr("Aucune position pour ces concurrents sur cette période."); }

}  // namespace orv
