// The navigation drawn on the chart: a great-circle path as a dotted
// polyline, and the distance label at the middle of a segment.
#pragma once

#include "carte.h"
#include "geometrie.h"

namespace orv {

// The great-circle distance between two positions (DD.MM), in red at the
// middle of their segment, shifted by its orientation and hemisphere.
void Affiche_dist_ortho(Carte& c, ext lat1, ext lon1, ext lat2, ext lon2);

// The path of `o` from (lat1, lon1) to (lat2, lon2), DD.MM, dotted in
// `couleur`: start, points, end; segments the X conversion puts a turn apart
// are skipped. Without points (one meridian), the straight segment.
void Affiche_graph_ortho(Carte& c, const Orthodromie& o, TColor couleur, ext lat1, ext lon1, ext lat2, ext lon2);

// A measurement between two positions (DD.MM): the great circle computed
// into `o` (about 16 points), then drawn with its distance label in the
// background's inverse colour. Two spellings of one meridian are drawn on
// the first one.
void calcule_mesure(Orthodromie& o, EtatLoxodromie& lox, const TPos_elem& a, const TPos_elem& b);
void trace_mesure(Carte& c, const Orthodromie& o, const TPos_elem& a, const TPos_elem& b);

}  // namespace orv
