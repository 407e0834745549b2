#include "zoom.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {
constexpr ext ZOOM_MIN_DEG = 0.001L;  // the smallest rectangle accepted, degrees
constexpr ext DEMANDE_ARRIERE = 0.6L; // half the zoom-out request, in visible extents

// Decimal degrees -> DD.MM for a longitude brought into (-180, 180].
ext longitude_ddmm(ext deg)
{
    corrige_depass_G(deg);
    return deg_vers_ddmm(deg);
}
}  // namespace

bool zoom_ok(const Viewport& v, int x1, int y1, int x2, int y2)
{
    if (x1 == x2 || y1 == y2)
        return false;
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    return ext(x2 - x1) / v.ech_X() > ZOOM_MIN_DEG && ext(y2 - y1) / v.ech_Y() > ZOOM_MIN_DEG;
}

bool zoom_rectangle(Viewport& v, int xa, int ya, int xb, int yb)
{
    if (!zoom_ok(v, xa, ya, xb, yb))
        return false;
    const int x1 = std::min(xa, xb), x2 = std::max(xa, xb);
    const int y1 = std::min(ya, yb), y2 = std::max(ya, yb);
    v.lat_sud = v.lat(y2);
    v.lat_nord = v.lat(y1);
    const ext largeur = ext(x2 - x1) / v.ech_X();
    if (largeur <= LARGEUR_DEMANDEE_MAX) {
        v.pose_longitudes(v.long_(x1), v.long_(x2));
    } else {
        // A rectangle wider than half a turn (in a wide view): its two edges
        // would be framed the short way, the other side of the world. A wide
        // request on the rectangle's centre instead.
        v.pose_largeur(ddmm_vers_deg(v.long_((x1 + x2) / 2)), largeur);
    }
    return true;
}

bool zoom_arriere(Viewport& v, int32_t larg_client, int32_t haut_client)
{
    // The limit: the widest view the chart draws, the whole turn when the
    // client's width allows it.
    if (v.largeur_demandee() >= Viewport::largeur_tour(larg_client) - 1e-6L)
        return false;
    const ext centre_G = ddmm_vers_deg(v.long_(larg_client / 2));
    const ext centre_L = ddmm_vers_deg(v.lat(haut_client / 2));
    // The request is 1.2 times the visible area.
    v.pose_largeur(centre_G, 2 * DEMANDE_ARRIERE * v.larg_deg());
    v.lat_sud = deg_vers_ddmm(std::max<ext>(-90, centre_L - DEMANDE_ARRIERE * v.haut_deg()));
    v.lat_nord = deg_vers_ddmm(std::min<ext>(90, centre_L + DEMANDE_ARRIERE * v.haut_deg()));
    return true;
}

Decalage_panoramique panoramique(Viewport& v, int zone_x1, int zone_y1, int zone_x2, int zone_y2)
{
    ext pas_L, pas_G;
    // Vertical: refused when the top edge would reach the pole.
    pas_L = ddmm_vers_deg(v.lat(zone_y1)) - ddmm_vers_deg(v.lat(zone_y2));
    if (ddmm_vers_deg(v.lat(0)) + pas_L < 90) {
        const ext S = deg_vers_ddmm(ddmm_vers_deg(v.lat_sud) + pas_L);
        const ext N = deg_vers_ddmm(ddmm_vers_deg(v.lat_nord) + pas_L);
        if (S != N && std::fabs(S) <= 90 && std::fabs(N) <= 90) {
            v.lat_sud = std::max(S, N);
            v.lat_nord = std::min(S, N);
        }
    }
    // Horizontal, always; the difference taken the short way across 180°,
    // the sums done in degrees.
    pas_G = degres(ecart_court(ddmm_vers_rad(v.long_(zone_x2)), ddmm_vers_rad(v.long_(zone_x1))));
    const ext large = v.largeur_large;
    v.pose_longitudes(longitude_ddmm(ddmm_vers_deg(v.long_ouest) + pas_G),
                      longitude_ddmm(ddmm_vers_deg(v.long_est) + pas_G));
    if (large > 0)
        v.pose_largeur(ddmm_vers_deg(v.long_ouest), large);
    return {pas_G, pas_L};
}

