// The viewport fit, the pixel conversions and the longitude wrap-around.
#include "trace_cartes.h"
#include "viewport.h"

#include <QImage>
#include <limits>

#include <cmath>
#include <gtest/gtest.h>

using namespace orv;

namespace {
Viewport vue(ext nord, ext sud, ext ouest, ext est, int w = 804, int h = 585)
{
    Viewport v;
    v.lat_nord = nord;
    v.lat_sud = sud;
    v.long_ouest = ouest;
    v.long_est = est;
    v.ajuste(w, h);
    return v;
}
}  // namespace

TEST(Viewport, AjustementEuropeOccidentale)
{
    // 10° W to 20° E, 40° N to 30° N on 804 × 585.
    const Viewport v = vue(40, 30, 10, -20);
    EXPECT_NEAR(double(v.larg_deg()), 36.0, 1e-12);
    EXPECT_NEAR(double(v.haut_deg()), 27.0677, 1e-4);
    EXPECT_EQ(v.ech_X(), 22);
    EXPECT_EQ(v.ech_Y(), 22);
    EXPECT_NEAR(double(v.G_gauche()), 13.0, 1e-12);
    EXPECT_NEAR(double(v.L_haut()), 48.5338, 1e-4);
    EXPECT_FALSE(v.franchit_180());
    // Either order of the bounds gives the same view.
    const Viewport w = vue(30, 40, -20, 10);
    EXPECT_EQ(w.ech_X(), v.ech_X());
    EXPECT_NEAR(double(w.G_gauche()), double(v.G_gauche()), 1e-12);
    EXPECT_NEAR(double(w.L_haut()), double(v.L_haut()), 1e-12);
}

TEST(Viewport, AjustementAcheval180)
{
    // 170° E to 170° W (long_ouest = -170, long_est = 170), width dominant.
    Viewport v = vue(10, 0, -170, 170);
    EXPECT_TRUE(v.franchit_180());
    EXPECT_NEAR(double(degres(v.ecart_long())), -20.0, 1e-12);
    EXPECT_NEAR(double(v.larg_deg()), 24.0, 1e-12);
    EXPECT_NEAR(double(v.G_gauche()), -168.4, 1e-12);
    // 175° W lies right of the left edge after +360, 175° E without shift:
    // (-168.4 - 175 + 360) × 33 = 547.8 and (-168.4 + 175) × 33 = 217.8.
    EXPECT_EQ(v.ech_X(), 33);
    EXPECT_EQ(v.pos_grX(radians(175)), 548);
    EXPECT_EQ(v.pos_grX(radians(-175)), 218);
    EXPECT_GT(v.pos_grX(radians(175)), v.pos_grX(radians(-175)));
    // Back from pixels: columns right of 180° read as western longitudes.
    const ext g = ddmm_vers_deg(v.long_(v.pos_grX(radians(175))));
    EXPECT_NEAR(double(g), 175.0, 1.0 / v.ech_X());
}

TEST(Viewport, ConversionsInverses)
{
    const Viewport v = vue(40, 30, 10, -20);
    EXPECT_NEAR(double(ddmm_vers_deg(v.long_(0))), double(v.G_gauche()), 1e-12);
    EXPECT_NEAR(double(ddmm_vers_deg(v.lat(585))), double(v.L_haut() - 585.0L / 22), 1e-12);
    for (int x = 0; x <= 804; x += 3)
        EXPECT_EQ(v.pos_grX(ddmm_vers_rad(v.long_(x))), x) << x;
    for (int y = 0; y <= 585; y += 3)
        EXPECT_EQ(v.pos_grY(ddmm_vers_rad(v.lat(y))), y) << y;
}

TEST(Viewport, CorrectionsDeLongitude)
{
    struct { ext in, out; } cas[] = {{180, 180}, {-180, 180}, {190, -170}, {-190, 170}, {0, 0}};
    for (auto c : cas) {
        ext g = c.in;
        corrige_depass_G(g);
        EXPECT_EQ(g, c.out) << double(c.in);
    }
    EXPECT_TRUE(a_lEst(radians(170), radians(-175)));  // 170 W east of 175 E
    EXPECT_FALSE(a_lEst(radians(10), radians(-20)));   // 10 W not east of 20 E
    EXPECT_TRUE(a_lEst(radians(-20), radians(10)));    // 20 E east of 10 W
    EXPECT_FALSE(a_lEst(radians(5), radians(5)));
    EXPECT_TRUE(a_lOuEst(radians(5), radians(5)));
    EXPECT_TRUE(au_Nord(1, 0));
    EXPECT_TRUE(au_Sud(0, 1));

    const EcartCorrige a = ecart_corrige(radians(-340), radians(170), radians(-170));
    EXPECT_TRUE(a.franchit);
    EXPECT_NEAR(double(degres(a.ecart)), 20.0, 1e-12);
    EXPECT_EQ(ecart_corrige(radians(30), radians(10), radians(40)).franchit, false);
}

