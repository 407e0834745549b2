// The replay of the race: one fix drawn with its track, the chart following
// the fleet, the three progressions (instant, timed, manual) and their keys.
// The timed film runs on a timer: the window keeps repainting and reacting.
#include "posconc.h"

#include "calendrier.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QListWidget>
#include <QTimer>
#include <cmath>

namespace orv {

namespace {
const QString MESSAGE_FIN = QStringLiteral("Date de fin atteinte : appuyer sur ECHAP");
const QString MESSAGE_MANUEL =
    QStringLiteral("Appuyer sur la flêche curseur vers le bas pour le jour suivant |  Page préc = zoom arrière  | Page suiv = zoom avant");
constexpr ext MARGE_MIN = 0.1L;
constexpr ext MARGE_LAT_MAX = 90, MARGE_LONG_MAX = 90;  // degrees

}  // namespace

StylePlume style_trajet(int i)
{
    switch (i % 5) {
    case 1: return StylePlume::Tiret;
    case 2: return StylePlume::Point;
    case 3: return StylePlume::TiretPoint;
    case 4: return StylePlume::TiretPointPoint;
    default: return StylePlume::Plein;
    }
}

TColor couleur_trajet(TColor c, TColor fond)
{
    // On a navy background the colour is shifted and its blue byte dropped,
    // on the packed value.
    return fond == clNavy ? (c + 64) & 0xFFFF : c;
}

void TFPosConc::Plot_traj_conc(const TDonnees_conc& r, int i, bool premier)
{
    // No position (an unranked entrant at 0° 0°, a retired boat's record
    // that carries the harbour's placeholder): nothing drawn, and the track
    // ends where the boat was.
    if (!releve_reel(r))
        return;
    const bool clair = fond_clair(couleur_fond);
    QString nom = r.skipper;
    if (ChbxClass->isChecked())
        nom += u' ' + QString::number(r.rang);
    canevas.couleur_police = clair ? clBlack : clWhite;
    canevas.couleur_plume = clYellow;
    TPos_elem_plot(cree_pos_elem(nom, r.elem.latitude, r.elem.longitude));
    const int x = pos_grX(ddmm_vers_rad(r.elem.longitude));
    const int y = pos_grY(ddmm_vers_rad(r.elem.latitude));

    // A segment from the previous fix drawn, unless this is the period's
    // first (or nothing was drawn before it).
    if (!premier && releve_prec[size_t(i)].latitude != 180) {
        const TPos_elem& p = releve_prec[size_t(i)];
        const int xp = pos_grX(ddmm_vers_rad(p.longitude));
        const int yp = pos_grY(ddmm_vers_rad(p.latitude));
        canevas.couleur_plume = couleur_trajet(couleurs_conc[size_t(i)], couleur_fond);
        canevas.style_plume = style_trajet(i);
        // Drawn when the screen agrees with the geography: a segment whose
        // ends the X conversion puts a turn apart is not.
        const ext lon = ddmm_vers_rad(r.elem.longitude), lon_p = ddmm_vers_rad(p.longitude);
        const bool est = a_lEst(lon, lon_p);
        if ((est && x >= xp) || (!est && x < xp) || x == xp) {
            line(xp, yp, x, y);
            if (ChBxDistPrel->isChecked())
                Affiche_dist_ortho(p.latitude, p.longitude, r.elem.latitude, r.elem.longitude);
        }
    }
    releve_prec[size_t(i)] = cree_pos_elem(QString(), r.elem.latitude, r.elem.longitude);

    canevas.couleur_police = clair ? 0x008000 : 0x00FF00;
    if (ChbxDate->isChecked())
        canevas.texte(x + 3, y - canevas.hauteur_texte(QStringLiteral("A")) - 4, r.date_txt);
    if (ChbxVit->isChecked()) {
        canevas.style_plume = StylePlume::Plein;
        trait_vitesse(x, y, r.vitesse, r.cap);
    }
}

void TFPosConc::cadre_sur_pas(const std::array<const TDonnees_conc*, NB_CONCURRENTS + 1>& fixes)
{
    Viewport& v = viewport();
    // Around the followed entrant's fix (the last selected; its last known
    // fix on a day it has none), with the margins, in decimal degrees.
    const int k = dernier_conc;
    const TDonnees_conc* f = fixes[size_t(k)];
    TPos_elem centre;
    bool a_centre = false;
    if (f) {
        centre = f->elem;
        a_centre = true;
    } else if (releve_prec[size_t(k)].latitude != 180 && vu_[size_t(k)]) {
        centre = releve_prec[size_t(k)];
        a_centre = true;
    } else {
        for (int i = 1; i <= NB_CONCURRENTS && !a_centre; ++i)
            if (fixes[size_t(i)]) {
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
    for (int i = 1; i <= NB_CONCURRENTS; ++i) {
        const TDonnees_conc* d = fixes[size_t(i)];
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

void TFPosConc::Aff_dist_entre_2(const std::array<const TDonnees_conc*, NB_CONCURRENTS + 1>& fixes)
{
    // Between the first and the second selected entrant (list order), only
    // when exactly two are selected and both have a fix this day.
    std::array<const TDonnees_conc*, 2> ab{};
    int n = 0;
    for (int i = 1; i <= NB_CONCURRENTS; ++i)
        if (selection_traj.concurrents.test(size_t(i))) {
            if (n < 2)
                ab[size_t(n)] = fixes[size_t(i)];
            ++n;
        }
    if (n != 2 || !ab[0] || !ab[1])
        return;
    mesure_2pts(ab[0]->elem, ab[1]->elem, false);
}

void TFPosConc::un_pas()
{
    const auto fixes = film.courant();
    const int jour = film.jour();
    cadre_sur_pas(fixes);
    // The chart alone (a step in progress draws no boats), then this step's
    // fixes over it, then the screen.
    FormPaint();
    canevas.style_plume = StylePlume::Plein;
    for (int i = 1; i <= NB_CONCURRENTS; ++i)
        if (const TDonnees_conc* f = fixes[size_t(i)]) {
            Plot_traj_conc(*f, i, film.premier(i, f));
            vu_[size_t(i)] = true;
        }
    if (ChBXDist->isChecked() && ChBXDist->isEnabled())
        Aff_dist_entre_2(fixes);
    film.pas();
    update();
    if (film_cadence && jour >= 0 && jour < archive_jours().nb_jours()) {
        const QDate d = archive_jours().jours[size_t(jour)];
        Aff_Message(QStringLiteral("Film : %1 - jour %2%3")
                        .arg(d.toString(QStringLiteral("dd/MM/yyyy")))
                        .arg(ecart_jours(9, 11, 2000, d.day(), d.month(), d.year()))
                        .arg(film_en_pause ? QStringLiteral(" (pause)") : QString()));
    }
}

void TFPosConc::demarre_film()
{
    film = Film(archive_jours(), selection_traj);
    releve_prec.fill(cree_pos_elem(QString(), 180, 0));
    vu_.fill(false);
    dernier_conc = selection_traj.dernier();
}

void TFPosConc::Trac_traj_inst()
{
    defilement_en_cours = false;
    if (selection_traj.dernier() == 0)
        return;
    demarre_film();
    canevas.style_plume = StylePlume::Plein;
    while (film.reste()) {
        const auto fixes = film.pas();
        for (int i = 1; i <= NB_CONCURRENTS; ++i)
            if (const TDonnees_conc* f = fixes[size_t(i)])
                Plot_traj_conc(*f, i, film.premier(i, f));
    }
}

void TFPosConc::Trac_traj_cadenc()
{
    defilement_en_cours = true;
    film_cadence = true;
    film_en_pause = false;
    demarre_film();
    if (dernier_conc == 0) {
        Aff_Message(MESSAGE_FIN);
        return;
    }
    // The first step as soon as this paint is over, then one per period.
    minuterie()->start(0);
}

void TFPosConc::tic_film()
{
    if (!trajets_actifs || !defilement_en_cours || !film_cadence || film_en_pause)
        return;
    if (!film.reste()) {
        Aff_Message(MESSAGE_FIN);
        return;
    }
    un_pas();
    minuterie()->start(periode_cadence);
}

void TFPosConc::Trac_traj_man()
{
    defilement_en_cours = true;
    film_cadence = false;
    Aff_Message(MESSAGE_MANUEL);
    demarre_film();
    if (dernier_conc == 0)
        return;
    // The first step once this paint is over.
    QTimer::singleShot(0, this, [this] {
        if (trajets_actifs && defilement_en_cours && !film_cadence && film.reste())
            un_pas();
    });
}

void TFPosConc::arrete_film()
{
    if (minuterie_)
        minuterie_->stop();
    film_cadence = false;
    film_en_pause = false;
}

QTimer* TFPosConc::minuterie()
{
    if (!minuterie_) {
        minuterie_ = new QTimer(this);
        minuterie_->setSingleShot(true);
        QObject::connect(minuterie_, &QTimer::timeout, this, [this] { tic_film(); });
    }
    return minuterie_;
}

bool TFPosConc::touche_film(QKeyEvent* e)
{
    if (mode_outil != OUTIL_TRAJETS || !trajets_actifs || !trajets_constitues)
        return false;
    const int mode = index_mode();
    if (mode == 1 && defilement_en_cours) {
        // The timed film: Space pauses and resumes; paused, the down arrow
        // steps one day.
        if (e->key() == Qt::Key_Space) {
            if (!film.reste() && !film_en_pause)
                return true;  // the film is over: nothing to pause
            film_en_pause = !film_en_pause;
            if (film_en_pause) {
                minuterie()->stop();
                Aff_Message(message_statut + QStringLiteral(" (pause)"));
            } else {
                tic_film();
            }
            return true;
        }
        if (e->key() == Qt::Key_Down && film_en_pause) {
            if (film.reste())
                un_pas();
            else
                Aff_Message(MESSAGE_FIN);
            return true;
        }
        return false;
    }
    if (mode != 2)
        return false;
    switch (e->key()) {
    case Qt::Key_Escape: Trajets1Click(); return true;
    case Qt::Key_PageUp:
        marge_lat = std::min(marge_lat + viewport().haut_deg / 6, MARGE_LAT_MAX);
        marge_long = std::min(marge_long + viewport().larg_deg / 6, MARGE_LONG_MAX);
        return true;
    case Qt::Key_PageDown: {
        auto reduit = [](ext& m, ext etendue) {
            m = m > etendue / 6 + MARGE_MIN ? m - etendue / 6 : MARGE_MIN;
        };
        reduit(marge_lat, viewport().haut_deg);
        reduit(marge_long, viewport().larg_deg);
        return true;
    }
    case Qt::Key_Down:
        if (defilement_en_cours && film.reste()) {
            un_pas();
            Aff_Message(MESSAGE_MANUEL);
        } else {
            Aff_Message(MESSAGE_FIN);
        }
        return true;
    default: return false;
    }
}

}  // namespace orv
