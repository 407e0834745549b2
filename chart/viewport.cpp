#include "viewport.h"

#include <algorithm>
#include <array>
#include <climits>
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
    // Any number of turns: a wide view's pixels can lie several away.
    if (g > 540 || g <= -540)
        g = std::fmod(g, 360.0L);
    if (g > 180)
        g -= 360;
    if (g <= -180)
        g += 360;
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
        !std::isfinite(long_est) || !std::isfinite(largeur_large)) {
        largeur_large = 0;
        vue_monde_par_defaut();
        return;
    }
    if (largeur_large > 0)
        return;  // a wide request: its bounds hold only its centre
    // One point, whatever the spelling of its bounds.
    constexpr ext PRES = 1e-9L;  // degrees
    const ext d_lat = std::fabs(ddmm_vers_deg(lat_nord) - ddmm_vers_deg(lat_sud));
    const ext d_long = std::fabs(degres(ecart_court(ddmm_vers_rad(long_ouest), ddmm_vers_rad(long_est))));
    if (d_lat < PRES && d_long < PRES) {
        if (!(a_.larg_deg > 0) || !(a_.haut_deg > 0) || !std::isfinite(a_.larg_deg) || !std::isfinite(a_.haut_deg)) {
            // No previous extents to widen by (no chart painted yet).
            if (lat_sud == 0 && long_ouest == 0) {
                vue_monde_par_defaut();
                return;
            }
            a_.larg_deg = LARGEUR_PAR_DEFAUT;
            a_.haut_deg = LARGEUR_PAR_DEFAUT * INV_RATIO;
        }
        lat_sud -= ELARGISSEMENT * a_.haut_deg;
        lat_nord += ELARGISSEMENT * a_.haut_deg;
        long_ouest -= ELARGISSEMENT * a_.larg_deg;
        long_est += ELARGISSEMENT * a_.larg_deg;
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
    largeur_large = 0;
}

namespace {
ext longitude_normale(ext deg)
{
    corrige_depass_G(deg);
    return deg;
}
}  // namespace

void Viewport::pose_largeur(ext centre, ext largeur)
{
    largeur = std::fabs(largeur);
    if (!std::isfinite(centre) || !std::isfinite(largeur))
        return;
    if (largeur <= LARGEUR_DEMANDEE_MAX) {
        pose_longitudes(deg_vers_ddmm(longitude_normale(centre + largeur / 2)),
                        deg_vers_ddmm(longitude_normale(centre - largeur / 2)));
        return;
    }
    const ext max = largeur_tour(larg_client_ajuste_ > 0 ? larg_client_ajuste_ : 804);
    if (largeur > max && max <= LARGEUR_DEMANDEE_MAX) {
        pose_largeur(centre, max);
        return;
    }
    long_ouest = long_est = deg_vers_ddmm(longitude_normale(centre));
    largeur_large = std::min(largeur, max);
}

ext Viewport::largeur_demandee() const
{
    if (largeur_large > 0)
        return largeur_large;
    return std::fabs(degres(ecart_corrige(ddmm_vers_rad(long_est) - ddmm_vers_rad(long_ouest),
                                          ddmm_vers_rad(long_ouest), ddmm_vers_rad(long_est))
                                .ecart));
}

ext Viewport::centre_demande() const
{
    if (largeur_large > 0)
        return ddmm_vers_deg(long_ouest);
    // As the fit takes it: the middle of the fitted area, whichever bound
    // was given first.
    Viewport v = *this;
    v.ajuste(larg_client_ajuste_ > 0 ? larg_client_ajuste_ : 804, 585);
    return longitude_normale(v.a_.G_gauche - v.a_.larg_deg / 2);
}