TEST(Viewport, PremierePeintureSansLimites)
{
    // Nothing set yet: a default world view instead of a division by zero.
    Viewport v;
    v.elargit_si_vide();
    v.ajuste(804, 585);
    EXPECT_GT(v.ech_X(), 0);
    EXPECT_GT(v.ech_Y(), 0);
    EXPECT_TRUE(std::isfinite(double(v.G_gauche())));
    EXPECT_GT(v.larg_deg(), 180);
    // Equal bounds after a paint: widened by the previous extents.
    const ext larg = v.larg_deg(), haut = v.haut_deg();
    v.lat_nord = v.lat_sud = 10;
    v.long_ouest = v.long_est = 20;
    v.elargit_si_vide();
    EXPECT_NEAR(double(v.lat_sud), double(10 - 0.025L * haut), 1e-12);
    EXPECT_NEAR(double(v.lat_nord), double(10 + 0.025L * haut), 1e-12);
    EXPECT_NEAR(double(v.long_ouest), double(20 - 0.025L * larg), 1e-12);
    EXPECT_NEAR(double(v.long_est), double(20 + 0.025L * larg), 1e-12);
    // A single point before any chart was painted: a small view around it.
    Viewport w;
    w.lat_nord = w.lat_sud = 46.3L;
    w.long_ouest = w.long_est = 1.47L;
    w.elargit_si_vide();
    w.ajuste(804, 585);
    EXPECT_GT(w.ech_X(), 0);
    EXPECT_NEAR(double(w.lat_nord + w.lat_sud) / 2, 46.3, 1e-12);
    EXPECT_LT(w.larg_deg(), 2);
}

TEST(Viewport, VueALEstDontLeBordDroitPasseLe180)
{
    // 10° N to 0°, 160° E to 179° E: 19° wide, larg_deg 22.8, ech_X
    // nint(804 / 22.8) = 35, G_gauche -169.5 + 11.4 = -158.1, and the right
    // edge at 158.1° E + 22.97° lies past 180°: the flag is set.
    const Viewport v = vue(10, 0, -160, -179);
    EXPECT_EQ(v.ech_X(), 35);
    EXPECT_NEAR(double(v.G_gauche()), -158.1, 1e-12);
    EXPECT_TRUE(v.franchit_180());
    // A dot at 179.9° W: (-158.1 - 179.9 + 360) × 35 = 770, drawn.
    EXPECT_EQ(v.pos_grX(radians(179.9L)), 770);
    // Column 803: -158.1 - 803 / 35 = -181.043 → 178.957° W, 178°57'.
    EXPECT_NEAR(double(v.long_(803)), 178.5743, 1e-4);
}

TEST(Viewport, UnPointEcritDeDeuxFacons)
{
    // 10°60' and 11°, 180° and -180°: one point, widened like any other.
    for (auto [o, e] : {std::pair<ext, ext>{10.6L, 11}, {180, -180}, {-180, 180}}) {
        SCOPED_TRACE(double(o));
        Viewport v;
        v.lat_nord = v.lat_sud = 10;
        v.long_ouest = o;
        v.long_est = e;
        v.elargit_si_vide();
        v.ajuste(804, 585);
        EXPECT_LT(v.larg_deg(), 30);
        EXPECT_GT(v.lat_nord, v.lat_sud);
        // The point lies inside the window.
        const int32_t x = v.pos_grX(ddmm_vers_rad(e)), y = v.pos_grY(radians(10));
        EXPECT_GE(x, 0);
        EXPECT_LE(x, 804);
        EXPECT_GE(y, 0);
        EXPECT_LE(y, 585);
    }
    // Bounds that are not numbers: the world view.
    Viewport w;
    w.lat_nord = std::numeric_limits<double>::quiet_NaN();
    w.elargit_si_vide();
    w.ajuste(804, 585);
    EXPECT_GT(w.larg_deg(), 180);
}

