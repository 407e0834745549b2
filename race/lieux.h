// Named points: course marks, places and the waypoints of the theoretical
// route (their files: formats/fichier_lieux.h).
#pragma once

#include "pos_elem.h"

#include <QString>
#include <vector>

namespace orv {

struct TLieu {
    TPos_elem elem;
    bool a_droite = true;  // places: label right of a marked point
};

using ListeLieux = std::vector<TLieu>;

struct Lieux {
    ListeLieux liste_mp;     // course marks
    ListeLieux liste_lieux;  // places
    ListeLieux liste_route;  // route waypoints
};

// Fills an element from values.
void lieu_de_valeurs(TLieu& e, const QString& nom, bool a_droite, ext latitude, ext longitude);

}  // namespace orv
