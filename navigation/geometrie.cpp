#include "geometrie.h"

#include "traduction.h"

#include "viewport.h"

#include <algorithm>
#include <cmath>

namespace orv {

// The computations run on doubles: 1e-16 relative is a thousandth of a
// millimetre over the world, far below any printed figure, while the
// extended library functions cost 30 to 60 ns each and every move between
// the x87 and SSE registers goes through memory. Arguments, results and the
// stored state stay extended.
namespace {
constexpr double PI_D = M_PI;
constexpr double SEUIL_EST_OUEST = 3e-6;
constexpr double SEUIL_MERIDIEN = 3e-8;
constexpr double COURTE_DISTANCE = 3;  // miles
constexpr double SEIZIEME = 0.0625;
constexpr ext PRES_MERIDIEN = 1e-9L;  // degrees

inline double d(ext x) { return static_cast<double>(x); }
inline double sign_d(double x) { return x < 0 ? -1.0 : 1.0; }
inline double milles(double rad) { return rad * (180.0 / PI_D) * 60; }

// DD.MM -> radians, the same steps as ddmm_vers_rad.
double ddmm_rad_d(ext v)
{
    const double x = d(v);
    const double a = std::fabs(x);
    const double deg = std::trunc(a + 1e-12);
    const double r = (deg + (a - deg) * 5 * (1.0 / 3.0)) * (PI_D / 180);
    return x < 0 ? -r : r;
}

// Bounded tangent: about ±1e7 where the cosine vanishes.
double tan_borne_d(double x)
{
    const double c = std::cos(x);
    if (std::fabs(c) < 1e-7)
        return sign_d(c) * std::sin(x) * 10000000.0;
    return std::sin(x) / c;
}

// Meridional part, bounded near the poles.
double partie_meridienne(double phi) { return std::log(tan_borne_d(phi / 2 + PI_D / 4)); }


struct Loxo {
    double dist, cap;
};

// Rhumb line with the meridional parts of both ends already known.
Loxo loxo_d(double dL, double dG, double phi2, double m1, double m2)
{
    Loxo r;
    if (std::fabs(dL) < SEUIL_EST_OUEST) {
        r.cap = dG > 0 ? 3 * PI_D / 2 : PI_D / 2;
        r.dist = std::fabs(std::cos(phi2) * milles(dG));
    } else {
        const double a = std::atan(-dG / (m2 - m1));
        if (dL < 0 && dG >= 0)
            r.cap = a + PI_D;
        else if (dL < 0)
            r.cap = PI_D - std::fabs(a);
        else if (a > 0)
            r.cap = a;
        else
            r.cap = a + 2 * PI_D;
        // |cos(cap)| = 1 / sqrt(1 + x²) for cap = atan(x) plus a multiple of π.
        const double x = dG / (m2 - m1);
        r.dist = std::fabs(milles(dL)) * std::sqrt(1 + x * x);
    }
    if (r.dist >= COURTE_DISTANCE)
        return r;

    // Short leg: plane sailing.
    if (std::fabs(dG) <= SEUIL_MERIDIEN) {
        r.dist = std::fabs(milles(dL));
        r.cap = dL > 0 ? 0 : PI_D;
        return r;
    }
    const double t = std::cos(phi2) * dG;
    r.dist = std::hypot(milles(dL), milles(t));
    double a = std::atan(dL / t);
    if (dL > 0 && t > 0)
        a = PI_D - a;
    else if (dL < 0 && t < 0)
        a = -a;
    else if (dL > 0 && t < 0)
        a = -a;
    else if (dL < 0 && t > 0)
        a = -a - PI_D;
    r.cap = 5 * PI_D / 2 - a;
    if (dL == 0 && t > 0)
        r.cap = 3 * PI_D / 2;
    while (std::isfinite(r.cap) && r.cap > 2 * PI_D)
        r.cap -= 2 * PI_D;
    return r;
}
}  // namespace

void loxodromie(EtatLoxodromie& e, ext dL, ext dG, ext phi1, ext phi2)
{
    const Loxo r = loxo_d(d(dL), d(dG), d(phi2), partie_meridienne(d(phi1)),
                          partie_meridienne(d(phi2)));
    e.dist_lox = r.dist;
    e.cap_lox = r.cap;
}

ext distance_loxo(EtatLoxodromie& e, ext phi1, ext lam1, ext phi2, ext lam2)
{
    e.dL = phi2 - phi1;
    e.dG = ecart_court(lam1, lam2);
    loxodromie(e, e.dL, e.dG, phi1, phi2);
    return e.dist_lox;
}

ext dist_ortho(ext lat1, ext lon1, ext lat2, ext lon2)
{
    const double p1 = ddmm_rad_d(lat1), l1 = ddmm_rad_d(lon1);
    const double p2 = ddmm_rad_d(lat2), l2 = ddmm_rad_d(lon2);
    // The spherical law of cosines, sin p1 sin p2 + cos p1 cos p2 cos(l2 - l1),
    // written as cos(p2 - p1) - 2 cos p1 cos p2 sin²((l2 - l1) / 2): the same
    // value, exact for identical positions and without the cancellation
    // that leaves centimetres between two nearby ones. The argument of the
    // arc cosine is held within -1..1.
    const double s = std::sin((l2 - l1) / 2);
    const double cosD = std::clamp(std::cos(p2 - p1) - 2 * std::cos(p1) * std::cos(p2) * s * s, -1.0, 1.0);
    return std::fabs(milles(std::acos(cosD)));
}

ext pas_orthodromie(ext lon1, ext lon2)
{
    return std::fabs(degres(ecart_court(ddmm_vers_rad(lon1), ddmm_vers_rad(lon2))) * ext(SEIZIEME));
}

void calcul_orthodromie(Orthodromie& o, EtatLoxodromie& lox, ext lat1, ext lon1, ext lat2,
                        ext lon2, ext pas_ext)
{
    o.nb_pts_orth = 0;
    if (lon1 == lon2)
        return;
    if (!std::isfinite(lat1) || !std::isfinite(lon1) || !std::isfinite(lat2) ||
        !std::isfinite(lon2) || !std::isfinite(pas_ext) || !(pas_ext > 0) || pas_ext > 360)
        return;
    if (std::fabs(lat1) > 90 || std::fabs(lat2) > 90 || std::fabs(lon1) > 360 || std::fabs(lon2) > 360)
        return;

    // The longitudes of the points and the end test stay extended: the
    // usual cases put the last point exactly one spacing from the end.
    const ext L1 = ddmm_vers_rad(lon1), L2 = ddmm_vers_rad(lon2);
    const ext dG = ecart_court(L1, L2);
    // One meridian in two spellings (10°60' and 11°, 180° and -180°), or
    // points closer than a billionth of a degree: the path is the meridian.
    if (std::fabs(degres(dG)) < PRES_MERIDIEN || pas_ext < PRES_MERIDIEN)
        return;
    const ext S = sign(dG);

    const double p1 = ddmm_rad_d(lat1), l1 = ddmm_rad_d(lon1);
    const double p2 = ddmm_rad_d(lat2), l2 = ddmm_rad_d(lon2);
    // Latitude of the great circle through both ends at longitude lam.
    // sin(lam - l) is expanded so that each point needs one sincos.
    const double t1 = tan_borne_d(p1), t2 = tan_borne_d(p2), s21 = std::sin(d(dG));
    const double a_sin = (t2 * std::cos(l1) - t1 * std::cos(l2)) / s21;
    const double a_cos = (t1 * std::sin(l2) - t2 * std::sin(l1)) / s21;
    if (!std::isfinite(a_sin) || !std::isfinite(a_cos))
        return;
    auto lat_orthodromie = [&](double lam) {
        return std::atan(a_sin * std::sin(lam) + a_cos * std::cos(lam));
    };

    // First point: the next whole multiple of N degrees beyond the start.
    const int64_t N = static_cast<int64_t>(nint(pas_ext));
    ext premier;
    if (N != 0) {
        int64_t L = static_cast<int64_t>(nint(degres(L1)));
        do
            L += static_cast<int64_t>(S);
        while (L % N != 0);
        premier = radians(static_cast<ext>(L));
    } else {
        premier = radians(degres(L1) + S * pas_ext);
    }

    const ext h = radians(pas_ext);
    std::array<double, MAX_PTS_ORTH> lat, lon;
    int32_t i = 0;
    for (;;) {
        if (i == MAX_PTS_ORTH) {  // the table is full before the end: refused
            o.nb_pts_orth = 0;
            return;
        }
        ext lam = S * i * h + premier;
        if (S > 0 && lam > PI)
            lam -= 2 * PI;
        if (S < 0 && lam < -PI)
            lam += 2 * PI;
        if (std::fabs(std::fabs(lam) - PI) < 1e-6L)
            lam = S < 0 ? PI : -PI;
        o.pts_orth[size_t(i)].longitude = lam;
        lon[size_t(i)] = d(lam);
        lat[size_t(i)] = lat_orthodromie(d(lam));
        o.pts_orth[size_t(i)].latitude = lat[size_t(i)];
        ++i;
        if (std::fabs(L2 - lam) < h || std::fabs(L2 + 2 * PI - lam) < h ||
            std::fabs(L2 - 2 * PI - lam) < h)
            break;
    }
    o.nb_pts_orth = i;

    // The course of every leg; each meridional part is computed once.
    double pa = p1, la = l1, ma = partie_meridienne(p1);
    Loxo r{};
    for (int32_t k = 0; k <= i; ++k) {
        const double pb = k < i ? lat[size_t(k)] : p2;
        const double lb = k < i ? lon[size_t(k)] : l2;
        const double mb = partie_meridienne(pb);
        r = loxo_d(pb - pa, ecart_court(la, lb), pb, ma, mb);
        o.caps_orth[size_t(k)] = r.cap;
        pa = pb;
        la = lb;
        ma = mb;
    }
    lox.dist_lox = r.dist;
    lox.cap_lox = r.cap;
}

bool correlation_dx_dG(const Viewport& v, ext A, ext B)
{
    const ext a = ddmm_vers_rad(A), b = ddmm_vers_rad(B);
    const int64_t dx = int64_t(v.pos_grX(b)) - int64_t(v.pos_grX(a));
    if (a_lEst(b, a) && dx >= 0)
        return true;
    return a_lOuEst(b, a) && dx <= 0;
}

Decalage decalage_etiquette(ext lat1, ext lon1, ext lat2, ext lon2)
{
    const ext p1 = ddmm_vers_rad(lat1), l1 = ddmm_vers_rad(lon1);
    const ext p2 = ddmm_vers_rad(lat2), l2 = ddmm_vers_rad(lon2);
    const ext dL = p2 - p1;
    const ext dG = ecart_court(l1, l2);
    const bool nord = (p1 + p2) / 2 >= 0;
    if (dL * dG > 0)
        return nord ? Decalage{-20, 20} : Decalage{2, -20};
    return nord ? Decalage{3, 10} : Decalage{-30, -20};
}

QString texte_distance(ext m)
{
    return QString::asprintf("%5.0f", static_cast<double>(m)) + QStringLiteral(" milles");
}

}  // namespace orv