// Where the dot loop puts a coastline dot at longitude `lon` (degrees, West
// positive) on row 0, or -1 when it is not drawn.
namespace {
int colonne_du_point(const Viewport& v, double lon, int w, int h)
{
    QImage img(w + 1, h + 1, QImage::Format_RGB32);
    img.fill(Qt::black);
    const double rec[2] = {double(v.L_haut()), lon};
    trace_points(img, v.ajustement(), w, h, rec, 1, 0xFFFFFFFFu);
    for (int x = 0; x <= w; ++x)
        if (img.pixel(x, 0) != qRgb(0, 0, 0))
            return x;
    return -1;
}
}  // namespace

TEST(Viewport, PointsMarqueursGraticuleEtLectureConcordent)
{
    // Views the program can show: ordinary, across 180°, the default world
    // view (216° wide), the widest zoom asked over 360°, a tall view 287°
    // wide. In each, a dot, a marker and the pointer read-out agree.
    struct Cas {
        const char* nom;
        ext nord, sud, ouest, est;
    } cas[] = {{"ouest", 50, 40, 10, -5},       {"180", 10, -10, -170, 170},
               {"est-180", 10, 0, -160, -179}, {"monde", 70, -60, 89.59L, -89.59L},
               {"360", 80, -80, 180, -180},    {"hauteur", 90, -90, 1, 0}};
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.nom);
        const Viewport v = vue(c.nord, c.sud, c.ouest, c.est);
        int vus = 0;
        // Longitudes off the half-pixel ties, where rounding a double and an
        // extended real may honestly differ.
        for (double lon = -179.5 + 0.0123; lon <= 180; lon += 0.5) {
            const int xd = colonne_du_point(v, lon, 804, 585);
            const int32_t xm = v.pos_grX(radians(ext(lon)));
            const bool visible = xm >= 0 && xm <= 804;
            EXPECT_EQ(xd >= 0, visible) << lon;
            if (xd < 0 || !visible)
                continue;
            ++vus;
            EXPECT_EQ(xd, xm) << lon;
            // The read-out at that column gives the longitude back.
            ext g = ddmm_vers_deg(v.long_(xm)) - lon;
            g -= 360 * std::round(double(g / 360));
            EXPECT_LE(std::fabs(double(g)), 1.0 / v.ech_X()) << lon;
        }
        EXPECT_GT(vus, 10);
    }
    // Wide views round the whole world, at 1400 pixels (466° visible): each
    // longitude drawn once, its dot where its marker goes, the read-out
    // within ±180°.
    for (ext centre = -400; centre <= 400; centre += 37.3L) {
        SCOPED_TRACE(double(centre));
        Viewport v = vue(60, -60, 10, -10, 1400, 900);
        v.pose_largeur(centre, 467);
        v.ajuste(1400, 900);
        ASSERT_TRUE(v.vue_large());
        for (double lon = -179.5 + 0.0123; lon <= 180; lon += 7) {
            const int32_t xm = v.pos_grX(radians(ext(lon)));
            EXPECT_EQ(colonne_du_point(v, lon, 1400, 900), xm >= 0 && xm <= 1400 ? xm : -1) << lon;
            const ext lu = ddmm_vers_deg(v.long_(xm));
            EXPECT_LE(std::fabs(double(lu)), 180.0) << lon;
            EXPECT_LE(std::fabs(double(lu) - lon), 1.0 / v.ech_X()) << lon;
        }
    }
    // The default view shows 73° E to 108° E, where boats sail.
    const Viewport monde = vue(70, -60, 89.59L, -89.59L);
    for (double e : {73.0, 90.0, 107.0})
        EXPECT_GE(monde.pos_grX(radians(-e)), 0) << e;
    // 360° asked: the widest view, the whole turn on the same centre
    // (Greenwich), 201° each side of it (corrige_depass_G: 201° W is
    // 159° E).
    const Viewport tour = vue(80, -80, 180, -180);
    EXPECT_NEAR(double(tour.larg_visible()), 402, 1e-9);
    EXPECT_NEAR(double(tour.G_gauche()), -159, 1e-9);
    // Never past the poles: 585 pixels show 146° at 4 pixels per degree,
    // centred on the request.
    EXPECT_EQ(tour.ech_Y(), 4);
    EXPECT_NEAR(double(tour.L_haut()), 73.125, 1e-9);
}

TEST(Viewport, EchellesJamaisNulles)
{
    // 216° on 20 × 10 pixels: one pixel per degree, finite read-outs.
    const Viewport v = vue(70, -60, 89.59L, -89.59L, 20, 10);
    EXPECT_EQ(v.ech_X(), 1);
    EXPECT_EQ(v.ech_Y(), 1);
    EXPECT_TRUE(std::isfinite(double(v.long_(19))));
    EXPECT_TRUE(std::isfinite(double(v.lat(9))));
}
