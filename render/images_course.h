// The pictures of the command line (`--png`), drawn without any window
// through the race picture's renderer, as the main window shows them: the
// chart alone, a race day, the tracks of a replay.
#pragma once

#include "emplacements.h"
#include "etat_programme.h"
#include "reglages.h"
#include "rendu_course.h"
#include "rendu_film.h"

#include <QImage>
#include <QPainter>
#include <QSize>
#include <functional>
#include <optional>

namespace orv {

// Bounds asked on the command line (DD.MM, West positive).
struct Zone {
    ext nord = 0, sud = 0, ouest = 0, est = 0;
};

// How a picture is made: the program's directory, its settings, its maps
// (loaded into the state when not yet), where messages go.
struct SourceImage {
    Emplacements emplacements;  // the program's data and day files
    Reglages reglages;
    std::function<void(const QString&)> message;
    // Physical pixels per logical one: the picture as a screen of that
    // density shows it, `taille` being its logical size.
    double echelle = 1;
    // The modern chart; its sea is then the background (reglages.fond).
    bool moderne = false;
    // A page (PDF, printer) that takes the picture as paths and text, in
    // logical pixels; the picture returned is then empty of it.
    QPainter* page = nullptr;
};

// `s` drawn in the modern or the classic style.
void pose_style(SourceImage& s, bool moderne);

// The bounds of the window before any day (55° N to the equator, 80° W to
// Greenwich).
void vue_avant_le_jour(Viewport& v);

// Loads the maps of the program into `e` (once); its marks and places,
// each problem said through s.message.
void charge_cartes_programme(EtatProgramme& e, const SourceImage& s);
void charge_lieux_programme(EtatProgramme& e, const SourceImage& s);
// The still chart of `e` (maps, marks and places, the route when given)
// in the settings' colours, into `scene`.
void ajoute_fond_programme(Scene& scene, const EtatProgramme& e, const SourceImage& s,
                           const std::vector<TLieu>* route = nullptr);

// The chart alone, in the default colours: the world, or the zone.
QImage image_carte(EtatProgramme& e, const SourceImage& s, const std::optional<Zone>& zone, QSize taille);

// The race picture of a day (marks, places, boats; the route when asked),
// framed on the fleet as loading the day frames it, then on the zone when
// one is given. Null, with the reason in `erreur`, when the day or the
// route cannot be read.
QImage image_jour(EtatProgramme& e, const SourceImage& s, const QDate& jour, bool route,
                  const std::optional<Zone>& zone, QSize taille, QString& erreur);

// Every track of the selection over its period, framed on them (the
// replay's instant drawing). Null when there is no fix.
QImage image_trajets(EtatProgramme& e, const SourceImage& s, const SelectionTrajets& selection, QSize taille,
                     QString& erreur);

// A frame of the continuous film at `t` through the view of `e` as it
// stands, as the window draws it (the chart, marks and places, then the
// film's layer).
QImage image_film(EtatProgramme& e, const SourceImage& s, const Chronologie& c, const OptionsFilm& o, Instant t,
                  QSize taille);

// The film at an instant for the command line: every entrant over the
// whole race, names and speed lines, the trail given (TRAINEES), framed on
// the fleet of the moment, or centred on the boat followed (an entrant, or
// -1 the leader of the moment) at that scale.
// The boat followed not on the chart at that instant: said through
// s.message, the picture framed on the fleet.
QImage image_instant(EtatProgramme& e, const SourceImage& s, const Chronologie& c, Instant t, Instant trainee,
                     int suivre, QSize taille);

// The film's options for every entrant over the whole race at t (the
// window's "Film continu de la course").
OptionsFilm options_course_entiere(const Chronologie& c, TColor fond);

}  // namespace orv
