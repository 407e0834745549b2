#include "viewport.h"

#include <algorithm>
#include <cmath>

namespace orv {

namespace {
constexpr ext RATIO = 1.33L;
constexpr ext INV_RATIO = 0.7518796992481203L;
constexpr ext MARGE = 1.2L;
constexpr ext DECALAGE_180 = 0.9L;
constexpr ext PRES_180_BAS = 179.99986L;
constexpr ext PRES_180_HAUT = 180.00013L;
constexpr ext ELARGISSEMENT = 0.025L;
constexpr ext LARGEUR_PAR_DEFAUT = 20;  // degrees, to widen a lone point
}  // namespace

namespace {
// Sign of cos(a) < 0 as the extended cosine gives it. The double cosine is
// four times faster and agrees everywhere except within rounding of ±90°.
bool cosinus_negatif(ext a)
{
    const double d = static_cast<double>(a);
    const double c = std::cos(d);
    if (std::fabs(c) > 1e-12)
        return c < 0;
    return std::cos(a) < 0;
}
bool cosinus_negatif(double a) { return std::cos(a) < 0; }

// Wrap when the bounds lie on both sides of Greenwich with the west one
// beyond 90°, or when the difference exceeds half a turn.
template <class T, class R>
R corrige(T ecart, T a, T b, T pi)
{
    const T sa = a < 0 ? -1 : 1, sb = b < 0 ? -1 : 1;
    if ((sa != sb && cosinus_negatif(a)) || ecart < -pi || ecart > pi)
        return {sa * (2 * pi - std::fabs(ecart)), true};
    return {ecart, false};
}
}  // namespace

EcartCorrige ecart_corrige(ext ecart, ext a, ext b)
{
    return corrige<ext, EcartCorrige>(ecart, a, b, PI);
}

EcartCorrigeD ecart_corrige(double ecart, double a, double b)
{
    return corrige<double, EcartCorrigeD>(ecart, a, b, M_PI);
}

namespace {
template <class T>
T court(T a, T b, T pi)
{
    T d = std::remainder(b - a, 2 * pi);  // [-π, π]
    if (d <= -pi)
        d += 2 * pi;
    return d;
}
}  // namespace

ext ecart_court(ext a, ext b) { return court<ext>(a, b, PI); }
double ecart_court(double a, double b) { return court<double>(a, b, M_PI); }

void corrige_depass_G(ext& g)
{
    if (g > 180)
        g -= 360;
    if (g <= -180)
        g += 360;
}

bool a_lEst(ext a, ext b)
{
    if (sign(a) == sign(b))
        return a < b;
    if (a > 0)
        return std::fabs(a - PI) < std::fabs(b);
    if (a == 0)
        return false;
    return a + PI > std::fabs(b);
}

bool a_lOuEst(ext a, ext b) { return !a_lEst(a, b); }
bool au_Nord(ext a, ext b) { return a > b; }
bool au_Sud(ext a, ext b) { return a < b; }

void Viewport::vue_monde_par_defaut()
{
    // 89°59' W to 89°59' E, 70° N to 60° S: with the margins of the fit this
    // shows about 216° of longitude centred on Greenwich, pole to pole bands
    // excepted. A wider request would be taken the short way across 180°.
    lat_nord = 70;
    lat_sud = -60;
    long_ouest = 89.59L;
    long_est = -89.59L;
}

void Viewport::elargit_si_vide()
{
    if (!std::isfinite(lat_sud) || !std::isfinite(lat_nord) || !std::isfinite(long_ouest) ||
        !std::isfinite(long_est)) {
        vue_monde_par_defaut();
        return;
    }
    // One point, whatever the spelling of its bounds.
    constexpr ext PRES = 1e-9L;  // degrees
    const ext d_lat = std::fabs(ddmm_vers_deg(lat_nord) - ddmm_vers_deg(lat_sud));
    const ext d_long = std::fabs(degres(ecart_court(ddmm_vers_rad(long_ouest), ddmm_vers_rad(long_est))));
    if (d_lat < PRES && d_long < PRES) {
        if (!(larg_deg > 0) || !(haut_deg > 0) || !std::isfinite(larg_deg) || !std::isfinite(haut_deg)) {
            // No previous extents to widen by (no chart painted yet).
            if (lat_sud == 0 && long_ouest == 0) {
                vue_monde_par_defaut();
                return;
            }
            larg_deg = LARGEUR_PAR_DEFAUT;
            haut_deg = LARGEUR_PAR_DEFAUT * INV_RATIO;
        }
        lat_sud -= ELARGISSEMENT * haut_deg;
        lat_nord += ELARGISSEMENT * haut_deg;
        long_ouest -= ELARGISSEMENT * larg_deg;
        long_est += ELARGISSEMENT * larg_deg;
        // A point on the 180° meridian widens past it: back into (-180, 180],
        // or the two bounds would lie more than a turn apart.
        for (ext* l : {&long_ouest, &long_est}) {
            if (std::fabs(*l) > 180) {
                ext g = ddmm_vers_deg(*l);
                corrige_depass_G(g);
                *l = deg_vers_ddmm(g);
            }
        }
    }
}

void Viewport::pose_longitudes(ext ouest, ext est)
{
    const ext a = ddmm_vers_rad(ouest), b = ddmm_vers_rad(est);
    if (sign(a) != sign(b) && std::fabs(b - a) < PI && std::cos(a) < 0)
        std::swap(ouest, est);
    long_ouest = ouest;
    long_est = est;
}

void Viewport::corrige_G(ext& ecart, ext a, ext b)
{
    const EcartCorrige c = ecart_corrige(ecart, a, b);
    ecart = c.ecart;
    franchit_180 = c.franchit;
}

void Viewport::ajuste(ext sud, ext ouest, ext nord, ext est, int32_t larg_client,
                      int32_t haut_client)
{
    const ext S = ddmm_vers_rad(sud);
    ext Wb = ddmm_vers_rad(ouest);
    const ext N = ddmm_vers_rad(nord);
    ext Eb = ddmm_vers_rad(est);
    if (std::fabs(Eb - Wb) >= 2 * PI - 1e-12L) {
        // The whole world asked for: the widest request, on the same centre.
        const ext c = (Eb + Wb) / 2, demi = radians(LARGEUR_DEMANDEE_MAX) / 2;
        Wb = c + demi;
        Eb = c - demi;
    }

    ecart_lat = N - S;
    ecart_long = Eb - Wb;
    corrige_G(ecart_long, Wb, Eb);

    larg_deg = std::fabs(degres(ecart_long));
    haut_deg = std::fabs(degres(ecart_lat));
    if (larg_deg >= RATIO * haut_deg)
        haut_deg = larg_deg * INV_RATIO;
    else
        larg_deg = RATIO * haut_deg;
    larg_deg = MARGE * larg_deg;
    haut_deg = MARGE * haut_deg;

    // At least one pixel per degree: a narrower client would give a zero
    // scale, and the pixel-to-degree conversions would divide by it.
    ech_X = std::max<int32_t>(1, nint32(larg_client / larg_deg));
    ech_Y = std::max<int32_t>(1, nint32(haut_client / haut_deg));

    G_gauche = degres((Eb + Wb) / 2) + larg_deg / 2;
    if (sign(Eb) != sign(Wb) && franchit_180) {
        const ext E = ecart_long <= 0 ? Eb : Wb;
        G_gauche = degres(E) + DECALAGE_180 * larg_deg;
    }
    corrige_depass_G(G_gauche);
    if (std::fabs(G_gauche) > PRES_180_BAS && std::fabs(G_gauche) <= PRES_180_HAUT)
        G_gauche = 180;

    if (Eb > 0 && Wb > 0 && G_gauche < 0)
        franchit_180 = true;
    if (Eb < 0 && Wb < 0 && G_gauche - larg_deg < -180)
        franchit_180 = true;

    L_haut = degres((N + S) / 2) + haut_deg / 2;
}

ext Viewport::x_reel(ext lambda) const
{
    const ext d = degres(lambda);
    if (vue_large()) {
        ext dx = G_gauche - d;
        const ext debut = debut_tour();
        dx = debut + std::fmod(std::fmod(dx - debut, 360.0L) + 360, 360.0L);
        return dx * ech_X;
    }
    if ((franchit_180 && lambda >= 0) || (!franchit_180 && G_gauche <= 0 && lambda >= 0))
        return (G_gauche - d + 360) * ech_X;
    if (!franchit_180 && G_gauche >= 0 && lambda <= 0 && a_lOuEst(lambda, radians(G_gauche)))
        return (G_gauche - d - 360) * ech_X;
    return (G_gauche - d) * ech_X;
}

int32_t Viewport::pos_grX(ext lambda) const { return nint32(x_reel(lambda)); }

int32_t Viewport::pos_grY(ext phi) const
{
    return nint32((L_haut - degres(phi)) * ech_Y);
}

ext Viewport::long_(int32_t x) const
{
    ext g = G_gauche - static_cast<ext>(x) / ech_X;
    if (vue_large()) {
        corrige_depass_G(g);
        return deg_vers_ddmm(g);
    }
    if (franchit_180) {
        if (g > 180)
            g -= 360;
        if (g < -180)
            g += 360;
    }
    return deg_vers_ddmm(g);
}

ext Viewport::lat(int32_t y) const
{
    return deg_vers_ddmm(L_haut - static_cast<ext>(y) / ech_Y);
}

Viewport& viewport()
{
    static Viewport v;
    return v;
}

}  // namespace orv
