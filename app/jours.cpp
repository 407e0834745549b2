// The race day on display: its loading, the race-day selection through the
// calendar, the first entry from the welcome picture, and the stepping to
// the next or previous archived day. A day is read into a record of its
// own and shown only once read: a cancel or a missing file leaves the day on
// display, its date and its view as they were.
#include "posconc.h"

#include "fichier_jour.h"
#include "calend.h"
#include "calendrier.h"
#include "traduction.h"
#include "trajets.h"

#include <QAction>
#include <QFileInfo>
#include <QFontMetrics>
#include <QFrame>
#include <QMainWindow>
#include <QToolBar>

namespace orv {

bool TFPosConc::charge_jour(const EtatDate& d, QString* echec)
{
    invalider();
    JourCourse j = etat.jour;
    if (!charge_donnees_coureurs(etat.course, j, emplacements, d.code_jour, d.date_en_clair)) {
        if (echec)
            *echec = j.fichier_illisible ? fichier_jour_illisible(j.nom_fichier_jour) : QString();
        return false;
    }
    etat.jour = std::move(j);
    etat.date = d;
    cadre_sur_flotte(etat.jour, nb_cadrage, etat.vue);
    degage_barre_outils();
    jour_charge = true;
    // An open ranking panel follows the day on the chart.
    if (PanelClass->isVisible())
        remplit_classement();
    repeint_immediat();
    return true;
}

bool TFPosConc::Charge_donnees_coureurs() { return charge_jour(etat.date); }

void TFPosConc::degage_barre_outils()
{
    // The framed boats of the day.
    std::vector<TPos_elem> bateaux;
    for (int k = 1; k <= std::min(nb_cadrage, int(etat.jour.donnees_conc.size()) - 1); ++k)
        if (releve_reel(etat.jour.donnees_conc[size_t(k)]))
            bateaux.push_back(etat.jour.donnees_conc[size_t(k)].elem);
    degage_barre_outils(bateaux);
}

void TFPosConc::degage_barre_outils(const std::vector<TPos_elem>& bateaux)
{
    if (!ToolBar1 || !ToolBar1->isVisible())
        return;
    // The framed boats, their names with them, clear of the bar: the east
    // bound moves east until none lies under it (a few tries: each refit
    // changes the scale).
    const QRect barre = ToolBar1->geometry().adjusted(-4, 0, 0, 4);
    const QFontMetrics fm(police_gdi(QStringLiteral("Arial"), 7));
    Viewport& v = etat.vue;
    for (int essai = 0; essai < 4; ++essai) {
        Viewport vue_essai = v;
        vue_essai.elargit_si_vide();
        vue_essai.ajuste(width(), height());
        int depasse = 0;  // pixels to gain on the right
        for (const TPos_elem& b : bateaux) {
            const int x = vue_essai.pos_grX(ddmm_vers_rad(b.longitude));
            const int y = vue_essai.pos_grY(ddmm_vers_rad(b.latitude));
            const QRect boite(x - 2, y - 8, 5 + fm.horizontalAdvance(b.nom), 16);
            if (boite.intersects(barre))
                depasse = std::max(depasse, boite.right() - barre.left() + 1);
        }
        if (depasse == 0)
            return;
        const ext centre = v.centre_demande(), largeur = v.largeur_demandee();
        const ext gain = ext(depasse) / vue_essai.ech_X();
        // The west bound stays; the request widens eastward.
        v.pose_largeur(centre - gain / 2, largeur + gain);
    }
}

void TFPosConc::SelDateClick()
{
    if (!etat.course.fichiers_jour) {
        // A race of tracks has no day to load: the day chosen moves the film
        // to its start (00h00 UTC).
        EtatDate choix = etat.date;
        if (!montre_calendrier(choix))
            return;
        if (!film.actif())
            film.demarre_course_entiere();
        film.va_a(instant_de(QDateTime(QDate(choix.annee_choisie, choix.mois_choisi, choix.jour_choisi), QTime(0, 0),
                                       Qt::UTC)));
        return;
    }
    // Loading a day ends any replay or film: the day's boats are drawn again.
    termine_rejeu();
    film.ferme();
    active_classement(true);
    // The dialog validates into a date of its own; the day shown keeps its
    // own until another is read.
    EtatDate choix = etat.date;
    for (;;) {
        if (!montre_calendrier(choix)) {
            // Cancelled: keep the day shown, or go back to the welcome
            // picture when no day was ever loaded.
            if (calendrier)
                calendrier->avis(QString());
            if (!jour_charge) {
                outils.choisit(OUTIL_ACCUEIL);
                fond_initial = true;
                Inhibmenu();
                Aff_Message(Texte::tr("Cliquer sur l'image"));
                invalider();
                return;
            }
            invalider();
            break;
        }
        QString echec;
        const bool ok = charge_jour(choix, &echec);
        if (calendrier)
            calendrier->avis(ok ? QString()
                                : echec.isEmpty() ? Texte::tr("Non disponible : autre date ?")
                                                  : echec + Texte::tr(" Autre date ?"));
        if (ok)
            break;
    }
    affiche_jour_charge();
}

void TFPosConc::affiche_jour_charge()
{
    abandonne_geste();
    const EtatDate& d = etat.date;
    const int n = etat.course.jour_de_course(QDate(d.annee_choisie, d.mois_choisi, d.jour_choisi));
    QString t = (!etat.course.autre() ? Texte::tr("Orvalis 2000-2001. Positions des concurrents le ")
                                               : Texte::tr("%1. Positions des concurrents le ").arg(etat.course.nom)) +
                etat.jour.date_affichee;
    if (n > 2)
        t += Texte::tr(" <> %1 ème jour de course").arg(n);
    titre(t);
    outils.choisit(OUTIL_AUCUN);
    // Impossible values of the file, said in place of the tool's hint.
    Aff_Message(etat.jour.valeurs_hors_bornes > 0 ? valeurs_impossibles(etat.jour.nom_fichier_jour) : message_option());
    unsetCursor();
    // The keys (Ctrl+arrows, Esc, +/-) are the chart's again.
    setFocus();
}

bool TFPosConc::jour_voisin(int sens)
{
    if (!jour_charge || mode_outil() == OUTIL_ACCUEIL)
        return false;
    const EtatDate& e = etat.date;
    QDate d(e.annee_choisie, e.mois_choisi, e.jour_choisi);
    // The next (previous) day of the race that has a day file.
    for (;;) {
        d = d.addDays(sens);
        if (!d.isValid() || d < etat.course.premier_jour || d > etat.course.dernier_jour) {
            Aff_Message(sens > 0 ? Texte::tr("Pas de jour suivant dans les archives")
                                 : Texte::tr("Pas de jour précédent dans les archives"));
            return false;
        }
        if (QFileInfo::exists(chemin_fichier_jour(emplacements, code_du_jour(d.day(), d.month(), d.year()))))
            break;
    }
    return montre_jour(d);
}

bool TFPosConc::montre_jour(const QDate& d)
{
    // As a date validated in the calendar.
    termine_rejeu();
    film.ferme();
    active_classement(true);
    EtatDate choix = etat.date;
    montre_mois(choix, d.month(), d.year());
    valide_date(choix, d.day(), d.month(), d.year());
    QString echec;
    if (!charge_jour(choix, &echec)) {
        // A file missing or unreadable: the day shown stays whole.
        invalider();
        Aff_Message(echec.isEmpty() ? Texte::tr("Lecture impossible du fichier du %1").arg(d.toString(QStringLiteral("dd/MM/yyyy")))
                                    : echec);
        return false;
    }
    if (calendrier)
        calendrier->choisit(d);
    affiche_jour_charge();
    return true;
}

void TFPosConc::entre_dans_la_course()
{
    if (mode_outil() != OUTIL_ACCUEIL)
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
    if (cadre && !geometrie_rendue)
        cadre->showMaximized();
    // The race open when the program was left, if it still opens.
    if (const QString c = std::exchange(course_a_rouvrir, QString()); !c.isEmpty() && ouvre_autre_course(c))
        return;
    SelDateClick();
}

}  // namespace orv
