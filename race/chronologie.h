// The race as continuous time: every entrant's real fixes in time order,
// its position at any instant (along the great circle between two fixes),
// what that position is (a fix, an interpolation, an estimate across a long
// gap, an arrival, a retirement, a last known position), and the published
// ranking of the moment. Built from the assembled archive; no clock of its
// own: the caller says which instant.
#pragma once

#include "pistes.h"
#include "trajets.h"

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <array>
#include <cstdint>
#include <vector>

namespace orv {

inline constexpr Instant UNE_HEURE = 3600;
inline constexpr Instant UN_JOUR = 24 * UNE_HEURE;
// Two fixes at most this far apart are joined by an interpolation; beyond,
// by an estimate (a day file is missing between them).
inline constexpr Instant ECART_INTERPOLATION_MAX = 30 * UNE_HEURE;

// What a position of the moment is.
enum class Nature { Releve, Interpole, Estime, Arrive, Abandon, DerniereConnue };
// Its French name, as the tables and the CSV write it: "relevé",
// "interpolé", "estimé", "arrivé", "abandon", "dernière position connue";
// and in the language installed, as the window shows it.
QString texte_nature(Nature n);
QString texte_nature_traduit(Nature n);

// A real fix of an entrant.
struct Fixe {
    Instant t = 0;
    double lat = 0, lon = 0;        // decimal degrees, North and East positive
    std::array<double, 3> u{};      // unit vector of the position
    const TDonnees_conc* r = nullptr;  // its day file's record; null for a track's
    float cap = 0;                     // the course given with it (degrees), for a boat at rest
    bool arrivee = false;
    // The leg to the next fix: its angle (radians), sin of it, and the
    // average speed over it (knots).
    double omega = 0, sin_omega = 0, vitesse = 0;
};

// An entrant at an instant.
struct PositionFilm {
    bool montre = false;  // false: before its first fix, or gone after its retirement
    Nature nature = Nature::Releve;
    double lat = 0, lon = 0;  // decimal degrees, North and East positive
    // While it sails between two fixes: the initial great-circle course of
    // its leg at the instant (degrees from North) and the leg's average
    // speed (knots).
    bool en_route = false;
    double cap = 0, vitesse = 0;
    int fixe = -1;  // index of its latest fix at or before the instant
};

// An entrant's position as the chart takes it (DD.MM, West positive).
TPos_elem pos_elem_de(const PositionFilm& p, const QString& nom);

class Chronologie {
public:
    Chronologie() = default;
    explicit Chronologie(const ArchiveJours& a);
    // A race of tracks: entrant i is pistes[i - 1] (`c` the race they
    // make, its entrants in that order). A track that ends without an
    // arrival or a retirement shows its last known position for a day.
    Chronologie(const Course& c, const std::vector<Piste>& pistes);

    bool vide() const { return premier_ > dernier_; }
    // The race and its entrants' count.
    const Course& course() const { return *c_; }
    int nb() const { return int(fixes_.size()) - 1; }
    // The archive's first and last fixes (meaningless when empty).
    Instant premier() const { return premier_; }
    Instant dernier() const { return dernier_; }

    const std::vector<Fixe>& fixes(int i) const { return fixes_[size_t(i)]; }
    // When entrant i's retirement starts (noon UTC of the first day file
    // that says "Abandon ..."), or 0 when it never retired.
    Instant abandon(int i) const { return abandons_[size_t(i)]; }

    // Entrant i (1..n) at instant t: a binary search in a small index, a
    // scan of eight times.
    PositionFilm position(int i, Instant t) const;
    // The chosen entrants' positions at t into p (by entrant, 1..n; the
    // others not shown), their memory fetched ahead entrant by entrant.
    void positions(Instant t, const EnsembleConcurrents& choisis, std::vector<PositionFilm>& p) const;

    // Whether the race has day files (and so published rankings).
    bool publie() const { return a_ != nullptr; }

