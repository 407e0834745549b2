// The theoretical route: the course's waypoints ("FIMPV.txt") joined by
// great circles, built once when first switched on and walked at every
// paint while it is on.
#include "posconc.h"

#include <QAction>
#include <QToolButton>
#include <cmath>

namespace orv {

void TFPosConc::RtglobClick()
{
    bool voulu = !route_affichee;
    if (voulu && !construit_route())
        voulu = false;  // nothing to draw: the command stays off
    route_affichee = voulu;
    // The menu item and the tool button always say the same.
    if (auto a = actions.find(QStringLiteral("Rtglob")); a != actions.end())
        a->second->setChecked(voulu);
    if (auto b = boutons.find(QStringLiteral("ToolBRoute")); b != boutons.end())
        b->second->setChecked(voulu);
    repeint_immediat();
}

bool TFPosConc::construit_route()
{
    if (route_construite)
        return true;
    Lieux& l = lieux();
    l.liste_route.clear();
    QString err;
    const bool lu = charge_route(l, rep_programme, err);
    if (!lu || l.liste_route.size() < 2) {
        // Said once; the next switch-on reads the file again.
        if (!route_signalee) {
            information(!lu ? err
                            : QStringLiteral("« FIMPV.txt » : moins de deux points de route, pas de route théorique à tracer."));
            route_signalee = true;
        }
        return false;
    }
    if (!err.isEmpty())
        information(err);

    // The legs overwrite the program's great-circle result: the last
    // measurement's points are kept around the build.
    const Orthodromie garde = orthodromie();
    const bool franchit = viewport().franchit_180;
    liste_route_ortho.clear();
    auto noeud = [](const QString& nom, ext lat_rad, ext lon_rad) {
        TLieu n;
        lieu_de_valeurs(n, nom, true, lat_rad, lon_rad);
        return n;
    };
    for (size_t k = 0; k + 1 < l.liste_route.size(); ++k) {
        const TPos_elem& a = l.liste_route[k].elem;
        const TPos_elem& b = l.liste_route[k + 1].elem;
        const ext dG = ecart_court(ddmm_vers_rad(a.longitude), ddmm_vers_rad(b.longitude));
        calcul_orthodromie(a.latitude, a.longitude, b.latitude, b.longitude, std::fabs(degres(dG) * 0.0625L));
        liste_route_ortho.push_back(noeud(a.nom, ddmm_vers_rad(a.latitude), ddmm_vers_rad(a.longitude)));
        const Orthodromie& o = orthodromie();
        for (int32_t i = 0; i < o.nb_pts_orth; ++i)
            liste_route_ortho.push_back(noeud(QString(), o.pts_orth[size_t(i)].latitude, o.pts_orth[size_t(i)].longitude));
    }
    const TPos_elem& fin = l.liste_route.back().elem;
    liste_route_ortho.push_back(noeud(fin.nom, ddmm_vers_rad(fin.latitude), ddmm_vers_rad(fin.longitude)));
    orthodromie() = garde;
    viewport().franchit_180 = franchit;
    route_construite = true;
    return true;
}

void TFPosConc::trace_point_radians(const TLieu& n)
{
    const TPos_elem e = cree_pos_elem(n.elem.nom, rad_vers_ddmm(n.elem.latitude), rad_vers_ddmm(n.elem.longitude));
    // A point between waypoints has no name: its yellow dot alone, the
    // label style would change nothing that shows.
    if (e.nom.isEmpty())
        TPos_elem_plot(e);
    else
        trace_marque(e);
}

void TFPosConc::Trace_route_theo()
{
    if (!route_construite || liste_route_ortho.size() < 2)
        return;
    Viewport& v = viewport();
    const bool franchit = v.franchit_180;
    canevas.couleur_plume = clGray;
    const StylePlume style = canevas.style_plume;
    canevas.style_plume = StylePlume::Point;
    canevas.police = police_gdi(canevas.police.family(), 8);
    // Segments whose ends lie more than twice the client away are skipped,
    // and so is the one whose ends the X conversion puts a turn apart.
    const int64_t xl = 2 * int64_t(larg_client), yl = 2 * int64_t(haut_client);
    for (size_t k = 0; k + 1 < liste_route_ortho.size(); ++k) {
        const TPos_elem& n = liste_route_ortho[k].elem;
        const TPos_elem& s = liste_route_ortho[k + 1].elem;
        trace_point_radians(liste_route_ortho[k]);
        const int32_t x1 = pos_grX(n.longitude), y1 = pos_grY(n.latitude);
        const int32_t x2 = pos_grX(s.longitude), y2 = pos_grY(s.latitude);
        if (std::abs(int64_t(x1)) <= xl && std::abs(int64_t(x2)) <= xl && std::abs(int64_t(y1)) <= yl &&
            std::abs(int64_t(y2)) <= yl && correlation_dx_dG(rad_vers_ddmm(n.longitude), rad_vers_ddmm(s.longitude))) {
            canevas.couleur_plume = clGray;
            line(x1, y1, x2, y2);
        }
    }
    canevas.style_plume = style;
    canevas.police = police_gdi(canevas.police.family(), 7);
    v.franchit_180 = franchit;
}

}  // namespace orv
