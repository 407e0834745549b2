// Zoom and pan of a view, without any window: the zoom into a rectangle of
// pixels, the zoom-out step, the pan by a dragged line and the zoom around a
// point, on the viewport of the last fit and its client (logical pixels).
// Each changes the requested bounds; the next paint fits them.
#pragma once

#include "viewport.h"

namespace orv {

// Whether a rectangle of pixels (either corner first) can be zoomed into:
// more than 0.001° each way.
bool zoom_ok(const Viewport& v, int x1, int y1, int x2, int y2);
// Into the rectangle; false (nothing changed) when zoom_ok says no.
bool zoom_rectangle(Viewport& v, int x1, int y1, int x2, int y2);
// One step out around the centre of a client of larg × haut pixels; false
// at the widest view.
bool zoom_arriere(Viewport& v, int32_t larg, int32_t haut);
// The pan of a drag from (x1, y1) to (x2, y2): the area moves with the
// mouse. Its shifts in degrees (pas_G west, pas_L north).
struct Decalage_panoramique {
    ext pas_G = 0, pas_L = 0;
};
Decalage_panoramique panoramique(Viewport& v, int x1, int y1, int x2, int y2);
// Zoom by `facteur` (below 1: in) keeping the point (DD.MM) under its
// pixel; false when refused by the limits.
bool zoom_autour(Viewport& v, ext lat_P, ext lon_P, ext facteur, int32_t larg, int32_t haut);

}  // namespace orv