    // The published ranking at t: the archive day whose ranking was the
    // latest published at or before t (-1: none yet), its publication time,
    // and its rows in rank order (the unranked after), each with its
    // entrant's index.
    struct Ligne {
        int i;
        const TDonnees_conc* r;
    };
    int jour_publie(Instant t) const;
    Instant publication(int jour) const { return publications_[size_t(jour)]; }
    const std::vector<Ligne>& classement(int jour) const { return classements_[size_t(jour)]; }
    int nb_jours() const { return int(publications_.size()); }
    // A race of tracks has no published ranking: its order at t is
    // computed, by great-circle distance to the finish (miles; the
    // arrived first, in their order of arrival) when the race gives one,
    // else by name. The entrants shown at t, each with its distance (-1
    // when unknown).
    struct Calcule {
        int i;
        double distance;
    };
    std::vector<Calcule> ordre_calcule(Instant t) const;

    // Entrant i's row in that day's ranking, null when it has none.
    const TDonnees_conc* ligne(int jour, int i) const { return lignes_[size_t(jour)][size_t(i)]; }

    const ArchiveJours* archive() const { return a_; }

private:
    void prepare_legs(int i);
    // The block of index_ holding t (SIZE_MAX: before the first fix), the
    // first fix after t, the position given it.
    size_t bloc_de(int i, Instant t) const;
    size_t super_bloc_de(int i, Instant t) const;
    size_t bloc_dans(int i, Instant t, size_t super_bloc) const;
    size_t suivant_dans(int i, Instant t, size_t bloc) const;
    PositionFilm position_avant(int i, Instant t, size_t suivant) const;
    const ArchiveJours* a_ = nullptr;
    const Course* c_ = nullptr;
    bool fin_de_piste_ = false;  // a track without an end said: gone a day after its last fix
    std::vector<std::vector<Fixe>> fixes_ = std::vector<std::vector<Fixe>>(1);
    // The fixes' times apart, by entrant: the search of an instant reads a
    // tenth of the memory the fixes take.
    std::vector<std::vector<Instant>> temps_ = std::vector<std::vector<Instant>>(1);
    // Every 8th of them: the search runs in this small index, then in one
    // block of eight times.
    std::vector<std::vector<Instant>> index_ = std::vector<std::vector<Instant>>(1);
    // And every 64th, the index of the index (small enough to stay in the
    // processor's cache for a whole fleet).
    std::vector<std::vector<Instant>> index64_ = std::vector<std::vector<Instant>>(1);
    static constexpr size_t BLOC = 8;
    std::vector<Instant> abandons_;
    std::vector<Instant> publications_;                 // by archive day
    std::vector<std::pair<Instant, int>> par_publication_;  // (time, day), in time order
    std::vector<std::vector<Ligne>> classements_;       // by archive day
    std::vector<std::vector<const TDonnees_conc*>> lignes_;  // by day, by entrant
    Instant premier_ = INT64_MAX, dernier_ = INT64_MIN;  // none: empty
};

// The period a film covers: a selection's period of days, from the start of
// its first day to the end of its last, within the archive's fixes.
struct PeriodeFilm {
    Instant debut = 0, fin = 0;
};
PeriodeFilm periode_film(const Chronologie& c, const SelectionTrajets& s);

// The moment as a table, one row per entrant shown at t in the ranking's
// order (then those it does not hold), under a header line: rank ("NC"),
// skipper, boat, latitude and longitude (decimal degrees, North and East
// positive, 4 decimals, `sep` for the point), what the position is.
std::vector<QStringList> lignes_positions(const Chronologie& c, Instant t, QChar sep);

// The record of a race of tracks, one row per entrant under a header:
// skipper, boat, distance sailed (the great-circle legs between its fixes,
// miles), time raced (days, first fix to last), average speed (knots), the
// best run over any 24 hours of its track (miles, interpolated at the
// window's ends; empty for a track shorter than a day).
std::vector<QStringList> bilan_pistes(const Chronologie& c, QChar sep);
// Its best 24-hour run (miles), -1 when it sailed less than a day.
double meilleures_24h(const std::vector<Fixe>& f);

// The film's clock text at an instant of race `c`: "Mardi 12 décembre
// 2000, 14h30 UTC · jour 33" (its first day is day 1).
// The title of the ranking published at that time: "Classement du
// 15/12/2000 à 20h00 UTC".
QString titre_classement(Instant publication);
QString texte_horloge(const Course& c, Instant t);

}  // namespace orv
