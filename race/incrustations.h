// The texts burned into the video's frames and into `--png --instant
// --incrustations`: the title line "Orvalis 2000 - 2001", the clock of the
// moment, and the first five rows of the ranking published then, each with
// its entrant's colour. Sized from the picture's height, legible at 1280×720.
#pragma once

#include "chronologie.h"
#include "rendu_film.h"

#include <QImage>

namespace orv {

// Draws them on `image` (its device pixel ratio says how many physical
// pixels a logical one is); `couleurs` are the entrants' (couleurs_conc_pour).
void dessine_incrustations(QImage& image, const Chronologie& c, const InstantFilm& m, Instant t,
                           const std::array<TColor, 25>& couleurs);

}  // namespace orv
