// The colours that tell the entrants apart in the continuous film, its
// leaderboard and the statistics window: twelve clearly distinct hues
// readable on the black chart (from Sasha Trubetskoy's "List of 20 Simple,
// Distinct Colors", leaving out the red, yellow, lime and orange of the
// speed bands and the coastline, and those too dark on black or too near
// white), each in two line styles: entrants 1 to 12 solid, 13 to 24 dashed,
// and so on.
// (The day-by-day replay and the KML export keep couleurs_conc.)
#pragma once

#include "canevas.h"

#include <QColor>

namespace orv {

inline constexpr int NB_TEINTES = 12;

// Entrant i's colour (from 1) as the chart stores colours, and as Qt does.
TColor couleur_entrant(int i);
QColor qcouleur_entrant(int i);
// Whether entrant i's lines are dashed.
bool tirets_entrant(int i);
inline StylePlume style_entrant(int i) { return tirets_entrant(i) ? StylePlume::Tiret : StylePlume::Plein; }

}  // namespace orv