namespace {
// A request from its west and east edges (decimal degrees, West positive,
// unwrapped): by its two bounds, or as a wide request on their middle.
void pose_bords(Viewport& v, ext ouest, ext est)
{
    if (ouest - est <= LARGEUR_DEMANDEE_MAX)
        v.pose_longitudes(longitude_ddmm(ouest), longitude_ddmm(est));
    else
        v.pose_largeur((ouest + est) / 2, ouest - est);
}
}  // namespace

bool zoom_autour(Viewport& v, ext lat_P, ext lon_P, ext facteur, int32_t larg_client, int32_t haut_client)
{
    if (!(facteur > 0) || !std::isfinite(facteur) || facteur == 1)
        return false;
    const ext W = v.largeur_demandee(), tour = Viewport::largeur_tour(larg_client);
    if (facteur > 1 && W >= tour - 1e-6L)
        return false;  // the zoom-out limit: the widest view
    if (facteur < 1 && (v.larg_deg() * facteur <= ZOOM_MIN_DEG || v.haut_deg() * facteur <= ZOOM_MIN_DEG))
        return false;  // the zoom-in limit of the rectangle
    // Longitudes as the window places them: degrees from its left edge,
    // growing eastward, unwrapped (the bounds and the point may lie more
    // than half a turn apart in a view wider than 180°).
    const ext uP = v.x_reel(ddmm_vers_rad(lon_P)) / v.ech_X();
    ext uO, uE;
    if (v.largeur_large > 0) {
        const ext uC = v.x_reel(ddmm_vers_rad(v.long_ouest)) / v.ech_X();
        uO = uC - W / 2;
        uE = uC + W / 2;
    } else {
        uO = v.x_reel(ddmm_vers_rad(v.long_ouest)) / v.ech_X();
        uE = v.x_reel(ddmm_vers_rad(v.long_est)) / v.ech_X();
    }
    ext k = facteur;
    // Never asked wider than the widest view: the step is shortened.
    const ext larg = std::fabs(uE - uO);
    if (k > 1 && larg * k > tour)
        k = std::max<ext>(1, tour / std::max(larg, ext(1e-9)));
    const ext pL = ddmm_vers_deg(lat_P);
    ext sud = pL + (ddmm_vers_deg(v.lat_sud) - pL) * facteur;
    ext nord = pL + (ddmm_vers_deg(v.lat_nord) - pL) * facteur;
    ext ouest = v.G_gauche() - (uP + k * (uO - uP));
    ext est = v.G_gauche() - (uP + k * (uE - uP));
    // Whole pixels per degree: the new scale rarely is the old one divided
    // by the factor, and the point would drift. The fit is tried, and the
    // request moved so that the point comes back under its pixel.
    const ext xP = v.x_reel(ddmm_vers_rad(lon_P));
    const ext yP = (v.L_haut() - pL) * v.ech_Y();
    Viewport essai = v;
    pose_bords(essai, ouest, est);
    essai.lat_sud = deg_vers_ddmm(sud);
    essai.lat_nord = deg_vers_ddmm(nord);
    essai.elargit_si_vide();
    essai.ajuste(larg_client, haut_client);
    const ext dx = (essai.x_reel(ddmm_vers_rad(lon_P)) - xP) / essai.ech_X();
    const ext dy = ((essai.L_haut() - pL) * essai.ech_Y() - yP) / essai.ech_Y();
    // Only while the pixel lies within the new view's width: past it (the
    // client shows more than the fit's degrees), the conversions would put
    // the point a turn away.
    if (std::isfinite(dx) && std::fabs(dx) < 90 && xP >= 0 && xP <= essai.larg_deg() * essai.ech_X()) {
        ouest -= dx;
        est -= dx;
    }
    if (std::isfinite(dy) && std::fabs(dy) < 90 && std::fabs(nord - dy) <= 90 && std::fabs(sud - dy) <= 90) {
        nord -= dy;
        sud -= dy;
    }
    pose_bords(v, ouest, est);
    v.lat_sud = deg_vers_ddmm(std::clamp<ext>(sud, -90, 90));
    v.lat_nord = deg_vers_ddmm(std::clamp<ext>(nord, -90, 90));
    return true;
}

}  // namespace orv
