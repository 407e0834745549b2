// Two boats compared over a period: at each instant, both positions, the
// great-circle separation, the bearing from the first to the second, and
// the miles the first has gained on the second towards the finish since the
// comparison's first instant.
#pragma once

#include "chronologie.h"

#include <QStringList>
#include <vector>

namespace orv {

struct PasDuel {
    Instant t = 0;
    PositionFilm a, b;   // each shown or not (no position then)
    bool deux = false;   // both have a position
    double ecart = 0;    // miles
    double releve = 0;   // degrees, 0 to 360, from the first to the second
    // (d2(t) − d1(t)) − (d2(t0) − d1(t0)), d the distance to the finish,
    // t0 the first instant where both have a position; positive when the
    // first gained. Only with a finish and from t0 on.
    bool gain_connu = false;
    double gain = 0;
};

// From `debut` to `fin` every `pas` seconds.
std::vector<PasDuel> duel(const Chronologie& c, int i1, int i2, Instant debut, Instant fin, Instant pas);

// The same as rows under a header (French, as data): the instant
// ("JJ/MM/AAAA HHhMM"), each position in decimal degrees (North and East
// positive) with its nature, the separation, the bearing and the gain;
// "sans position" where a boat has none.
std::vector<QStringList> lignes_duel(const Chronologie& c, int i1, int i2, Instant debut, Instant fin, Instant pas,
                                     QChar sep);

// The period both boats are in the race: from the later first fix to the
// earlier last one. Empty (debut > fin) when they never are together.
std::pair<Instant, Instant> periode_commune(const Chronologie& c, int i1, int i2);

}  // namespace orv
