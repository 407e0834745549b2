// The replay of the race in the main window: its panel, the assembly of the
// archive, and its three progressions (every track at once,
// one day per period on a timer, one day per key press) with their keys and
// the chart following the fleet. It draws through the race picture's layers
// (CoucheTrajets, CouchePas), added to the window's scene at its paint.
#pragma once

#include "panneau_trajets.h"
#include "rendu_course.h"
#include "services_fenetre.h"
#include "trajets.h"

#include <QString>
#include <array>
#include <functional>
#include <memory>

class QKeyEvent;
class QTimer;

namespace orv {

class Rejeu {
public:
    explicit Rejeu(FenetreDuRejeu& f) : f_(f) {}
    ~Rejeu();

    PanneauTrajets* PanelTraj = nullptr;  // made with the window
    void cree_panneau();

    bool trajets_constitues = false;  // the archive is assembled
    bool trajets_actifs = false;      // a replay is shown (instead of the day's boats)
    bool defilement_en_cours = false; // step by step: timed or manual
    bool cadence_en_cours = false;        // the timed replay is running
    bool cadence_en_pause = false;
    int periode_cadence = 3000;       // milliseconds
    int nb_jours_traj = 0, jour_traj = 0, dernier_conc = 0;
    ext marge_lat = 0.5L, marge_long = 0.5L;
    SelectionTrajets selection_traj;
    // The progression and the annotations validated by OK: the panel's
    // boxes changed without OK change nothing shown.
    int mode_valide = 0;
    AnnotationsTrajets annotations_valides;
    Etapes etapes;
    PasDeRejeu pas;                   // the step on display
    bool pas_montre = false;
    // The export's file, asked by a dialog (a script in the tests).
    std::function<QString()> choisit_fichier_export;

    void Trajets1Click();
    void Constitue_trajets();
    void BTokTrajClick();
    void BTAnnulTrajClick();
    void BTExporterClick();
    void Trac_traj_inst();
    void Trac_traj_cadenc();
    void Trac_traj_man();
    void un_pas();
    void etape_cadencee();
    void arrete_cadence();
    // The keys of a replay in progress; false when the key is not theirs.
    bool touche(QKeyEvent* e);
    // Ends it: the panel hidden, the progression and its timer stopped.
    // Whether one was on.
    bool termine();
    // What the window's paint draws over the chart, into `s`: every track,
    // or the step on display (and the distance between the two chosen);
    // false when the replay draws nothing (the day's boats are shown then,
    // or nothing during a step-by-step replay that has not shown its first
    // day).
    bool ajoute_couches(Scene& s) const;
    bool chart_seule() const { return trajets_actifs && defilement_en_cours && !pas_montre; }

private:
    // The panel's entrants and period; false, the reason said, when not chosen.
    bool selection_du_panneau(SelectionTrajets& s);
    void demarre_etapes();
    void cadre_sur_pas(const std::vector<const TDonnees_conc*>& fixes);
    QTimer* minuterie();
    FenetreDuRejeu& f_;
    QTimer* minuterie_ = nullptr;
    std::vector<bool> vu_;  // entrants drawn since the replay started
    std::vector<TPos_elem> releve_prec_;  // their last fix drawn
};

}  // namespace orv
