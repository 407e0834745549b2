// The race picture, drawn without any window: the chart (coastlines,
// graticule), the course marks and places, the theoretical route, then the
// layers of what is shown over them (the day's boats, the tracks of a
// replay, one of its steps), in that paint order. The window's
// paint, every `--png` and the film's frames all draw through rend_scene.
//
// A new layer is a class derived from Couche: it draws with the chart's
// primitives (Carte) and is put in SceneCourse::couches where it belongs in
// the paint order.
#pragma once

#include "carte.h"
#include "donnees.h"
#include "lieux.h"
#include "trajets.h"

#include <QImage>
#include <optional>
#include <vector>

namespace orv {

// Colour of a speed line for a speed in knots.
TColor couleur_vitesse(ext noeuds, bool fond_clair);
// Pen colour of an entrant's track on a background (navy shifts it).
TColor couleur_trajet(TColor couleur_conc, TColor fond);
// Pen style of entrant i's track: by i mod 5, solid, dash, dot, dash-dot,
// dash-dot-dot.
StylePlume style_trajet(int i);

// The named points in their label styles.
void trace_marque(Carte& c, const TPos_elem& e);  // a course mark
void trace_marques(Carte& c, const Lieux& l);
void trace_lieux(Carte& c, const Lieux& l);

// The theoretical route: the waypoints joined by great circles (about 16
// points a leg), every node in radians; empty with fewer than two
// waypoints. Its own great-circle results: nothing program-wide changes.
std::vector<TLieu> construit_route(const ListeLieux& points_de_route);
// The race's theoretical route: the waypoints of its route file ("FIMPV.txt")
// in `rep` read into `l` (its list emptied first) and joined. Nothing, with
// the reason in French in `erreur`, when the file cannot be read or gives
// fewer than two points; `avis` says what a file that still gives a route
// left out.
std::optional<std::vector<TLieu>> lit_route_theorique(const Course& c, Lieux& l, const QString& rep, QString& erreur,
                                                      QString& avis);
void Trace_route_theo(Carte& c, const std::vector<TLieu>& route);

// A boat of the day: its dot, its name, its speed line.
void trace_concurrent(Carte& c, const TDonnees_conc& r, bool fond_clair);
// The speed line from (x, y): 4 pixels per knot along the course, in the
// colour of the speed band.
void trait_vitesse(Carte& c, int x, int y, ext vitesse, ext cap, bool fond_clair);

// What a replay writes beside each fix (the panel's check boxes).
struct AnnotationsTrajets {
    bool dates = true, vitesses = true, classement = true;
    bool distance_entre_deux = false;  // between the two chosen entrants, step by step
    bool distances_parcourues = true;  // since the previous fix
};

// The drawing of fixes one after another, each joined to the entrant's
// previous one (Plot_traj_conc).
class TraceurTrajets {
public:
    TraceurTrajets(const AnnotationsTrajets& a, const std::vector<TColor>& couleurs, TColor fond);
    // Fix r of entrant i; `premier`: the period's first, no segment to it.
    void Plot_traj_conc(Carte& c, const TDonnees_conc& r, int i, bool premier);
    // The last fix drawn of each entrant (latitude 180: none).
    std::vector<TPos_elem> releve_prec;

private:
    AnnotationsTrajets a_;
    std::vector<TColor> couleurs_;
    TColor fond_;
};

// A layer drawn over the chart, marks, places and route.
class Couche {
public:
    virtual ~Couche() = default;
    virtual void dessine(Carte& c) const = 0;
};

// The day's boats.
class CoucheJour : public Couche {
public:
    CoucheJour(const JourCourse& j, TColor fond) : j_(j), fond_(fond) {}
    void dessine(Carte& c) const override;

private:
    const JourCourse& j_;
    TColor fond_;
};

// Every track of a replay's selection over its period, at once.
class CoucheTrajets : public Couche {
public:
    CoucheTrajets(const ArchiveJours& a, const SelectionTrajets& s, const AnnotationsTrajets& an,
                  const std::vector<TColor>& couleurs, TColor fond)
        : a_(a), s_(s), an_(an), couleurs_(couleurs), fond_(fond) {}
    void dessine(Carte& c) const override;

private:
    const ArchiveJours& a_;
    SelectionTrajets s_;
    AnnotationsTrajets an_;
    std::vector<TColor> couleurs_;
    TColor fond_;
};

// One step of a replay step by step: the step's fixes, joined to the ones
// drawn before; between the two chosen entrants, the great circle and its
// distance when asked.
struct PasDeRejeu {
    std::vector<const TDonnees_conc*> releves;   // 1..n
    std::vector<bool> premiers;
    std::vector<TPos_elem> precedents;  // latitude 180: none
    EnsembleConcurrents choisis;
};
class CouchePas : public Couche {
public:
    CouchePas(const PasDeRejeu& p, const AnnotationsTrajets& an, const std::vector<TColor>& couleurs, TColor fond)
        : p_(p), an_(an), couleurs_(couleurs), fond_(fond) {}
    void dessine(Carte& c) const override;

private:
    const PasDeRejeu& p_;
    AnnotationsTrajets an_;
    std::vector<TColor> couleurs_;
    TColor fond_;
};

// What the picture shows.
struct SceneCourse {
    const Cartes* cartes = nullptr;
    StyleCarte style;
    const QImage* accueil = nullptr;            // the welcome picture, alone
    const Lieux* lieux = nullptr;               // course marks and places
    const std::vector<TLieu>* route = nullptr;  // the theoretical route; null: off
    std::vector<const Couche*> couches;         // then these, in order
};

// Draws the scene on `c`'s canvas, a client of larg × haut pixels, the
// viewport fitted on the way.
void rend_scene(Carte& c, const SceneCourse& s, int32_t larg, int32_t haut);

}  // namespace orv