namespace orv {
QStringList lignes_distance(ext lat1, ext lon1, ext lat2, ext lon2)
{
    auto ddmm = [](ext v) { return QString::asprintf("%.4f", static_cast<double>(v)); };
    auto cap = [](ext rad) { return QString::asprintf("%.3f°", static_cast<double>(degres(rad))); };
    QStringList l;
    l << Texte::tr("Distance orthodromique : %1 milles")
             .arg(QString::asprintf("%.1f", static_cast<double>(dist_ortho(lat1, lon1, lat2, lon2))));
    EtatLoxodromie lox;
    const ext d = distance_loxo(lox, ddmm_vers_rad(lat1), ddmm_vers_rad(lon1), ddmm_vers_rad(lat2),
                                ddmm_vers_rad(lon2));
    l << Texte::tr("Distance loxodromique : %1 milles").arg(QString::asprintf("%.2f", static_cast<double>(d)));
    l << Texte::tr("Cap loxodromique : %1").arg(cap(lox.cap_lox));
    Orthodromie o;
    calcul_orthodromie(o, lox, lat1, lon1, lat2, lon2, pas_orthodromie(lon1, lon2));
    l << Texte::tr("Points intermédiaires : %1").arg(o.nb_pts_orth);
    for (int32_t k = 0; k < o.nb_pts_orth; ++k) {
        const TPos_elem& p = o.pts_orth[size_t(k)];
        l << Texte::tr("Point %1 : %2 %3 cap %4")
                 .arg(k + 1)
                 .arg(ddmm(rad_vers_ddmm(p.latitude)), ddmm(rad_vers_ddmm(p.longitude)),
                      cap(o.caps_orth[size_t(k)]));
    }
    if (o.nb_pts_orth > 0)
        l << Texte::tr("Arrivée : %1 %2 cap %3")
                 .arg(ddmm(lat2), ddmm(lon2), cap(o.caps_orth[size_t(o.nb_pts_orth)]));
    return l;
}
}  // namespace orv
