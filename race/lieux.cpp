#include "lieux.h"

namespace orv {

void lieu_de_valeurs(TLieu& e, const QString& nom, bool a_droite, ext latitude, ext longitude)
{
    e.elem = cree_pos_elem(nom, latitude, longitude);
    e.a_droite = a_droite;
}

}  // namespace orv
