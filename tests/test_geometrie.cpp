// Rhumb lines and great circles: reference tables in the manner of PROJ's
// .gie files (operation, tolerance, input, expected), then properties.
#include "geometrie.h"
#include "trace_geometrie.h"
#include "viewport.h"

#include <QRandomGenerator>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace orv;

namespace {

ext rad(ext ddmm) { return ddmm_vers_rad(ddmm); }
double deg(ext r) { return double(degres(r)); }

struct CasLoxo {
    const char* nom;
    ext lat1, lon1, lat2, lon2;  // DD.MM
    double milles, tol_milles, cap_deg, tol_cap;
};

// Longitude of point k in decimal degrees.
double lon_pt(const Orthodromie& o, int k) { return deg(o.pts_orth[size_t(k)].longitude); }
double lat_pt(const Orthodromie& o, int k) { return deg(o.pts_orth[size_t(k)].latitude); }

Orthodromie calcule(ext lat1, ext lon1, ext lat2, ext lon2, ext pas)
{
    Orthodromie o;
    EtatLoxodromie lox;
    calcul_orthodromie(o, lox, lat1, lon1, lat2, lon2, pas);
    return o;
}

Orthodromie calcule(ext lat1, ext lon1, ext lat2, ext lon2)
{
    return calcule(lat1, lon1, lat2, lon2, pas_orthodromie(lon1, lon2));
}

}  // namespace

TEST(Loxodromie, TableDeReference)
{
    const CasLoxo table[] = {
        // plane sailing on a short leg
        {"1' N 1' W", 0, 0, 0.01L, 0.01L, 1.4142, 5e-5, 315.000, 5e-4},
        {"equator 1 deg E", 0, 0, 0, -1, 60, 1e-9, 90, 1e-9},
        {"10 deg N", 0, 0, 10, 0, 600, 1e-9, 360, 1e-9},
        {"10 S 10 E", 0, 0, -10, -10, 846.37, 5e-3, 135.146, 5e-4},
        {"Port-Brevalec to 40N 60W", 46.30L, 1.47L, 40.00L, 60.00L, 2570.18, 5e-3, 261.272, 5e-4},
        {"2' due North", 0, 0, 0.02L, 0, 2, 1e-9, 0, 1e-9},
        {"170 W to 170 E, westward", 40, 170, 40, -170, 919.25, 5e-3, 270, 1e-9},
        {"identical points", 12.3L, 45.6L, 12.3L, 45.6L, 0, 0, 180, 1e-12},
    };
    for (const CasLoxo& c : table) {
        SCOPED_TRACE(c.nom);
        EtatLoxodromie e;
        const ext d = distance_loxo(e, rad(c.lat1), rad(c.lon1), rad(c.lat2), rad(c.lon2));
        EXPECT_NEAR(double(d), c.milles, c.tol_milles);
        EXPECT_EQ(d, e.dist_lox);
        EXPECT_NEAR(deg(e.cap_lox), c.cap_deg, c.tol_cap);
    }
    // The date line: 20° to the west, not 340° to the east.
    EtatLoxodromie e;
    distance_loxo(e, rad(40), rad(170), rad(40), rad(-170));
    EXPECT_NEAR(deg(e.dG), 20.0, 1e-12);
}

TEST(Orthodromie, DistancesDeReference)
{
    EXPECT_NEAR(double(dist_ortho(0, 0, 0, 1)), 60.0, 1e-9);
    EXPECT_EQ(dist_ortho(46.30L, 1.47L, 46.30L, 1.47L), 0);
    EXPECT_NEAR(double(dist_ortho(46.30L, 1.47L, 40.00L, 60.00L)), 2515.6, 0.05);
    EXPECT_NEAR(double(dist_ortho(40, 170, 40, -170)), 917.3, 0.05);
    // Antipodes: half the world, not NaN.
    EXPECT_NEAR(double(dist_ortho(30, 20, -30, -160)), 10800.0, 1e-6);
    EXPECT_NEAR(double(dist_ortho(90, 0, -90, 0)), 10800.0, 1e-6);
}

