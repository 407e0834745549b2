// The texts burned into the video's frames and into `--png --instant
// --incrustations`: the race's name ("Orvalis 2000 - 2001"), the clock of the
// moment, and the first five rows of the ranking published then, each with
// its entrant's colour (the film's, as its boat, trail and leaderboard). Sized from the picture's height, legible at 1280×720.
#pragma once

#include "chronologie.h"
#include "rendu_film.h"
#include "scene.h"

#include <QImage>

namespace orv {

// The entrants the ranking's box lists: the first `n` ranked (never an
// unranked one) shown at the moment, in rank order.
std::vector<int> premiers_du_classement(const Chronologie& c, const InstantFilm& m, int n);

// Draws them on `image` (its device pixel ratio says how many physical
// pixels a logical one is), each entrant in the film's colour.
void dessine_incrustations(QImage& image, const Chronologie& c, const InstantFilm& m);

// The same as the top layer of a video's frame.
class CoucheIncrustations : public Couche {
public:
    CoucheIncrustations(const Chronologie& c, const InstantFilm& m) : c_(c), m_(m) {}
    void dessine(Carte& c) const override { dessine_incrustations(c.canevas.image(), c_, m_); }

private:
    const Chronologie& c_;
    const InstantFilm& m_;
};

}  // namespace orv
