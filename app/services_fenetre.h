// What the parts of the main window (the replay, the continuous film, the
// picture of the view) ask of it: each part holds the interface of what it
// uses, never the whole window. The window implements them.
#pragma once

#include "emplacements.h"
#include "etat_programme.h"
#include "reglages.h"
#include "trajets.h"

#include <QString>
#include <optional>
#include <vector>

class QMainWindow;
class QWidget;

namespace orv {

struct AnnotationsTrajets;
class GestionOutils;

// What every part uses.
class ServicesFenetre {
public:
    virtual ~ServicesFenetre() = default;
    // The model: the race, its archive, the day, the view.
    virtual EtatProgramme& modele() = 0;
    virtual const Emplacements& fichiers() const = 0;
    // The chart's widget: its size, its focus, its cursor.
    virtual QWidget& vue_carte() = 0;
    // The status line; information and warning boxes.
    virtual void message(const QString& texte) = 0;
    virtual void informe(const QString& texte) = 0;
    virtual void avertit(const QString& texte) = 0;
    // The picture drawn again.
    virtual void redessine() = 0;
    virtual void titre(const QString& t) = 0;
    // A mouse gesture in progress cut short.
    virtual void abandonne_geste() = 0;
    // The ranking commands on or off.
    virtual void active_classement(bool oui) = 0;
    // The entrants' colours and the sea's.
    virtual const std::vector<TColor>& couleurs() const = 0;
    virtual TColor fond() const = 0;
};

// What the replay asks besides.
class FenetreDuRejeu : public virtual ServicesFenetre {
public:
    virtual GestionOutils& gestion_outils() = 0;
    virtual QString message_affiche() const = 0;
    // A double click: every tool left; then the calendar.
    virtual void quitte_outil() = 0;
    virtual void choisit_date() = 0;
    // The commands a replay step by step holds greyed.
    virtual void grise_commandes() = 0;
    // The continuous film over a replay's entrants, period and annotations.
    virtual void demarre_film(const SelectionTrajets& s, const AnnotationsTrajets& a) = 0;
    virtual void ferme_film() = 0;
};

// What the continuous film asks besides.
class FenetreDuFilm : public virtual ServicesFenetre {
public:
    // The frame of the window (its docks), none in some tests.
    virtual QMainWindow* cadre_fenetre() = 0;
    // The archive assembled (once); false, said, when it cannot be.
    virtual bool archive_prete() = 0;
    virtual void termine_rejeu() = 0;
    // Whether a race day is shown, and how many of its boats frame it.
    virtual bool jour_affiche() const = 0;
    virtual int cadrage_du_jour() const = 0;
    // The framing widened so that no boat lies under the tool bar.
    virtual void degage_barre_outils(const std::vector<TPos_elem>& bateaux) = 0;
    // The settings the pictures are drawn with (the sea and coast colours
    // of the window).
    virtual Reglages reglages_affichage() const = 0;
    // The film's instant at each of its pictures (none: it closed), for
    // the views in step with it.
    virtual void instant_du_film(std::optional<Instant> t) { (void)t; }
};

}  // namespace orv
