// The distance tool: a press on an entrant or a course mark, a rubber line
// to another, the release; the chart is framed on both, and the great-circle
// path with its distance label is drawn. Also the two-entrant measurement of
// the trajectory replay and the rule that offers it.
#include "posconc.h"

#include <cmath>

namespace orv {

namespace {
constexpr ext LAT_NON_DEFINIE = 180;  // point_depart is unset while its latitude is this

// Two positions on one meridian, whatever the spelling (180° and -180°).
bool meme_meridien(ext lon1, ext lon2)
{
    return std::fabs(degres(ecart_court(ddmm_vers_rad(lon1), ddmm_vers_rad(lon2)))) < 1e-9L;
}
}  // namespace

bool distance_entre_deux_permise(int nb_selectionnes, int index_mode)
{
    // Exactly two entrants, and a replay step by step (timed or manual).
    return nb_selectionnes == 2 && index_mode != 0;
}

void TFPosConc::Distances1Click()
{
    abandonne_geste();
    mode_outil = OUTIL_DISTANCE;
    canevas.style_plume = StylePlume::Tiret;
    setCursor(Qt::CrossCursor);
    point_depart = cree_pos_elem(QString(), LAT_NON_DEFINIE, 0);
    Aff_Message(QStringLiteral("Cliquer sur le 1er concurrent/marque de parcours et se déplacer vers le/la 2ème - relâcher"));
}

bool TFPosConc::point_sous_souris(int X, int Y, TPos_elem& p)
{
    const int i = Select_Conc(X, Y);
    if (i != -1) {
        const TPos_elem& e = jour_course().donnees_conc[size_t(i)].elem;
        p = cree_pos_elem(QString(), e.latitude, e.longitude);
        return true;
    }
    if (Select_mp(X, Y) && mp_courante) {
        p = cree_pos_elem(QString(), mp_courante->elem.latitude, mp_courante->elem.longitude);
        return true;
    }
    return false;
}

void TFPosConc::distance_appui(int X, int Y)
{
    point_depart = cree_pos_elem(QString(), LAT_NON_DEFINIE, 0);
    canevas.mode_xor = true;
    zone_x1 = zone_x2 = X;
    zone_y1 = zone_y2 = Y;
    if (point_sous_souris(X, Y, point_depart))
        commence_bande(BandeXor::Trait, ~couleur_fond & 0xFFFFFF, canevas.style_plume, X, Y);
}

void TFPosConc::distance_relache(int X, int Y)
{
    efface_bande();
    canevas.mode_xor = false;
    // A release over nothing, or on the point that was pressed (a click, the
    // first half of a double click), measures nothing and keeps the view.
    if (point_depart.latitude != LAT_NON_DEFINIE && point_sous_souris(X, Y, point_arrivee) &&
        (point_arrivee.latitude != point_depart.latitude || point_arrivee.longitude != point_depart.longitude)) {
        cadre_sur_deux_points(point_depart, point_arrivee);
        mesure_2pts(point_depart, point_arrivee, true);
    }
    mode_outil = OUTIL_AUCUN;
    unsetCursor();
    Aff_Message(MESSAGE_OPTION);
}

void TFPosConc::cadre_sur_deux_points(const TPos_elem& a, const TPos_elem& b)
{
    Viewport& v = viewport();
    v.lat_sud = a.latitude;
    v.lat_nord = b.latitude;
    v.pose_longitudes(a.longitude, b.longitude);
}

void TFPosConc::mesure_2pts(const TPos_elem& a, const TPos_elem& b, bool repeindre)
{
    const ext dG = ecart_court(ddmm_vers_rad(a.longitude), ddmm_vers_rad(b.longitude));
    calcul_orthodromie(a.latitude, a.longitude, b.latitude, b.longitude, std::fabs(degres(dG) * 0.0625L));
    if (repeindre) {
        // The chart framed on the two points first, then the path over it.
        rend_avec_bande();
    }
    // One meridian in two spellings: drawn and labelled on the first one.
    const ext lon_b = meme_meridien(a.longitude, b.longitude) ? a.longitude : b.longitude;
    Affiche_graph_ortho(~couleur_fond & 0xFFFFFF, a.latitude, a.longitude, b.latitude, lon_b);
    Affiche_dist_ortho(a.latitude, a.longitude, b.latitude, lon_b);
    update();
}

void TFPosConc::Affiche_graph_ortho(TColor couleur, ext lat1, ext lon1, ext lat2, ext lon2)
{
    const Orthodromie& o = orthodromie();
    canevas.couleur_plume = couleur;
    const StylePlume style = canevas.style_plume;
    canevas.style_plume = StylePlume::Point;
    canevas.police = police_gdi(canevas.police.family(), 8);
    auto segment = [&](ext la1, ext lo1, ext la2, ext lo2) {
        if (correlation_dx_dG(lo1, lo2))
            line(pos_grX(ddmm_vers_rad(lo1)), pos_grY(ddmm_vers_rad(la1)), pos_grX(ddmm_vers_rad(lo2)),
                 pos_grY(ddmm_vers_rad(la2)));
    };
    if (o.nb_pts_orth == 0) {
        // No point between them (one meridian): the path is the straight
        // segment between the two.
        segment(lat1, lon1, lat2, lon2);
    } else {
        const auto& p = o.pts_orth;
        segment(lat1, lon1, rad_vers_ddmm(p[0].latitude), rad_vers_ddmm(p[0].longitude));
        for (int32_t k = 0; k + 1 < o.nb_pts_orth; ++k)
            segment(rad_vers_ddmm(p[size_t(k)].latitude), rad_vers_ddmm(p[size_t(k)].longitude),
                    rad_vers_ddmm(p[size_t(k) + 1].latitude), rad_vers_ddmm(p[size_t(k) + 1].longitude));
        const TPos_elem& der = p[size_t(o.nb_pts_orth - 1)];
        segment(rad_vers_ddmm(der.latitude), rad_vers_ddmm(der.longitude), lat2, lon2);
    }
    canevas.style_plume = style;
    canevas.police = police_gdi(canevas.police.family(), 7);
}

}  // namespace orv
