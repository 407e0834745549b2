// What the program exports: the tracks as GPX or KML, the statistics'
// record as CSV; every file through the checked writer.
#pragma once

#include "chronologie.h"
#include "statistiques.h"
#include "trajets.h"

#include <QString>
#include <cstdint>
#include <vector>

namespace orv {

// The chosen entrants' tracks over the period as GPX 1.1 or KML 2.2 (by
// the file name's extension: .gpx, .kml), positions in decimal degrees,
// East positive. One track per entrant named with its skipper and boat;
// the records that give no real position are left out, and so are the
// repeats of an arrival. KML lines take the entrants' colours (0x00BBGGRR).
// Entrants without a point in the period are left out; with none at all,
// nothing is written (aucune_position()). Written atomically. False with
// `erreur` in French.
bool exporte_trajets(const ArchiveJours& a, const SelectionTrajets& s, const QString& chemin,
                     const std::vector<uint32_t>& couleurs, QString& erreur);

// The same for a race of tracks: the chosen entrants' fixes from `debut`
// to `fin`.
bool exporte_pistes(const Chronologie& c, const EnsembleConcurrents& choisis, Instant debut, Instant fin,
                    const QString& chemin, const std::vector<uint32_t>& couleurs, QString& erreur);

// The "Bilan"'s CSV (csv_bilan) written atomically.
bool ecrit_csv_bilan(const StatistiquesCourse& s, const QString& chemin, QString& erreur);

}  // namespace orv
