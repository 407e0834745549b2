// A named point of the chart: a name with a position in DD.MM.
#pragma once

#include "convers.h"

#include <QString>

namespace orv {

inline constexpr int LONGUEUR_TEXTE_COURT = 255;

// Cuts a text to the 255 characters of a short text.
inline QString texte_court(const QString& s) { return s.left(LONGUEUR_TEXTE_COURT); }

struct TPos_elem {
    QString nom;        // at most 255 characters
    ext latitude = 0;   // DD.MM, North positive
    ext longitude = 0;  // DD.MM, West positive
};

inline TPos_elem cree_pos_elem(const QString& nom, ext latitude, ext longitude)
{
    return TPos_elem{texte_court(nom), latitude, longitude};
}

}  // namespace orv
