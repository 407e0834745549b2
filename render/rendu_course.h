// The layers of the race picture, drawn without any window: the chart
// (coastlines, graticule), the course marks and places, the theoretical
// route (still), then what is shown over them (the day's boats, the tracks
// of a replay, one of its steps, a distance measured), in that paint order.
#pragma once

#include "carte.h"
#include "cartes.h"
#include "donnees.h"
#include "lieux.h"
#include "scene.h"
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
// colour of the speed band; its end.
QPoint trait_vitesse(Carte& c, int x, int y, ext vitesse, ext cap, bool fond_clair);

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

// The chart: the erase in the sea's colour, the coastlines (when maps are
// loaded), the graticule and the reference lines.
class CoucheCarte : public Couche {
public:
    CoucheCarte(const Cartes* cartes, const StyleCarte& style) : cartes_(cartes), style_(style) {}
    void dessine(Carte& c) const override;
    bool fixe() const override { return true; }
    CleCouche cle() const override;

private:
    const Cartes* cartes_;
    StyleCarte style_;
};

// The modern chart: flat land on a blue sea, lakes, coast and borders as
// smooth lines, a discreet graticule.
class CoucheCarteModerne : public Couche {
public:
    CoucheCarteModerne(const Cartes* cartes, const StyleCarte& style) : cartes_(cartes), style_(style) {}
    void dessine(Carte& c) const override;
    bool fixe() const override { return true; }
    CleCouche cle() const override;

private:
    const Cartes* cartes_;
    StyleCarte style_;
};

// The welcome picture, alone on the sea's colour.
class CoucheAccueil : public Couche {
public:
    CoucheAccueil(const QImage& image, TColor fond) : image_(image), fond_(fond) {}
    void dessine(Carte& c) const override;
    bool fixe() const override { return true; }
    CleCouche cle() const override;

private:
    const QImage& image_;
    TColor fond_;
};

// The course marks and the places.
class CoucheLieux : public Couche {
public:
    explicit CoucheLieux(const Lieux& l) : l_(l) {}
    void dessine(Carte& c) const override;
    bool fixe() const override { return true; }
    CleCouche cle() const override;

private:
    const Lieux& l_;
};

// The theoretical route.
class CoucheRoute : public Couche {
public:
    explicit CoucheRoute(const std::vector<TLieu>& route) : route_(route) {}
    void dessine(Carte& c) const override { Trace_route_theo(c, route_); }
    bool fixe() const override { return true; }
    CleCouche cle() const override;

private:
    const std::vector<TLieu>& route_;
};

// The still chart of a race picture, into `s`: the chart, the marks and
// places (when given), the route (when given).
void ajoute_fond_course(Scene& s, const Cartes* cartes, const StyleCarte& style, const Lieux* lieux,
                        const std::vector<TLieu>* route = nullptr);

// A distance measured between two positions (DD.MM): the great-circle path
// and its figures.
class CoucheMesure : public Couche {
public:
    CoucheMesure(const TPos_elem& a, const TPos_elem& b) : a_(a), b_(b) {}
    void dessine(Carte& c) const override;

private:
    TPos_elem a_, b_;
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

// The day's boats on the modern chart: each a small hull along its course
// in the film's colour of its entrant, its speed line, its name haloed and
// placed clear of the lines and of the names placed before it, in the
// ranking's order (dropped when no place is free).
class CoucheJourModerne : public Couche {
public:
    CoucheJourModerne(const JourCourse& j, const Course& course, TColor fond) : j_(j), course_(course), fond_(fond) {}
    void dessine(Carte& c) const override;

private:
    const JourCourse& j_;
    const Course& course_;
    TColor fond_;
};

// A boat as a hull 11 pixels long along `cap` (degrees) centred on q.
void trace_coque(Canevas& k, QPoint q, double cap, TColor couleur, bool plein);

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
// drawn before.
struct PasDeRejeu {
    std::vector<const TDonnees_conc*> releves;   // 1..n
    std::vector<bool> premiers;
    std::vector<TPos_elem> precedents;  // latitude 180: none
    EnsembleConcurrents choisis;
    // The positions of the two chosen entrants (list order), when exactly
    // two are chosen and both have a fix this step.
    std::optional<std::pair<TPos_elem, TPos_elem>> deux_choisis() const;
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

}  // namespace orv
