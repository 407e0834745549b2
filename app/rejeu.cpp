#include "rejeu.h"

#include "fichier_jour.h"
#include "exports.h"
#include "calendrier.h"
#include "outils.h"
#include "traduction.h"

#include <QCheckBox>
#include <QComboBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QTimer>
#include <cmath>

namespace orv {

namespace {
QString message_fin() { return Texte::tr("Date de fin atteinte : appuyer sur ECHAP"); }
QString message_manuel() { return Texte::tr("Appuyer sur la flêche curseur vers le bas pour le jour suivant |  Page préc = zoom arrière  | Page suiv = zoom avant"); }
constexpr ext MARGE_MIN = 0.1L;
constexpr ext MARGE_LAT_MAX = 90, MARGE_LONG_MAX = 90;  // degrees
}  // namespace

Rejeu::~Rejeu() = default;

void Rejeu::cree_panneau()
{
    PanelTraj = new PanneauTrajets(&f_.vue_carte(), f_.modele().course);
    PanelTraj->setObjectName(QStringLiteral("PanelTraj"));
    PanelTraj->ok = [this] { BTokTrajClick(); };
    PanelTraj->annuler = [this] { BTAnnulTrajClick(); };
    PanelTraj->exporter = [this] { BTExporterClick(); };
}

void Rejeu::Trajets1Click()
{
    f_.abandonne_geste();
    f_.ferme_film();
    arrete_cadence();
    f_.active_classement(false);
    f_.message(Texte::tr("Pour se repasser le film de la course ! "));
    f_.vue_carte().unsetCursor();
    PanelTraj->show();
    PanelTraj->raise();
    if (!trajets_constitues)
        Constitue_trajets();
    f_.gestion_outils().choisit(OUTIL_TRAJETS);
    f_.titre(QStringLiteral("Orvalis 2000-2001."));
}

void Rejeu::Constitue_trajets()
{
    QString erreur;
    if (!constitue_trajets(f_.modele().course, f_.modele().archive, f_.fichiers(), erreur)) {
        // The lists are empty again: the next command assembles anew.
        PanelTraj->remplit_dates(nullptr);
        trajets_constitues = false;
        f_.informe(erreur);
        return;
    }
    PanelTraj->remplit_dates(&f_.modele().archive);
    trajets_constitues = true;
    // Day files left aside, said once.
    if (const QStringList avis = avis_archive(f_.modele().archive); !avis.isEmpty())
        f_.message(avis.join(u' '));
}

bool Rejeu::selection_du_panneau(SelectionTrajets& s)
{
    QString message;
    if (PanelTraj->selection(s, message))
        return true;
    f_.avertit(message);
    return false;
}

void Rejeu::BTokTrajClick()
{
    if (!trajets_constitues) {
        // The archive could not be read: nothing to replay, commands kept.
        f_.informe(Texte::tr("Les trajets ne sont pas constitués : aucun fichier du jour lisible."));
        return;
    }
    SelectionTrajets s;
    if (!selection_du_panneau(s))
        return;
    // Nothing to replay: said, as the command line says it, the panel kept.
    Viewport essai;
    if (!cadre_sur_trajets(f_.modele().archive, s, essai, f_.vue_carte().width())) {
        f_.informe(aucune_position());
        return;
    }
    const int mode = PanelTraj->index_mode();
    mode_valide = mode;
    annotations_valides = PanelTraj->annotations();
    if (mode == PanneauTrajets::MODE_CONTINU) {
        // The continuous film: not a day-by-day replay, no command greyed.
        PanelTraj->hide();
        f_.gestion_outils().choisit(OUTIL_AUCUN);
        f_.demarre_film(s, annotations_valides);
        return;
    }
    if (mode != 0)
        f_.grise_commandes();
    selection_traj = s;
    if (!s.toute_course) {
        nb_jours_traj = s.fin - s.debut + 1;
        jour_traj = 2;
    }
    periode_cadence = PanelTraj->periode_cadence(periode_cadence);
    PanelTraj->hide();
    trajets_actifs = true;
    defilement_en_cours = false;
    pas_montre = false;
    f_.vue_carte().setFocus();  // the manual keys go to the chart
    if (mode == 1)
        Trac_traj_cadenc();
    else if (mode == 2)
        Trac_traj_man();
    f_.redessine();
}

void Rejeu::BTAnnulTrajClick()
{
    PanelTraj->hide();
    f_.quitte_outil();
    f_.choisit_date();
}

void Rejeu::BTExporterClick()
{
    if (!trajets_constitues)
        return;
    SelectionTrajets s;
    if (!selection_du_panneau(s))
        return;
    const QString chemin = choisit_fichier_export ? choisit_fichier_export() : QString();
    if (chemin.isEmpty())
        return;
    QString erreur;
    if (exporte_trajets(f_.modele().archive, s, chemin, f_.couleurs(), erreur))
        f_.message(Texte::tr("Trajets enregistrés dans « %1 »").arg(chemin));
    else
        f_.avertit(erreur);
}

void Rejeu::cadre_sur_pas(const std::vector<const TDonnees_conc*>& fixes)
{
    Viewport& v = f_.modele().vue;
    // Around the followed entrant's fix (the last selected; its last known
    // fix on a day it has none), with the margins, in decimal degrees.
    const int k = dernier_conc;
    const TDonnees_conc* f = fixes[size_t(k)];
    TPos_elem centre;
    bool a_centre = false;
    if (f) {
        centre = f->elem;
        a_centre = true;
    } else if (releve_prec_[size_t(k)].latitude != 180 && vu_[size_t(k)]) {
        centre = releve_prec_[size_t(k)];
        a_centre = true;
    } else {
        for (size_t i = 1; i < fixes.size() && !a_centre; ++i)
            if (fixes[i]) {
                centre = fixes[size_t(i)]->elem;
                a_centre = true;
            }
    }
    if (!a_centre)
        return;
    const ext la = ddmm_vers_deg(centre.latitude), lo = ddmm_vers_deg(centre.longitude);
    v.lat_sud = deg_vers_ddmm(la - marge_lat);
    v.lat_nord = deg_vers_ddmm(la + marge_lat);
    ext o = lo + marge_long, e = lo - marge_long;
    corrige_depass_G(o);
    corrige_depass_G(e);
    v.long_ouest = deg_vers_ddmm(o);
    v.long_est = deg_vers_ddmm(e);
    // Widened to every fix of the step (the tests read the DD.MM numbers
    // as degrees, as the day's framing does).
    const ext r = PI / 180;
    for (size_t i = 1; i < fixes.size(); ++i) {
        const TDonnees_conc* d = fixes[i];
        if (!d)
            continue;
        const ext dla = d->elem.latitude, dlo = d->elem.longitude;
        if (a_lOuEst(dlo * r, v.long_ouest * r))
            v.long_ouest = dlo;
        if (a_lEst(dlo * r, v.long_est * r))
            v.long_est = dlo;
        if (au_Nord(dla * r, v.lat_nord * r))
            v.lat_nord = dla;
        if (au_Sud(dla * r, v.lat_sud * r))
            v.lat_sud = deg_vers_ddmm(ddmm_vers_deg(dla) - 1);
    }
    // Wide margins (Page Up) stop short of the poles.
    v.lat_nord = std::clamp(v.lat_nord, ext(-89.59L), ext(89.59L));
    v.lat_sud = std::clamp(v.lat_sud, ext(-89.59L), ext(89.59L));
    v.pose_longitudes(v.long_ouest, v.long_est);
}

void Rejeu::demarre_etapes()
{
    etapes = Etapes(f_.modele().archive, selection_traj);
    const int n = f_.modele().archive.nb_concurrents();
    releve_prec_.assign(size_t(n) + 1, cree_pos_elem(QString(), 180, 0));
    vu_.assign(size_t(n) + 1, false);
    pas.premiers.assign(size_t(n) + 1, false);
    pas_montre = false;
    dernier_conc = selection_traj.dernier(n);
}

void Rejeu::un_pas()
{
    const auto fixes = etapes.courant();
    const int jour = etapes.jour();
    // One state per entrant of the archive the replay steps through.
    if (vu_.size() != fixes.size()) {
        releve_prec_.assign(fixes.size(), cree_pos_elem(QString(), 180, 0));
        vu_.assign(fixes.size(), false);
        pas.premiers.assign(fixes.size(), false);
    }
    cadre_sur_pas(fixes);
    // This step's fixes, joined to the ones drawn before, over the chart.
    pas.releves = fixes;
    pas.precedents = releve_prec_;
    pas.choisis = selection_traj.concurrents;
    for (int i = 1; i < int(fixes.size()); ++i) {
        const TDonnees_conc* f = fixes[size_t(i)];
        pas.premiers[size_t(i)] = f && etapes.premier(i, f);
        if (f) {
            releve_prec_[size_t(i)] = cree_pos_elem(QString(), f->elem.latitude, f->elem.longitude);
            vu_[size_t(i)] = true;
        }
    }
    pas_montre = true;
    etapes.pas();
    f_.redessine();
    if (cadence_en_cours && jour >= 0 && jour < f_.modele().archive.nb_jours()) {
        const QDate d = f_.modele().archive.jours[size_t(jour)];
        f_.message(Texte::tr("Film : %1 - jour %2%3")
                           .arg(d.toString(QStringLiteral("dd/MM/yyyy")))
                           .arg(f_.modele().course.jour_de_course(d))
                           .arg(cadence_en_pause ? Texte::tr(" (pause)") : QString()));
    }
}

void Rejeu::Trac_traj_inst()
{
    defilement_en_cours = false;
    f_.redessine();
}

void Rejeu::Trac_traj_cadenc()
{
    defilement_en_cours = true;
    cadence_en_cours = true;
    cadence_en_pause = false;
    demarre_etapes();
    if (dernier_conc == 0) {
        f_.message(message_fin());
        return;
    }
    // The first step at once (once back in the event loop), then one per
    // period.
    minuterie()->start(0);
}

void Rejeu::etape_cadencee()
{
    if (!trajets_actifs || !defilement_en_cours || !cadence_en_cours || cadence_en_pause)
        return;
    if (!etapes.reste()) {
        f_.message(message_fin());
        return;
    }
    un_pas();
    minuterie()->start(periode_cadence);
}

void Rejeu::Trac_traj_man()
{
    defilement_en_cours = true;
    cadence_en_cours = false;
    f_.message(message_manuel());
    demarre_etapes();
    if (dernier_conc == 0)
        return;
    // The first step once back in the event loop.
    QTimer::singleShot(0, &f_.vue_carte(), [this] {
        if (trajets_actifs && defilement_en_cours && !cadence_en_cours && etapes.reste())
            un_pas();
    });
}

void Rejeu::arrete_cadence()
{
    if (minuterie_)
        minuterie_->stop();
    cadence_en_cours = false;
    cadence_en_pause = false;
}

bool Rejeu::termine()
{
    const bool actif = f_.gestion_outils().mode() == OUTIL_TRAJETS || trajets_actifs || defilement_en_cours;
    arrete_cadence();
    if (PanelTraj)
        PanelTraj->hide();
    trajets_actifs = false;
    defilement_en_cours = false;
    pas_montre = false;
    marge_lat = marge_long = 0.5L;
    return actif;
}

bool Rejeu::ajoute_couches(Scene& s) const
{
    if (!trajets_constitues || !trajets_actifs)
        return false;
    if (defilement_en_cours) {
        if (!pas_montre)
            return false;
        s.ajoute<CouchePas>(pas, annotations_valides, f_.couleurs(), f_.fond());
        // Between the two chosen entrants, when asked.
        if (annotations_valides.distance_entre_deux)
            if (const auto deux = pas.deux_choisis())
                s.ajoute<CoucheMesure>(deux->first, deux->second);
        return true;
    }
    if (mode_valide != 0)
        return false;
    s.ajoute<CoucheTrajets>(f_.modele().archive, selection_traj, annotations_valides, f_.couleurs(), f_.fond());
    return true;
}

QTimer* Rejeu::minuterie()
{
    if (!minuterie_) {
        minuterie_ = new QTimer(&f_.vue_carte());
        minuterie_->setSingleShot(true);
        QObject::connect(minuterie_, &QTimer::timeout, &f_.vue_carte(), [this] { etape_cadencee(); });
    }
    return minuterie_;
}

bool Rejeu::touche(QKeyEvent* e)
{
    if (f_.gestion_outils().mode() != OUTIL_TRAJETS || !trajets_actifs || !trajets_constitues)
        return false;
    const int mode = mode_valide;
    if (mode == 1 && defilement_en_cours) {
        // The timed replay: Space pauses and resumes; paused, the down arrow
        // steps one day.
        if (e->key() == Qt::Key_Space) {
            if (!etapes.reste() && !cadence_en_pause)
                return true;  // the replay is over: nothing to pause
            cadence_en_pause = !cadence_en_pause;
            if (cadence_en_pause) {
                minuterie()->stop();
                f_.message(f_.message_affiche() + Texte::tr(" (pause)"));
            } else {
                etape_cadencee();
            }
            return true;
        }
        if (e->key() == Qt::Key_Down && cadence_en_pause) {
            if (etapes.reste())
                un_pas();
            else
                f_.message(message_fin());
            return true;
        }
        return false;
    }
    if (mode != 2)
        return false;
    switch (e->key()) {
    case Qt::Key_Escape: Trajets1Click(); return true;
    case Qt::Key_PageUp:
        marge_lat = std::min(marge_lat + f_.modele().vue.haut_deg() / 6, MARGE_LAT_MAX);
        marge_long = std::min(marge_long + f_.modele().vue.larg_deg() / 6, MARGE_LONG_MAX);
        return true;
    case Qt::Key_PageDown: {
        auto reduit = [](ext& m, ext etendue) {
            m = m > etendue / 6 + MARGE_MIN ? m - etendue / 6 : MARGE_MIN;
        };
        reduit(marge_lat, f_.modele().vue.haut_deg());
        reduit(marge_long, f_.modele().vue.larg_deg());
        return true;
    }
    case Qt::Key_Down:
        if (defilement_en_cours && etapes.reste()) {
            un_pas();
            f_.message(message_manuel());
        } else {
            f_.message(message_fin());
        }
        return true;
    default: return false;
    }
}

}  // namespace orv
