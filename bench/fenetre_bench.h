// The main window the benchmarks measure, without a screen.
#pragma once

#include "calendrier.h"
#include "course_livree.h"
#include "etat_programme.h"
#include "posconc.h"

#include <QDir>

namespace orv {

// The main window at 1920 × 1080 with the shipped maps loaded, on a screen
// of `ratio` physical pixels per logical one; no day until one is shown.
// The program's state with its race, before the window that shows it.
struct EtatBench {
    EtatProgramme etat;
    EtatBench() { etat.course = course_livree(); }
};

struct FenetreBench : EtatBench {
    TFPosConc carte{nullptr, etat, QStringLiteral(ORVALIS_DONNEES), QDir::tempPath()};
    explicit FenetreBench(double ratio = 1)
    {
        carte.ratio_impose = ratio;
        carte.information = [](const QString&) {};
        carte.avertissement = carte.information;
        carte.resize(1920, 1080);
        carte.FormCreate();
        OptionsCartes o;
        o.rep_programme = QStringLiteral(ORVALIS_DONNEES);
        o.racines_imposees = true;
        charge_cartes(etat.cartes, o);
        carte.fond_initial = false;
    }
};

// The same on 6 December 2000.
struct Fenetre1080 : FenetreBench {
    explicit Fenetre1080(double ratio = 1) : FenetreBench(ratio)
    {
        montre_mois(etat.date, 12, 2000);
        valide_date(etat.date, 6, 12, 2000);
        carte.Charge_donnees_coureurs();
        carte.rend(1920, 1080);
    }
};

}  // namespace orv
