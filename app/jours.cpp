// The race day on display: its loading, the race-day selection through the
// calendar, the first entry from the welcome picture, and the stepping to
// the next or previous archived day.
#include "posconc.h"

#include "calend.h"
#include "calendrier.h"
#include "trajets.h"

#include <QAction>
#include <QFileInfo>
#include <QFrame>
#include <QFontMetrics>
#include <QMainWindow>
#include <QToolBar>

namespace orv {

bool TFPosConc::Charge_donnees_coureurs()
{
    invalider();
    const EtatDate& d = etat_date();
    JourCourse& j = jour_course();
    if (!charge_donnees_coureurs(j, rep_programme, d.code_jour, d.date_en_clair))
        return false;
    cadre_sur_flotte(j, nb_cadrage, viewport());
    degage_barre_outils();
    jour_charge = true;
    // An open ranking panel follows the day on the chart.
    if (PanelClass->isVisible())
        remplit_classement();
    repeint_immediat();
    return true;
}

void TFPosConc::degage_barre_outils()
{
    if (!ToolBar1 || !ToolBar1->isVisible())
        return;
    // The framed boats, their names with them, clear of the bar: the east
    // bound moves east until none lies under it (a few tries: each refit
    // changes the scale).
    const QRect barre = ToolBar1->geometry().adjusted(-4, 0, 0, 4);
    const QFontMetrics fm(police_gdi(QStringLiteral("Arial"), 7));
    const JourCourse& j = jour_course();
    Viewport& v = viewport();
    for (int essai = 0; essai < 4; ++essai) {
        Viewport vue = v;
        vue.elargit_si_vide();
        vue.ajuste(width(), height());
        int depasse = 0;  // pixels to gain on the right
        for (int k = 1; k <= std::min(nb_cadrage, NB_CONCURRENTS); ++k) {
            const TDonnees_conc& r = j.donnees_conc[size_t(k)];
            if (!releve_reel(r))
                continue;
            const int x = vue.pos_grX(ddmm_vers_rad(r.elem.longitude));
            const int y = vue.pos_grY(ddmm_vers_rad(r.elem.latitude));
            const QRect boite(x - 2, y - 8, 5 + fm.horizontalAdvance(r.elem.nom), 16);
            if (boite.intersects(barre))
                depasse = std::max(depasse, boite.right() - barre.left() + 1);
        }
        if (depasse == 0)
            return;
        const ext centre = v.centre_demande(), largeur = v.largeur_demandee();
        const ext gain = ext(depasse) / vue.ech_X;
        // The west bound stays; the request widens eastward.
        v.pose_largeur(centre - gain / 2, largeur + gain);
    }
}

void TFPosConc::SelDateClick()
{
    // Loading a day ends any replay: the day's boats are drawn again.
    termine_rejeu();
    active_classement(true);

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
    // The keys (Ctrl+arrows, Esc, +/-) are the chart's again.
    setFocus();
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
    termine_rejeu();
    active_classement(true);
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
