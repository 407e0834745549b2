// The continuous film's frames, drawn without any window: every entrant at
// its position of the moment (its trail, its speed line, an oriented boat,
// its name placed clear of the lines and of the other names), a layer over
// the still chart (coastlines, graticule, marks, places, route) that the
// composer keeps until the view changes. The window's frames, `--instant`
// and the video build the same scene.
#pragma once

#include "chronologie.h"
#include "rendu_course.h"

#include <QPoint>
#include <QRect>
#include <cstdint>
#include <vector>

namespace orv {

// The trail lengths offered: none, 1, 3 and 7 days, the whole race.
inline constexpr Instant TRAINEE_TOUTE = -1;
inline constexpr std::array<Instant, 5> TRAINEES = {0, UN_JOUR, 3 * UN_JOUR, 7 * UN_JOUR, TRAINEE_TOUTE};

// What a frame shows.
struct OptionsFilm {
    PeriodeFilm periode;
    EnsembleConcurrents concurrents;  // the entrants of the film
    Instant trainee = 3 * UN_JOUR;
    // Beside each name: its position's time, its rank; the speed lines;
    // the great circle between the two entrants when exactly two are chosen.
    AnnotationsTrajets annotations{false, true, false, false, false};
    int survole = 0;  // the entrant under the mouse: its name shown in any case
    TColor fond = clBlack;
};

// The moment: its instant, every entrant's position, the ranking published
// then.
struct InstantFilm {
    Instant t = 0;
    std::vector<PositionFilm> positions;  // 1..n
    int jour_classement = -1;
    // The entrants in the ranking's order, then those it does not hold.
    std::vector<int> ordre;
};
InstantFilm calcule_instant(const Chronologie& c, const OptionsFilm& o, Instant t);

// Where a frame put each entrant, for the pointer.
struct PlacementFilm {
    std::vector<bool> visible;  // 1..n
    std::vector<QPoint> marqueur;
    std::vector<QRect> etiquette;  // empty: dropped
    // The entrant whose boat lies within 6 pixels of (x, y), 0 if none.
    int sous(int x, int y) const;
};

// A name to place beside its boat: the entrant, its boat, the end of its
// speed line, the last points of its trail, the text's size.
struct NomAPlacer {
    int i = 0;
    QPoint bateau, bout_vitesse;
    std::vector<QPoint> trace;
    QSize taille;
};
// Each name, in the order given, at the first of eight places around its
// boat that lies whole in the client and crosses no speed line, no trail's
// last legs, no boat and no name placed before; a null rectangle when none
// is free (the entrant `survole`'s name is then put at the first).
std::vector<QRect> place_noms(const std::vector<NomAPlacer>& noms, const QRect& client, int survole);

// The trails of a view: each entrant's fixes as pixels of the view, the
// runs of fixes on one pixel kept once (a line between them draws
// nothing), made once per view and race, so that a frame's trails cost the
// view's resolution, not the fixes' count. A dense track (more than
// TRACE_DENSE such points, a tracker's) keeps those that hold its line
// within half a pixel.
class TracesVue {
public:
    static constexpr size_t TRACE_DENSE = 512;
    struct Point {
        QPoint px;
        double lon;
        int fixe;   // index of the fix among the entrant's
        Instant t;  // its time
    };
    // The trails of `c` in view `v` (made again when either changed).
    const std::vector<std::vector<Point>>& pour(const Chronologie& c, const Viewport& v);

private:
    std::vector<std::vector<Point>> traces_;
    const Chronologie* c_ = nullptr;
    Ajustement a_{};
    bool fait_ = false;
};

class CoucheFilm : public Couche {
public:
    CoucheFilm(const Chronologie& c, const OptionsFilm& o, const InstantFilm& m, PlacementFilm* placement = nullptr,
               TracesVue* traces = nullptr)
        : c_(c), o_(o), m_(m), placement_(placement), traces_(traces) {}
    void dessine(Carte& c) const override;

private:
    const Chronologie& c_;
    const OptionsFilm& o_;
    const InstantFilm& m_;
    PlacementFilm* placement_;
    TracesVue* traces_;
};

// The positions of the two chosen entrants when the great circle between
// them is asked and both are shown at the moment.
std::optional<std::pair<TPos_elem, TPos_elem>> deux_choisis(const InstantFilm& m, const OptionsFilm& o);

// The film's layers of a frame, into `s` over its still chart: every
// entrant at the moment, then the great circle between the two chosen.
void ajoute_couches_film(Scene& s, const Chronologie& c, const OptionsFilm& o, const InstantFilm& m,
                         PlacementFilm* placement = nullptr, TracesVue* traces = nullptr);

// The bounds (DD.MM) framing the boats shown at the moment (the first
// `nb` shown in the ranking's order), for a client larg pixels wide, as a
// day's fleet is framed; false when none is shown.
bool cadre_sur_instant(const InstantFilm& m, Viewport& v, int32_t larg, int nb = INT32_MAX);
// The bounds framing the chosen entrants over a period: their positions at
// its start and end and every fix between; false when none is shown.
bool cadre_sur_periode(const Chronologie& c, const EnsembleConcurrents& concurrents, PeriodeFilm p,
                       Viewport& v, int32_t larg);
// The same at once, whatever its place: the boat in the middle.
void centre_sur_position(Viewport& v, const PositionFilm& p, int32_t larg, int32_t haut);
// The entrant a "follow" choice names at the moment: itself, or for -1 the
// first shown in the ranking's order (0: none).
int concurrent_suivi(const InstantFilm& m, int suivre);

}  // namespace orv
