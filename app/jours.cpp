// The race day on display: its loading, the race-day selection through the
// calendar, the first entry from the welcome picture, and the stepping to
// the next or previous archived day.
#include "posconc.h"

#include "calend.h"
#include "calendrier.h"

#include <QAction>
#include <QFileInfo>
#include <QFrame>
#include <QMainWindow>

namespace orv {

bool TFPosConc::Charge_donnees_coureurs()
{
    invalider();
    const EtatDate& d = etat_date();
    JourCourse& j = jour_course();
    if (!charge_donnees_coureurs(j, rep_programme, d.code_jour, d.date_en_clair))
        return false;
    cadre_sur_flotte(j, nb_cadrage, viewport());
    jour_charge = true;
    // An open ranking panel follows the day on the chart.
    if (PanelClass->isVisible())
        remplit_classement();
    repeint_immediat();
    return true;
}

void TFPosConc::SelDateClick()
{
    active_classement(true);
    trajets_actifs = false;

    // The day shown before the selection, with its whole date state, kept
    // for a cancel: a failed load in between changed both.
    const JourCourse avant = jour_course();
    const Viewport vue_avant = viewport();
    const EtatDate date_avant = etat_date();
    for (;;) {
        if (!montre_calendrier()) {
            // Cancelled: keep the day shown, or go back to the welcome
            // picture when no day was ever loaded.
            jour_course() = avant;
            viewport() = vue_avant;
            etat_date() = date_avant;
            if (calendrier)
                calendrier->setWindowTitle(QStringLiteral("Sélectionner une date"));
            if (!jour_charge) {
                mode_outil = OUTIL_ACCUEIL;
                fond_initial = true;
                Inhibmenu();
                Aff_Message(QStringLiteral("Cliquer sur l'image"));
                invalider();
                return;
            }
            invalider();
            break;
        }
        const bool ok = Charge_donnees_coureurs();
        if (calendrier)
            calendrier->setWindowTitle(ok ? QStringLiteral("Sélectionner une date")
                                          : QStringLiteral("Non disponible : autre date ?"));
        if (ok)
            break;
    }
    affiche_jour_charge();
}

void TFPosConc::affiche_jour_charge()
{
    abandonne_geste();
    const EtatDate& d = etat_date();
    const int n = ecart_jours(9, 11, 2000, d.jour_choisi, d.mois_choisi, d.annee_choisie);
    QString titre = QStringLiteral("Orvalis 2000-2001. Positions des concurrents le ") + jour_course().date_affichee;
    if (n > 2)
        titre += QStringLiteral(" <> %1 ème jour de course").arg(n);
    if (cadre)
        cadre->setWindowTitle(titre);
    else
        setWindowTitle(titre);
    mode_outil = OUTIL_AUCUN;
    Aff_Message(MESSAGE_OPTION);
    unsetCursor();
}

bool TFPosConc::jour_voisin(int sens)
{
    if (!jour_charge || mode_outil == OUTIL_ACCUEIL)
        return false;
    const EtatDate& e = etat_date();
    QDate d(e.annee_choisie, e.mois_choisi, e.jour_choisi);
    // The next (previous) day of the race that has a day file.
    for (;;) {
        d = d.addDays(sens);
        if (!d.isValid() || d < PREMIER_JOUR_COURSE || d > DERNIER_JOUR_COURSE) {
            Aff_Message(sens > 0 ? QStringLiteral("Pas de jour suivant dans les archives")
                                 : QStringLiteral("Pas de jour précédent dans les archives"));
            return false;
        }
        if (QFileInfo::exists(chemin_fichier_jour(rep_programme, code_du_jour(d.day(), d.month(), d.year()))))
            break;
    }
    return montre_jour(d);
}

bool TFPosConc::montre_jour(const QDate& d)
{
    // As a date validated in the calendar.
    active_classement(true);
    trajets_actifs = false;
    arrete_film();
    // A file missing or unreadable: the day shown stays whole.
    const JourCourse avant = jour_course();
    const EtatDate date_avant = etat_date();
    const Viewport vue_avant = viewport();
    montre_mois(etat_date(), d.month(), d.year());
    valide_date(etat_date(), d.day(), d.month(), d.year());
    if (!Charge_donnees_coureurs()) {
        jour_course() = avant;
        etat_date() = date_avant;
        viewport() = vue_avant;
        invalider();
        Aff_Message(QStringLiteral("Lecture impossible du fichier du %1").arg(d.toString(QStringLiteral("dd/MM/yyyy"))));
        return false;
    }
    if (calendrier)
        calendrier->choisit(d);
    affiche_jour_charge();
    return true;
}

void TFPosConc::entre_dans_la_course()
{
    if (mode_outil != OUTIL_ACCUEIL)
        return;
    if (attente_intro) {
        // The splash is still up: the entry waits for its end, as it would
        // behind a blocking wait.
        entree_differee = true;
        return;
    }
    entree_differee = false;
    ValiderEntrees();
}

void TFPosConc::ValiderEntrees()
{
    fond_initial = false;
    Validmenu();
    if (cadre)
        cadre->showMaximized();
    SelDateClick();
}

}  // namespace orv
