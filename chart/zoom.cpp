// Zoom and pan of the chart window: the rubber bands (XOR drawings on the
// back buffer that the next paint erases), the zoom into a rectangle, the
// zoom-out step, the pan by a dragged line, and the zoom around a point of
// the wheel and the keys.
#include "mercator.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {
constexpr TColor COUL_PANORAMIQUE = 0xBDBD3F;
constexpr ext ZOOM_MIN_DEG = 0.001L;  // the smallest rectangle accepted, degrees
constexpr ext DEMANDE_ARRIERE = 0.6L; // half the zoom-out request, in visible extents

// Decimal degrees -> DD.MM for a longitude brought into (-180, 180].
ext longitude_ddmm(ext deg)
{
    corrige_depass_G(deg);
    return deg_vers_ddmm(deg);
}
}  // namespace

QRect TMercator::rect_bande() const
{
    if (bande.forme == BandeXor::Aucune)
        return {};
    return QRect(QPoint(std::min(zone_x1, zone_x2), std::min(zone_y1, zone_y2)),
                 QPoint(std::max(zone_x1, zone_x2), std::max(zone_y1, zone_y2)))
        .adjusted(-1, -1, 1, 1);
}

void TMercator::trace_bande()
{
    if (bande.forme == BandeXor::Aucune)
        return;
    const TColor c = canevas.couleur_plume;
    const StylePlume s = canevas.style_plume;
    canevas.mode_xor = true;
    canevas.couleur_plume = bande.couleur;
    canevas.style_plume = bande.style;
    if (bande.forme == BandeXor::Rectangle)
        canevas.rectangle(zone_x1, zone_y1, zone_x2, zone_y2);
    else
        line(zone_x1, zone_y1, zone_x2, zone_y2);
    canevas.couleur_plume = c;
    canevas.style_plume = s;
}

void TMercator::commence_bande(BandeXor::Forme forme, TColor couleur, StylePlume style, int X, int Y)
{
    efface_bande();
    zone_x1 = zone_x2 = X;
    zone_y1 = zone_y2 = Y;
    bande = {forme, couleur, style};
    trace_bande();
    update(rect_bande());
}

void TMercator::deplace_bande(int X, int Y)
{
    if (bande.forme == BandeXor::Aucune)
        return;
    const QRect avant = rect_bande();
    trace_bande();  // XOR again: the old band goes
    zone_x2 = X;
    zone_y2 = Y;
    trace_bande();
    update(avant.united(rect_bande()));
}

void TMercator::efface_bande()
{
    if (bande.forme == BandeXor::Aucune)
        return;
    const QRect r = rect_bande();
    trace_bande();
    bande.forme = BandeXor::Aucune;
    update(r);
}

void TMercator::zoom_av_down(int X, int Y)
{
    canevas.style_plume = StylePlume::Tiret;
    commence_bande(BandeXor::Rectangle, clWhite, StylePlume::Tiret, X, Y);
}

void TMercator::zoom_av_move(int X, int Y) { deplace_bande(X, Y); }

bool TMercator::zoom_ok() const
{
    int x1 = zone_x1, y1 = zone_y1, x2 = zone_x2, y2 = zone_y2;
    if (x1 == x2 || y1 == y2)
        return false;
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    const Viewport& v = viewport();
    return ext(x2 - x1) / v.ech_X > ZOOM_MIN_DEG && ext(y2 - y1) / v.ech_Y > ZOOM_MIN_DEG;
}

bool TMercator::zoom_av_up(int X, int Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    canevas.couleur_plume = COUL_PANORAMIQUE;
    const bool ok = zoom_ok();
    // The band goes in any case: a refused rectangle must not stay on screen.
    efface_bande();
    if (!ok)
        return false;
    const int x1 = std::min(zone_x1, zone_x2), x2 = std::max(zone_x1, zone_x2);
    const int y1 = std::min(zone_y1, zone_y2), y2 = std::max(zone_y1, zone_y2);
    Viewport& v = viewport();
    v.lat_sud = lat(y2);
    v.lat_nord = lat(y1);
    const ext largeur = ext(x2 - x1) / v.ech_X;
    if (largeur <= LARGEUR_DEMANDEE_MAX) {
        v.pose_longitudes(long_(x1), long_(x2));
    } else {
        // A rectangle wider than half a turn (in a wide view): its two edges
        // would be framed the short way, the other side of the world. A wide
        // request on the rectangle's centre instead.
        v.pose_largeur(ddmm_vers_deg(long_((x1 + x2) / 2)), largeur);
    }
    invalider();
    return true;
}

bool TMercator::zoom_arriere()
{
    Viewport& v = viewport();
    // The limit: the widest view the chart draws, the whole turn when the
    // client's width allows it.
    if (v.largeur_demandee() >= Viewport::largeur_tour(larg_client) - 1e-6L)
        return false;
    const ext centre_G = ddmm_vers_deg(long_(larg_client / 2));
    const ext centre_L = ddmm_vers_deg(lat(haut_client / 2));
    // The request is 1.2 times the visible area.
    v.pose_largeur(centre_G, 2 * DEMANDE_ARRIERE * v.larg_deg);
    v.lat_sud = deg_vers_ddmm(std::max<ext>(-90, centre_L - DEMANDE_ARRIERE * v.haut_deg));
    v.lat_nord = deg_vers_ddmm(std::min<ext>(90, centre_L + DEMANDE_ARRIERE * v.haut_deg));
    invalider();
    return true;
}

