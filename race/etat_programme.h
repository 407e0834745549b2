// The program-wide state, one named instance each, held
// together by whoever runs the program (the window, a command of the
// command line, a test) and passed to what uses it: nothing reaches it
// through a global.
#pragma once

#include "calendrier.h"
#include "cartes.h"
#include "course.h"
#include "donnees.h"
#include "geometrie.h"
#include "lieux.h"
#include "pistes.h"
#include "trajets.h"
#include "viewport.h"

namespace orv {

struct EtatProgramme {
    Course course;              // the race shown
    Viewport vue;               // the chart's bounds and their fit
    Cartes cartes;              // the coastline maps and their directory
    Orthodromie orthodromie;    // the latest great-circle path
    EtatLoxodromie loxodromie;  // the latest rhumb-line computation
    EtatDate date;              // the chosen date and its texts
    JourCourse jour;            // the loaded race day
    ArchiveJours archive;       // every entrant's records over the race
    std::vector<Piste> pistes;  // a race of tracks: its fixes (none for day files)
    Lieux lieux;                // course marks, places, route waypoints
};

}  // namespace orv
