// The chart drawn on a canvas through a viewport, without any window: the
// erase, the fit, the coastlines and the graticule of every paint, and the
// primitives every layer draws with (the line, the named point, the pixel
// conversions).
#pragma once

#include "canevas.h"
#include "cartes.h"
#include "pos_elem.h"
#include "viewport.h"

namespace orv {

// The chart's colours from the settings: the sea and the coastline dots.
struct StyleCarte {
    TColor fond = clBlack;
    TColor coul_points = 0x0078F0;
    // The modern chart (filled land on a blue sea) in place of the dots.
    bool moderne = false;
};

// The classic graticule's colour.
inline constexpr TColor COUL_GRATICULE = 0x7E7E2A;

// The modern chart's sea, the background of everything drawn on it.
inline constexpr TColor MER_MODERNE = 0xE0CBA9;

class Carte {
public:
    Carte(Canevas& c, Viewport& v) : canevas(c), vue(v) {}

    Canevas& canevas;
    Viewport& vue;
    int32_t larg_client = 0, haut_client = 0;  // the client of the paint
    int32_t x_elem = 0, y_elem = 0;            // where the last line or point went
    TColor couleur_fond = clBlack;

    // The paint of the chart: the erase in the sea's colour, the fit of the
    // viewport to a client of larg × haut pixels, the coastlines (when maps
    // are given), the graticule and the reference lines.
    void peint(const Cartes* cartes, const StyleCarte& style, int32_t larg, int32_t haut);
    // The fit, then coastlines and graticule (the body of every paint).
    void trace_merid_paral(ext sud, ext ouest, ext nord, ext est, const Cartes* cartes, TColor coul_points);
    void trace_cartes(const Cartes& cartes, TColor coul_points);
    // A line from (x1, y1) to (x2, y2), end pixel not set, with the pen.
    void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    // A named point: a yellow dot and its name, when inside the client.
    void TPos_elem_plot(const TPos_elem& e);

    int32_t pos_grX(ext lambda_rad) const { return vue.pos_grX(lambda_rad); }
    int32_t pos_grY(ext phi_rad) const { return vue.pos_grY(phi_rad); }
    ext long_(int32_t x) const { return vue.long_(x); }
    ext lat(int32_t y) const { return vue.lat(y); }
};

// Step rounding of the graticule (degrees).
ext arrondi_pas(ext pas);
// First meridian (pas ≥ 1: a whole multiple at or west of G_gauche).
ext premier_meridien(ext G_gauche, ext pas);
ext premier_parallele(ext L_haut, ext pas);
// Label of a meridian or parallel at `v` degrees with its hemisphere letter
// (`pos` for v ≥ 0, `neg` for v < 0).
QString etiquette_graticule(ext v, char pos, char neg);

}  // namespace orv