TEST(Orthodromie, PortBrevalecVers40N60W)
{
    const Orthodromie o = calcule(46.30L, 1.47L, 40.00L, 60.00L);
    EXPECT_NEAR(double(pas_orthodromie(1.47L, 60.00L)), 3.63854, 5e-6);
    ASSERT_EQ(o.nb_pts_orth, 16);
    EXPECT_NEAR(lon_pt(o, 0), 4.0, 1e-12);
    EXPECT_NEAR(lat_pt(o, 0), 46.8275, 5e-5);  // north of the start: poleward bulge
    EXPECT_NEAR(lon_pt(o, 1), 7.6385, 5e-5);
    EXPECT_NEAR(lon_pt(o, 2), 11.2771, 5e-5);
    EXPECT_NEAR(lon_pt(o, 15), 58.5781, 5e-5);
    EXPECT_NEAR(lat_pt(o, 15), 40.5867, 5e-5);
    // Every leg heads west-ish, turning south along the way.
    for (int k = 0; k <= 16; ++k) {
        EXPECT_GT(deg(o.caps_orth[size_t(k)]), 180.0) << k;
        if (k > 0) {
            EXPECT_LT(o.caps_orth[size_t(k)], o.caps_orth[size_t(k - 1)]) << k;
        }
    }
}

TEST(Orthodromie, LigneDeChangementDeDate)
{
    // Westward: 171, 172.25, ..., 179.75, then 179 E (-179), ..., -170.25.
    const Orthodromie o = calcule(40, 170, 40, -170);
    ASSERT_EQ(o.nb_pts_orth, 16);
    for (int k = 0; k < 8; ++k)
        EXPECT_NEAR(lon_pt(o, k), 171 + 1.25 * k, 1e-9) << k;
    for (int k = 8; k < 16; ++k)
        EXPECT_NEAR(lon_pt(o, k), -179 + 1.25 * (k - 8), 1e-9) << k;
    double haut = -90;
    for (int k = 0; k < 16; ++k)
        haut = std::max(haut, lat_pt(o, k));
    EXPECT_NEAR(haut, 40.432, 5e-4);

    // Eastward: the mirror sequence.
    const Orthodromie e = calcule(40, -170, 40, 170);
    ASSERT_EQ(e.nb_pts_orth, 16);
    for (int k = 0; k < 16; ++k)
        EXPECT_NEAR(lon_pt(e, k), -lon_pt(o, k), 1e-9) << k;
}

TEST(Orthodromie, PointSurLe180)
{
    // On the equator, 172 W to 172 E, 1° apart: 173..179, -π, -179..-172.
    const Orthodromie o = calcule(0, 172, 0, -172, 1);
    ASSERT_EQ(o.nb_pts_orth, 16);
    EXPECT_NEAR(lon_pt(o, 0), 173, 1e-9);
    EXPECT_NEAR(lon_pt(o, 6), 179, 1e-9);
    EXPECT_EQ(o.pts_orth[7].longitude, -PI);
    EXPECT_NEAR(lon_pt(o, 8), -179, 1e-9);
    EXPECT_NEAR(lon_pt(o, 15), -172, 1e-9);  // the last point is the end
}

TEST(Orthodromie, ArretAvantLaFinAuDelaDu180)
{
    // 104°17' E to 176°08' W, eastward across 180°.
    EXPECT_NEAR(double(pas_orthodromie(-104.17L, 176.08L)), 4.97396, 5e-6);
    const Orthodromie o = calcule(-40, -104.17L, -45, 176.08L);
    ASSERT_EQ(o.nb_pts_orth, 16);
    EXPECT_NEAR(lon_pt(o, 0), -105, 1e-9);
    EXPECT_NEAR(lon_pt(o, 1), -109.974, 5e-4);
    EXPECT_NEAR(lon_pt(o, 15), -179.609, 5e-4);
}

TEST(Orthodromie, LongitudesEgalesEtEntreesRefusees)
{
    Orthodromie o = calcule(46.30L, 1.47L, 40.00L, 60.00L);
    ASSERT_EQ(o.nb_pts_orth, 16);
    EtatLoxodromie lox;
    calcul_orthodromie(o, lox, 10, 5, 20, 5, 1);
    EXPECT_EQ(o.nb_pts_orth, 0);  // the previous points are not reused

    const ext nan = std::numeric_limits<ext>::quiet_NaN();
    const ext inf = std::numeric_limits<ext>::infinity();
    for (ext pas : {ext(0), ext(-1), nan, inf, ext(1e300)}) {
        calcul_orthodromie(o, lox, 46.30L, 1.47L, 40.00L, 60.00L, pas);
        EXPECT_EQ(o.nb_pts_orth, 0) << double(pas);
    }
    for (ext v : {nan, inf}) {
        calcul_orthodromie(o, lox, v, 1.47L, 40.00L, 60.00L, 3);
        EXPECT_EQ(o.nb_pts_orth, 0);
        calcul_orthodromie(o, lox, 46.30L, 1.47L, 40.00L, v, 3);
        EXPECT_EQ(o.nb_pts_orth, 0);
    }
    // More than 101 points would be needed: refused rather than overrun.
    calcul_orthodromie(o, lox, 46.30L, 1.47L, 40.00L, 60.00L, 0.5L);
    EXPECT_EQ(o.nb_pts_orth, 0);
    // Exactly 101 points fit, with the course of the last leg.
    calcul_orthodromie(o, lox, 0, 0, 0, -101.3L, 1);
    EXPECT_EQ(o.nb_pts_orth, 101);
    EXPECT_NEAR(deg(o.caps_orth[101]), 90, 1e-9);
    // At the poles: no crash, an end.
    calcul_orthodromie(o, lox, 90, 10, -90, 50, 2.5L);
    EXPECT_GT(o.nb_pts_orth, 0);
    EXPECT_LE(o.nb_pts_orth, 101);
}

