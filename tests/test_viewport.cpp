// The viewport fit, the pixel conversions and the longitude wrap-around.
#include "viewport.h"

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
    EXPECT_NEAR(double(v.larg_deg), 36.0, 1e-12);
    EXPECT_NEAR(double(v.haut_deg), 27.0677, 1e-4);
    EXPECT_EQ(v.ech_X, 22);
    EXPECT_EQ(v.ech_Y, 22);
    EXPECT_NEAR(double(v.G_gauche), 13.0, 1e-12);
    EXPECT_NEAR(double(v.L_haut), 48.5338, 1e-4);
    EXPECT_FALSE(v.franchit_180);
    // Either order of the bounds gives the same view.
    const Viewport w = vue(30, 40, -20, 10);
    EXPECT_EQ(w.ech_X, v.ech_X);
    EXPECT_NEAR(double(w.G_gauche), double(v.G_gauche), 1e-12);
    EXPECT_NEAR(double(w.L_haut), double(v.L_haut), 1e-12);
}

TEST(Viewport, AjustementAcheval180)
{
    // 170° E to 170° W (long_ouest = -170, long_est = 170), width dominant.
    Viewport v = vue(10, 0, -170, 170);
    EXPECT_TRUE(v.franchit_180);
    EXPECT_NEAR(double(degres(v.ecart_long)), -20.0, 1e-12);
    EXPECT_NEAR(double(v.larg_deg), 24.0, 1e-12);
    EXPECT_NEAR(double(v.G_gauche), -168.4, 1e-12);
    // 175° W lies right of the left edge after +360, 175° E without shift.
    EXPECT_EQ(v.pos_grX(radians(175)), nint32((v.G_gauche - 175 + 360) * v.ech_X));
    EXPECT_EQ(v.pos_grX(radians(-175)), nint32((v.G_gauche + 175) * v.ech_X));
    EXPECT_GT(v.pos_grX(radians(175)), v.pos_grX(radians(-175)));
    // Back from pixels: columns right of 180° read as western longitudes.
    const ext g = ddmm_vers_deg(v.long_(v.pos_grX(radians(175))));
    EXPECT_NEAR(double(g), 175.0, 1.0 / v.ech_X);
}

TEST(Viewport, ConversionsInverses)
{
    const Viewport v = vue(40, 30, 10, -20);
    EXPECT_NEAR(double(ddmm_vers_deg(v.long_(0))), double(v.G_gauche), 1e-12);
    EXPECT_NEAR(double(ddmm_vers_deg(v.lat(585))), double(v.L_haut - 585.0L / 22), 1e-12);
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

    Viewport v;
    ext e = radians(-340);
    v.corrige_G(e, radians(170), radians(-170));
    EXPECT_TRUE(v.franchit_180);
    EXPECT_NEAR(double(degres(e)), 20.0, 1e-12);
    e = radians(30);
    v.corrige_G(e, radians(10), radians(40));
    EXPECT_FALSE(v.franchit_180);
    EXPECT_EQ(ecart_corrige(radians(30), radians(10), radians(40)).franchit, false);
}

TEST(Viewport, PremierePeintureSansLimites)
{
    // Nothing set yet: a default world view instead of a division by zero.
    Viewport v;
    v.elargit_si_vide();
    v.ajuste(804, 585);
    EXPECT_GT(v.ech_X, 0);
    EXPECT_GT(v.ech_Y, 0);
    EXPECT_TRUE(std::isfinite(double(v.G_gauche)));
    EXPECT_GT(v.larg_deg, 180);
    // Equal bounds after a paint: widened by the previous extents.
    const ext larg = v.larg_deg, haut = v.haut_deg;
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
    EXPECT_GT(w.ech_X, 0);
    EXPECT_NEAR(double(w.lat_nord + w.lat_sud) / 2, 46.3, 1e-12);
    EXPECT_LT(w.larg_deg, 2);
}