void Viewport::cadre_longitudes(std::vector<double> lons, int32_t larg_client)
{
    if (lons.empty())
        return;
    for (double& l : lons) {
        ext x = l;
        corrige_depass_G(x);
        l = double(x);
    }
    std::sort(lons.begin(), lons.end());
    double trou = lons.front() + 360 - lons.back();
    size_t apres = 0;  // index of the longitude after the widest gap
    for (size_t k = 1; k < lons.size(); ++k)
        if (lons[k] - lons[k - 1] > trou) {
            trou = lons[k] - lons[k - 1];
            apres = k;
        }
    const double arc = 360 - trou;
    const double max = double(largeur_tour(larg_client));
    if (arc <= max) {
        // From the gap's east side, westward over the arc.
        pose_largeur(lons[apres] + arc / 2, arc);
        return;
    }
    // More than the view shows: the band as wide as what it leaves out that
    // holds the fewest longitudes stays out.
    std::array<int, 360> n{};
    for (double l : lons)
        ++n[size_t(int(std::floor(l + 180)) % 360)];
    const int cache = std::clamp(int(std::ceil(360 - MARGE * max)), 0, 359);
    int meilleur = 0, moins = INT32_MAX;
    for (int d = 0; d < 360; ++d) {
        int c = 0;
        for (int k = 0; k < cache; ++k)
            c += n[size_t((d + k) % 360)];
        if (c < moins) {
            moins = c;
            meilleur = d;
        }
    }
    // The view's centre is opposite the left-out band's.
    pose_largeur(meilleur - 180 + cache / 2.0 + 180, max);
}

ext Viewport::largeur_tour(int32_t larg_client)
{
    // The fit's scale is nint(larg / (1.2 w)) pixels per degree: the most
    // that still shows a whole turn, floor(larg / 360), at the middle of
    // its rounding interval. A narrower client shows what it can.
    const ext larg = std::max<int32_t>(1, larg_client);
    const ext e = std::max<ext>(1, std::floor(larg / 360));
    return larg / (MARGE * e);
}

