// Sailor's arithmetic on the sphere: rhumb lines (loxodromie) and great
// circles (orthodromie). One nautical mile is one minute of arc; no Earth
// radius is involved. Latitudes are North positive, longitudes WEST positive.
// Courses are true courses in radians, clockwise from North, 0..2π.
//
// None of these computations touch the chart viewport: the date-line
// correction they apply is the pure ecart_corrige.
#pragma once

#include "convers.h"
#include "pos_elem.h"

#include <array>
#include <cstdint>

namespace orv {

// Rhumb-line state: the latest computation, whoever made it.
struct EtatLoxodromie {
    ext dL = 0;       // latitude difference end - start, radians
    ext dG = 0;       // longitude difference end - start, radians, date-line corrected
    ext dist_lox = 0; // miles, ≥ 0
    ext cap_lox = 0;  // radians
};

// Course and distance of a rhumb line from latitude phi1 to phi2 (radians)
// with differences dL, dG (radians). Sets dist_lox and cap_lox.
void loxodromie(EtatLoxodromie& e, ext dL, ext dG, ext phi1, ext phi2);

// Rhumb-line distance in miles between two positions in radians; sets dL,
// dG (the short way across 180°), dist_lox and cap_lox.
ext distance_loxo(EtatLoxodromie& e, ext phi1, ext lam1, ext phi2, ext lam2);

// Great-circle distance in miles between two positions in DD.MM.
ext dist_ortho(ext lat1, ext lon1, ext lat2, ext lon2);

inline constexpr int MAX_PTS_ORTH = 101;

// Great-circle path: intermediate points (latitude and longitude in
// RADIANS, names unset) and the rhumb-line course of every leg: entry 0 from
// the start to the first point, entry k from point k-1 to point k, entry
// nb_pts_orth from the last point to the end.
struct Orthodromie {
    std::array<TPos_elem, MAX_PTS_ORTH> pts_orth{};
    int32_t nb_pts_orth = 0;
    std::array<ext, MAX_PTS_ORTH + 1> caps_orth{};
};

// Lays out the great-circle path from (lat1, lon1) to (lat2, lon2), DD.MM,
// with points every `pas` degrees of longitude. Equal longitudes give no
// points. A spacing that is not a finite number in (0, 360], positions that
// are not finite, or a path that would need more than 101 points are
// refused: no points.
void calcul_orthodromie(Orthodromie& o, EtatLoxodromie& lox, ext lat1, ext lon1, ext lat2,
                        ext lon2, ext pas);

// The spacing every caller uses: one sixteenth of the longitude difference
// (taken the short way across 180°), in degrees. Positions in DD.MM.
ext pas_orthodromie(ext lon1, ext lon2);

// Offset of a distance label from the middle of its segment, by the
// segment's orientation and hemisphere (positions in DD.MM).
struct Decalage {
    int dx, dy;
};
Decalage decalage_etiquette(ext lat1, ext lon1, ext lat2, ext lon2);

class Viewport;
// Whether the segment between longitudes A and B (DD.MM) can be drawn as a
// straight line in the view: false when the X conversion puts its ends on
// opposite sides of a 360° shift.
bool correlation_dx_dG(const Viewport& v, ext A, ext B);

// The distance label: whole miles right-aligned in 5 characters, then
// " milles".
QString texte_distance(ext milles);

}  // namespace orv

#include <QStringList>

namespace orv {
// The command-line read-out of a trip between two positions (DD.MM, West
// positive): great-circle distance, rhumb-line distance and course, then
// the great-circle points with the course of the leg reaching each.
QStringList lignes_distance(ext lat1, ext lon1, ext lat2, ext lon2);
}  // namespace orv
