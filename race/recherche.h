// The window's search: one field that finds an entrant (skipper or boat,
// any part of the name, case and accents ignored), a race day ("25/12",
// "25/12/2000"), a course mark or a place, as suggestions while typing.
#pragma once

#include "course.h"
#include "lieux.h"

#include <QDate>
#include <QString>
#include <vector>

namespace orv {

struct Trouvaille {
    enum Nature { Concurrent, Jour, Marque, Lieu };
    Nature nature = Concurrent;
    QString texte;       // what the suggestion shows
    int concurrent = 0;  // Concurrent: its index in the race
    QDate jour;          // Jour
    TPos_elem lieu;      // Marque, Lieu
};

// A name as the search compares it: lower case, without accents, blanks,
// hyphens, apostrophes or dots ("Le Brâvic" and "lebravic" alike).
QString forme_pliee(const QString& s);

// What `requete` finds in the race, at most `max`: the day it names when
// the race has that day, then the entrants (those whose name starts with it
// first), the marks, the places.
std::vector<Trouvaille> recherche(const Course& c, const Lieux& lieux, const QString& requete, size_t max = 12);

}  // namespace orv
