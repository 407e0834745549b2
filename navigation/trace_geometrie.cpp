#include "trace_geometrie.h"

#include <cmath>

namespace orv {

void Affiche_dist_ortho(Carte& c, ext lat1, ext lon1, ext lat2, ext lon2)
{
    const ext d = dist_ortho(lat1, lon1, lat2, lon2);
    const int64_t x1 = c.pos_grX(ddmm_vers_rad(lon1)), x2 = c.pos_grX(ddmm_vers_rad(lon2));
    const int64_t y1 = c.pos_grY(ddmm_vers_rad(lat1)), y2 = c.pos_grY(ddmm_vers_rad(lat2));
    const int32_t xm = nint32((x1 + x2) * 0.5L), ym = nint32((y1 + y2) * 0.5L);
    const Decalage dec = decalage_etiquette(lat1, lon1, lat2, lon2);
    const TColor garde = c.canevas.couleur_police;
    c.canevas.couleur_police = clRed;
    c.canevas.texte(xm + dec.dx, ym + dec.dy, texte_distance(d));
    c.canevas.couleur_police = garde;
}

void Affiche_graph_ortho(Carte& c, const Orthodromie& o, TColor couleur, ext lat1, ext lon1, ext lat2, ext lon2)
{
    Canevas& k = c.canevas;
    k.couleur_plume = couleur;
    const StylePlume style = k.style_plume;
    k.style_plume = StylePlume::Point;
    k.police = police_gdi(k.police.family(), 8);
    auto segment = [&](ext la1, ext lo1, ext la2, ext lo2) {
        if (correlation_dx_dG(c.vue, lo1, lo2))
            c.line(c.pos_grX(ddmm_vers_rad(lo1)), c.pos_grY(ddmm_vers_rad(la1)), c.pos_grX(ddmm_vers_rad(lo2)),
                   c.pos_grY(ddmm_vers_rad(la2)));
    };
    if (o.nb_pts_orth == 0) {
        // No point between them (one meridian): the path is the straight
        // segment between the two.
        segment(lat1, lon1, lat2, lon2);
    } else {
        const auto& p = o.pts_orth;
        segment(lat1, lon1, rad_vers_ddmm(p[0].latitude), rad_vers_ddmm(p[0].longitude));
        for (int32_t i = 0; i + 1 < o.nb_pts_orth; ++i)
            segment(rad_vers_ddmm(p[size_t(i)].latitude), rad_vers_ddmm(p[size_t(i)].longitude),
                    rad_vers_ddmm(p[size_t(i) + 1].latitude), rad_vers_ddmm(p[size_t(i) + 1].longitude));
        const TPos_elem& der = p[size_t(o.nb_pts_orth - 1)];
        segment(rad_vers_ddmm(der.latitude), rad_vers_ddmm(der.longitude), lat2, lon2);
    }
    k.style_plume = style;
    k.police = police_gdi(k.police.family(), 7);
}

namespace {
// Two positions on one meridian, whatever the spelling (180° and -180°).
bool meme_meridien(ext lon1, ext lon2)
{
    return std::fabs(degres(ecart_court(ddmm_vers_rad(lon1), ddmm_vers_rad(lon2)))) < 1e-9L;
}
}  // namespace

void calcule_mesure(Orthodromie& o, EtatLoxodromie& lox, const TPos_elem& a, const TPos_elem& b)
{
    const ext dG = ecart_court(ddmm_vers_rad(a.longitude), ddmm_vers_rad(b.longitude));
    calcul_orthodromie(o, lox, a.latitude, a.longitude, b.latitude, b.longitude, std::fabs(degres(dG) * 0.0625L));
}

void trace_mesure(Carte& c, const Orthodromie& o, const TPos_elem& a, const TPos_elem& b)
{
    const ext lon_b = meme_meridien(a.longitude, b.longitude) ? a.longitude : b.longitude;
    Affiche_graph_ortho(c, o, ~c.couleur_fond & 0xFFFFFF, a.latitude, a.longitude, b.latitude, lon_b);
    Affiche_dist_ortho(c, a.latitude, a.longitude, b.latitude, lon_b);
}

}  // namespace orv
