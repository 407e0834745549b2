// The coastline dot loop: every record of a map becomes one pixel of the
// image, through the fit of the current paint.
#pragma once

#include "canevas.h"
#include "cartes.h"
#include "viewport.h"

namespace orv {

// Colour of a map's dots: coul_points while the view is wider than 8°,
// red below; "ST" maps grey and "LK" maps blue at any zoom.
TColor couleur_carte(const CartePix& carte, const Ajustement& vp, TColor coul_points);

// Writes the dots of one map into `img` (Format_RGB32). Dots outside
// 0..larg_client, 0..haut_client, outside the image, or not finite are
// skipped.
void trace_points(QImage& img, const Ajustement& vp, int32_t larg_client, int32_t haut_client,
                  const double* enregs, int64_t nb, QRgb couleur);

// All maps, in list order.
void trace_toutes_cartes(QImage& img, const Ajustement& vp, int32_t larg_client,
                         int32_t haut_client, const Cartes& c, TColor coul_points);

}  // namespace orv