TEST(Orthodromie, ProprietesSurDesPairesAleatoires)
{
    QRandomGenerator g(20001110);
    auto tire = [&](double lo, double hi) { return lo + (hi - lo) * g.generateDouble(); };
    for (int n = 0; n < 4000; ++n) {
        ext lat1 = deg_vers_ddmm(tire(-80, 80)), lon1 = deg_vers_ddmm(tire(-180, 180));
        ext lat2 = deg_vers_ddmm(tire(-80, 80)), lon2 = deg_vers_ddmm(tire(-180, 180));
        if (n % 4 == 1) { lat2 = lat1; lon2 = lon1; }               // identical
        if (n % 4 == 2) {                                           // antipodal
            lat2 = -lat1;
            lon2 = deg_vers_ddmm(ddmm_vers_deg(lon1) > 0 ? ddmm_vers_deg(lon1) - 180 : ddmm_vers_deg(lon1) + 180);
        }
        SCOPED_TRACE(::testing::Message() << double(lat1) << " " << double(lon1) << " "
                                          << double(lat2) << " " << double(lon2));
        const ext d = dist_ortho(lat1, lon1, lat2, lon2);
        ASSERT_FALSE(std::isnan(d));
        EXPECT_NEAR(double(d), double(dist_ortho(lat2, lon2, lat1, lon1)), 1e-9);
        EXPECT_LE(d, 10800 + 1e-9);
        if (n % 4 == 1) {
            EXPECT_NEAR(double(d), 0, 1e-5);  // the law of cosines near zero
        }
        if (n % 4 == 2) {
            EXPECT_NEAR(double(d), 10800, 1e-4);
        }

        EtatLoxodromie lox;
        const ext r = distance_loxo(lox, rad(lat1), rad(lon1), rad(lat2), rad(lon2));
        ASSERT_FALSE(std::isnan(r));
        EXPECT_GE(double(r), double(d) - 1e-5);  // the rhumb line is never shorter

        {
            Orthodromie o;
            calcul_orthodromie(o, lox, lat1, lon1, lat2, lon2, pas_orthodromie(lon1, lon2));
            ASSERT_LE(o.nb_pts_orth, 101);
            // Longitudes advance in the direction of travel, across 180° too.
            const ext dG = ecart_court(rad(lon1), rad(lon2));
            if (std::fabs(std::fabs(dG) - PI) < 1e-9)
                continue;  // half a world apart: either way round is right
            ext prec = rad(lon1);
            for (int k = 0; k < o.nb_pts_orth; ++k) {
                const ext lam = o.pts_orth[size_t(k)].longitude;
                ASSERT_FALSE(std::isnan(o.pts_orth[size_t(k)].latitude));
                ext pas = lam - prec;
                if (pas > PI) pas -= 2 * PI;
                if (pas < -PI) pas += 2 * PI;
                EXPECT_GT(pas * sign(dG), 0) << k;
                prec = lam;
            }
            for (int k = 0; k <= o.nb_pts_orth && o.nb_pts_orth > 0; ++k)
                ASSERT_FALSE(std::isnan(o.caps_orth[size_t(k)])) << k;
        }
    }
}