void Viewport::ajuste(ext sud, ext ouest, ext nord, ext est, int32_t larg_client,
                      int32_t haut_client)
{
    larg_client_ajuste_ = larg_client;
    const ext S = ddmm_vers_rad(sud);
    ext Wb = ddmm_vers_rad(ouest);
    const ext N = ddmm_vers_rad(nord);
    ext Eb = ddmm_vers_rad(est);
    ext large = largeur_large > 0 ? std::min(largeur_large, largeur_tour(larg_client)) : 0;
    if (large <= 0 && std::fabs(Eb - Wb) >= 2 * PI - 1e-12L) {
        // The whole world asked for: the widest request, on the same centre.
        large = largeur_tour(larg_client);
        Wb = Eb = (Eb + Wb) / 2;
    }

    a_.ecart_lat = N - S;
    if (large > 0) {
        // A request wider than two bounds can say, around the west bound.
        const ext c = Wb;
        Wb = c + radians(large) / 2;
        Eb = c - radians(large) / 2;
        a_.ecart_long = Eb - Wb;
        a_.franchit_180 = false;
    } else {
        a_.ecart_long = Eb - Wb;
        const EcartCorrige c = ecart_corrige(a_.ecart_long, Wb, Eb);
        a_.ecart_long = c.ecart;
        a_.franchit_180 = c.franchit;
    }

    a_.larg_deg = std::fabs(degres(a_.ecart_long));
    a_.haut_deg = std::fabs(degres(a_.ecart_lat));
    if (a_.larg_deg >= RATIO * a_.haut_deg)
        a_.haut_deg = a_.larg_deg * INV_RATIO;
    else
        a_.larg_deg = RATIO * a_.haut_deg;
    a_.larg_deg = MARGE * a_.larg_deg;
    a_.haut_deg = MARGE * a_.haut_deg;

    // At least one pixel per degree: a narrower client would give a zero
    // scale, and the pixel-to-degree conversions would divide by it.
    a_.ech_X = std::max<ext>(1, echelle_libre ? larg_client / a_.larg_deg : ext(nint32(larg_client / a_.larg_deg)));
    a_.ech_Y = std::max<ext>(1, echelle_libre ? haut_client / a_.haut_deg : ext(nint32(haut_client / a_.haut_deg)));

    a_.larg_visible = ext(std::max<int32_t>(larg_client, 0)) / a_.ech_X;
    // A wide request is centred on the client (whole scales leave far more
    // room at the right than a normal view's few pixels).
    a_.G_gauche = degres((Eb + Wb) / 2) + (large > 0 ? a_.larg_visible : a_.larg_deg) / 2;
    if (large <= 0 && sign(Eb) != sign(Wb) && a_.franchit_180) {
        const ext E = a_.ecart_long <= 0 ? Eb : Wb;
        a_.G_gauche = degres(E) + DECALAGE_180 * a_.larg_deg;
    }
    corrige_depass_G(a_.G_gauche);
    if (std::fabs(a_.G_gauche) > PRES_180_BAS && std::fabs(a_.G_gauche) <= PRES_180_HAUT)
        a_.G_gauche = 180;

    if (large <= 0 && Eb > 0 && Wb > 0 && a_.G_gauche < 0)
        a_.franchit_180 = true;
    if (large <= 0 && Eb < 0 && Wb < 0 && a_.G_gauche - a_.larg_deg < -180)
        a_.franchit_180 = true;

    a_.L_haut = degres((N + S) / 2) + a_.haut_deg / 2;

    // Never past a pole: at most 180° of latitude in the client, and the
    // client's rows within ±90°.
    if (haut_client > 0) {
        if (ext(haut_client) / a_.ech_Y > 180) {
            // A taller scale, centred on the request.
            a_.ech_Y = echelle_libre ? haut_client / ext(180) : std::ceil(haut_client / ext(180));
            a_.L_haut = degres((N + S) / 2) + ext(haut_client) / a_.ech_Y / 2;
        }
        a_.haut_visible = ext(haut_client) / a_.ech_Y;
        if (a_.L_haut > 90)
            a_.L_haut = 90;
        if (a_.L_haut - a_.haut_visible < -90)
            a_.L_haut = -90 + a_.haut_visible;
    } else {
        a_.haut_visible = 0;
    }
}

ext Viewport::x_reel(ext lambda) const
{
    const ext d = degres(lambda);
    if (vue_large()) {
        ext dx = a_.G_gauche - d;
        const ext debut = debut_tour();
        dx = debut + std::fmod(std::fmod(dx - debut, 360.0L) + 360, 360.0L);
        return dx * a_.ech_X;
    }
    if ((a_.franchit_180 && lambda >= 0) || (!a_.franchit_180 && a_.G_gauche <= 0 && lambda >= 0))
        return (a_.G_gauche - d + 360) * a_.ech_X;
    if (!a_.franchit_180 && a_.G_gauche >= 0 && lambda <= 0 && a_lOuEst(lambda, radians(a_.G_gauche)))
        return (a_.G_gauche - d - 360) * a_.ech_X;
    return (a_.G_gauche - d) * a_.ech_X;
}

int32_t Viewport::pos_grX(ext lambda) const { return nint32(x_reel(lambda)); }

int32_t Viewport::pos_grY(ext phi) const
{
    return nint32((a_.L_haut - degres(phi)) * a_.ech_Y);
}

ext Viewport::long_(int32_t x) const
{
    ext g = a_.G_gauche - static_cast<ext>(x) / a_.ech_X;
    if (vue_large()) {
        corrige_depass_G(g);
        return deg_vers_ddmm(g);
    }
    if (a_.franchit_180) {
        if (g > 180)
            g -= 360;
        if (g < -180)
            g += 360;
    }
    return deg_vers_ddmm(g);
}

ext Viewport::lat(int32_t y) const
{
    return deg_vers_ddmm(a_.L_haut - static_cast<ext>(y) / a_.ech_Y);
}

}  // namespace orv