void TMercator::depl_panoramique() { canevas.style_plume = StylePlume::TiretPoint; }

void TMercator::panoramic_down(int X, int Y)
{
    commence_bande(BandeXor::Trait, COUL_PANORAMIQUE, StylePlume::TiretPoint, X, Y);
}

void TMercator::panoramic_move(int X, int Y)
{
    canevas.couleur_plume = COUL_PANORAMIQUE;
    canevas.style_plume = StylePlume::TiretPoint;
    deplace_bande(X, Y);
}

void TMercator::panoramic_up(int X, int Y)
{
    Q_UNUSED(X);
    Q_UNUSED(Y);
    efface_bande();
    Viewport& v = viewport();
    // Vertical: refused when the top edge would reach the pole.
    pas_L = ddmm_vers_deg(lat(zone_y1)) - ddmm_vers_deg(lat(zone_y2));
    if (ddmm_vers_deg(lat(0)) + pas_L < 90) {
        const ext S = deg_vers_ddmm(ddmm_vers_deg(v.lat_sud) + pas_L);
        const ext N = deg_vers_ddmm(ddmm_vers_deg(v.lat_nord) + pas_L);
        if (S != N && std::fabs(S) <= 90 && std::fabs(N) <= 90) {
            v.lat_sud = std::max(S, N);
            v.lat_nord = std::min(S, N);
            v.L_haut += pas_L;
        }
    }
    // Horizontal, always; the difference taken the short way across 180°,
    // the sums done in degrees.
    pas_G = degres(ecart_court(ddmm_vers_rad(long_(zone_x2)), ddmm_vers_rad(long_(zone_x1))));
    const ext large = v.largeur_large;
    v.pose_longitudes(longitude_ddmm(ddmm_vers_deg(v.long_ouest) + pas_G),
                      longitude_ddmm(ddmm_vers_deg(v.long_est) + pas_G));
    if (large > 0)
        v.pose_largeur(ddmm_vers_deg(v.long_ouest), large);
    v.G_gauche += pas_G;
    corrige_depass_G(v.G_gauche);
    invalider();
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

bool TMercator::zoom_autour(ext lat_P, ext lon_P, ext facteur)
{
    Viewport& v = viewport();
    if (!(facteur > 0) || !std::isfinite(facteur) || facteur == 1)
        return false;
    const ext W = v.largeur_demandee(), tour = Viewport::largeur_tour(larg_client);
    if (facteur > 1 && W >= tour - 1e-6L)
        return false;  // the zoom-out limit: the widest view
    if (facteur < 1 && (v.larg_deg * facteur <= ZOOM_MIN_DEG || v.haut_deg * facteur <= ZOOM_MIN_DEG))
        return false;  // the zoom-in limit of the rectangle
    // Longitudes as the window places them: degrees from its left edge,
    // growing eastward, unwrapped (the bounds and the point may lie more
    // than half a turn apart in a view wider than 180°).
    const ext uP = v.x_reel(ddmm_vers_rad(lon_P)) / v.ech_X;
    ext uO, uE;
    if (v.largeur_large > 0) {
        const ext uC = v.x_reel(ddmm_vers_rad(v.long_ouest)) / v.ech_X;
        uO = uC - W / 2;
        uE = uC + W / 2;
    } else {
        uO = v.x_reel(ddmm_vers_rad(v.long_ouest)) / v.ech_X;
        uE = v.x_reel(ddmm_vers_rad(v.long_est)) / v.ech_X;
    }
    ext k = facteur;
    // Never asked wider than the widest view: the step is shortened.
    const ext larg = std::fabs(uE - uO);
    if (k > 1 && larg * k > tour)
        k = std::max<ext>(1, tour / std::max(larg, ext(1e-9)));
    const ext pL = ddmm_vers_deg(lat_P);
    ext sud = pL + (ddmm_vers_deg(v.lat_sud) - pL) * facteur;
    ext nord = pL + (ddmm_vers_deg(v.lat_nord) - pL) * facteur;
    ext ouest = v.G_gauche - (uP + k * (uO - uP));
    ext est = v.G_gauche - (uP + k * (uE - uP));
    // Whole pixels per degree: the new scale rarely is the old one divided
    // by the factor, and the point would drift. The fit is tried, and the
    // request moved so that the point comes back under its pixel.
    const ext xP = v.x_reel(ddmm_vers_rad(lon_P));
    const ext yP = (v.L_haut - pL) * v.ech_Y;
    Viewport essai = v;
    pose_bords(essai, ouest, est);
    essai.lat_sud = deg_vers_ddmm(sud);
    essai.lat_nord = deg_vers_ddmm(nord);
    essai.elargit_si_vide();
    essai.ajuste(larg_client, haut_client);
    const ext dx = (essai.x_reel(ddmm_vers_rad(lon_P)) - xP) / essai.ech_X;
    const ext dy = ((essai.L_haut - pL) * essai.ech_Y - yP) / essai.ech_Y;
    // Only while the pixel lies within the new view's width: past it (the
    // client shows more than the fit's degrees), the conversions would put
    // the point a turn away.
    if (std::isfinite(dx) && std::fabs(dx) < 90 && xP >= 0 && xP <= essai.larg_deg * essai.ech_X) {
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
    invalider();
    return true;
}

}  // namespace orv