TEST(EtiquetteDeDistance, TexteEtDecalages)
{
    EXPECT_EQ(texte_distance(2515.6L), QStringLiteral(" 2516 milles"));
    EXPECT_EQ(texte_distance(0), QStringLiteral("    0 milles"));
    // South-west in the north, its mirror in the south, north-west, south-east.
    const Decalage a = decalage_etiquette(46.30L, 1.47L, 40.00L, 60.00L);
    EXPECT_EQ(a.dx, 3);
    EXPECT_EQ(a.dy, 10);
    // South-west in the south.
    const Decalage b = decalage_etiquette(-40.00L, 1.47L, -46.30L, 60.00L);
    EXPECT_EQ(b.dx, -30);
    EXPECT_EQ(b.dy, -20);
    // With the latitudes negated the segment runs north-west: the table's
    // (+2, -20) for the south.
    const Decalage b2 = decalage_etiquette(-46.30L, 1.47L, -40.00L, 60.00L);
    EXPECT_EQ(b2.dx, 2);
    EXPECT_EQ(b2.dy, -20);
    const Decalage c = decalage_etiquette(40, 10, 45, 20);
    EXPECT_EQ(c.dx, -20);
    EXPECT_EQ(c.dy, 20);
    const Decalage d = decalage_etiquette(-40, 20, -45, 10);
    EXPECT_EQ(d.dx, 2);
    EXPECT_EQ(d.dy, -20);
    // Across the date line the short way decides: 175 E to 175 W heads
    // east (dG < 0), so north-east, not north-west.
    const Decalage e = decalage_etiquette(40, -175, 45, 175);
    EXPECT_EQ(e.dx, 3);
    EXPECT_EQ(e.dy, 10);
}

TEST(EtiquetteDeDistance, DessineeEnRougeAuMilieu)
{
    Viewport v;
    v.lat_nord = 50;
    v.lat_sud = 35;
    v.long_ouest = 65;
    v.long_est = 0;
    Canevas k;
    Carte m(k, v);
    m.peint(nullptr, StyleCarte{}, 804, 585);
    k.remplit(clBlack);
    Affiche_dist_ortho(m, 46.30L, 1.47L, 40.00L, 60.00L);
    const int x1 = m.pos_grX(rad(1.47L)), x2 = m.pos_grX(rad(60));
    const int y1 = m.pos_grY(rad(46.30L)), y2 = m.pos_grY(rad(40));
    const int xm = nint32((x1 + x2) * 0.5L), ym = nint32((y1 + y2) * 0.5L);
    const QImage& img = k.image();
    int rouges = 0, ailleurs = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (img.pixel(x, y) == qRgb(255, 0, 0)) {
                const bool dedans = x >= xm + 3 && y >= ym + 10 && x < xm + 80 && y < ym + 22;
                (dedans ? rouges : ailleurs)++;
            }
    EXPECT_GT(rouges, 20);
    EXPECT_EQ(ailleurs, 0);
    EXPECT_NE(k.couleur_police, clRed);  // the font colour is restored
}

TEST(Correlation, SegmentsDessinables)
{
    Viewport v;
    // Straddling 180°: 175 W and 175 E are drawn side by side.
    v.lat_nord = 10; v.lat_sud = 0; v.long_ouest = -170; v.long_est = 170;
    v.ajuste(804, 585);
    EXPECT_TRUE(correlation_dx_dG(v, 175, -175));
    EXPECT_TRUE(correlation_dx_dG(v, -175, 175));
    // A view over the Indian Ocean puts 10° W 360° to the right of 60° E.
    v.lat_nord = 0; v.lat_sud = -40; v.long_ouest = -50; v.long_est = -100;
    v.ajuste(804, 585);
    ASSERT_LE(v.G_gauche(), 0);
    EXPECT_FALSE(correlation_dx_dG(v, -60, 10));
    EXPECT_TRUE(correlation_dx_dG(v, -60, -80));
    EXPECT_TRUE(correlation_dx_dG(v, -80, -60));
    v = Viewport{};
}

TEST(Loxodromie, CourtesRoutesDansLesQuatreQuadrants)
{
    // One minute of arc north or south and one east or west from 0° 0°:
    // plane sailing, √2 miles, the course of each quadrant.
    struct {
        ext lat2, lon2;
        double cap;
    } cas[] = {{0.01L, -0.01L, 45}, {-0.01L, -0.01L, 135}, {-0.01L, 0.01L, 225}, {0.01L, 0.01L, 315}};
    for (const auto& c : cas) {
        SCOPED_TRACE(c.cap);
        EtatLoxodromie lox;
        const ext d = distance_loxo(lox, 0, 0, rad(c.lat2), rad(c.lon2));
        EXPECT_NEAR(double(d), std::sqrt(2.0), 1e-6);
        EXPECT_NEAR(deg(lox.cap_lox), c.cap, 1e-3);
    }
}

TEST(Orthodromie, LeCourtChemineQuelQueSoitLOrdre)
{
    // Pairs on each side of Greenwich and of 180°, in both orders: the
    // longitude difference is the short one, the rhumb line and the great
    // circle agree with the mirrored trip.
    struct {
        ext lon1, lon2;
        double ecart;  // degrees, West positive, from 1 to 2
    } cas[] = {{-94, 14, 108},  {14, -94, -108}, {-10, 10, 20},   {10, -10, -20},
               {170, -170, 20}, {-170, 170, -20}, {-5, 170, 175}, {90, -95, 175}};
    for (const auto& c : cas) {
        SCOPED_TRACE(::testing::Message() << double(c.lon1) << " -> " << double(c.lon2));
        EXPECT_NEAR(deg(ecart_court(rad(c.lon1), rad(c.lon2))), c.ecart, 1e-9);
        EtatLoxodromie aller, retour;
        const ext da = distance_loxo(aller, rad(40), rad(c.lon1), rad(40), rad(c.lon2));
        const ext dr = distance_loxo(retour, rad(40), rad(c.lon2), rad(40), rad(c.lon1));
        EXPECT_NEAR(double(da), double(dr), 1e-6);
        // Along a parallel: |ecart| × 60 × cos 40°.
        EXPECT_NEAR(double(da), std::fabs(c.ecart) * 60 * std::cos(40 * M_PI / 180), 1e-6);
        EXPECT_NEAR(deg(aller.cap_lox), c.ecart > 0 ? 270 : 90, 1e-9);
        const Orthodromie o = calcule(40, c.lon1, 40, c.lon2);
        ASSERT_GT(o.nb_pts_orth, 0);
        // The great circle between two points of 40° N bulges north, never
        // down to the southern hemisphere.
        for (int k = 0; k < o.nb_pts_orth; ++k)
            EXPECT_GE(lat_pt(o, k), 40 - 1e-9) << k;
    }
    // 94° E to 14° W at 40° N: the rhumb line of 108° along the parallel.
    const QStringList l = lignes_distance(40, -94, 40, 14);
    EXPECT_EQ(l[1], QStringLiteral("Distance loxodromique : 4963.97 milles"));
    EXPECT_EQ(l[2], QStringLiteral("Cap loxodromique : 270.000°"));
    EXPECT_EQ(lignes_distance(40, 14, 40, -94)[1], l[1]);
}

TEST(Orthodromie, UnMeridienEcritDeDeuxFacons)
{
    // 10°60' is 11°; 5 and 5.000000000000001 are one meridian for a
    // double: no points, no NaN, and the read-out ends with the count.
    for (auto [a, b] : {std::pair<ext, ext>{10.6L, 11}, {5, 5.000000000000001L}, {180, -180}}) {
        SCOPED_TRACE(double(a));
        const Orthodromie o = calcule(0, a, 20, b);
        EXPECT_EQ(o.nb_pts_orth, 0);
        const QStringList l = lignes_distance(0, a, 20, b);
        EXPECT_EQ(l.last(), QStringLiteral("Points intermédiaires : 0"));
        for (const QString& ligne : l)
            EXPECT_FALSE(ligne.contains(QLatin1String("nan"))) << ligne.toStdString();
    }
}

TEST(Orthodromie, LePasTombeSurLArrivee)
{
    // 114° E to 108° E: 6° westward, pas 0.375, N = 0, points every 0.375°
    // from 113.625° E; the 16th lands exactly on 108° E, the end.
    const Orthodromie o = calcule(10, -114, 20, -108);
    ASSERT_EQ(o.nb_pts_orth, 16);
    EXPECT_NEAR(lon_pt(o, 0), -113.625, 1e-12);
    EXPECT_NEAR(lon_pt(o, 14), -108.375, 1e-12);
    EXPECT_NEAR(lon_pt(o, 15), -108, 1e-12);
    EXPECT_NEAR(lat_pt(o, 15), 20, 1e-9);
}

TEST(EtiquetteDeDistance, SegmentDeChaqueCoteDeLEquateur)
{
    // The mean latitude of the two ends picks the row of the table.
    // 10° N 0° to 20° S 10° E: south-east (dL < 0, dG < 0), mean 5° S.
    const Decalage a = decalage_etiquette(10, 0, -20, -10);
    EXPECT_EQ(a.dx, 2);
    EXPECT_EQ(a.dy, -20);
    // 20° N 0° to 10° S 10° E: south-east, mean 5° N.
    const Decalage b = decalage_etiquette(20, 0, -10, -10);
    EXPECT_EQ(b.dx, -20);
    EXPECT_EQ(b.dy, 20);
    // 10° S 0° to 20° N 10° E: north-east, mean 5° N; 20° S to 10° N: 5° S.
    const Decalage c = decalage_etiquette(-10, 0, 20, -10);
    EXPECT_EQ(c.dx, 3);
    EXPECT_EQ(c.dy, 10);
    const Decalage d = decalage_etiquette(-20, 0, 10, -10);
    EXPECT_EQ(d.dx, -30);
    EXPECT_EQ(d.dy, -20);
}
