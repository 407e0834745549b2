// Zoom and pan of the chart window, without the main window: the rubber
// bands, the rectangle's limits, the zoom-out step, the pan's shifts.
#include "aide_cartes.h"
#include "mercator.h"

#include <QFontMetrics>
#include <cmath>
#include <gtest/gtest.h>

using namespace orv;

namespace {

class Zoom : public ::testing::Test {
protected:
    void SetUp() override
    {
        m.information = m.avertissement = [](const QString&) {};
    }
    // A view of the given bounds rendered at 804 × 585.
    void vue(ext nord, ext sud, ext ouest, ext est)
    {
        Viewport& v = vp;
        v = Viewport{};
        v.lat_nord = nord;
        v.lat_sud = sud;
        v.long_ouest = ouest;
        v.long_est = est;
        m.rend(804, 585);
    }
    struct Bornes {
        ext n, s, o, e;
        bool operator==(const Bornes&) const = default;
    };
    Bornes bornes() const
    {
        const Viewport& v = vp;
        return {v.lat_nord, v.lat_sud, v.long_ouest, v.long_est};
    }
    Viewport vp;
    Cartes cartes;
    TMercator m{nullptr, vp, cartes, true};
};

}  // namespace

TEST_F(Zoom, RectangleRefuseOuAccepte)
{
    vue(50, 40, 10, -5);
    const Bornes avant = bornes();
    // A click without drag is no zoom.
    m.zoom_av_down(100, 100);
    EXPECT_FALSE(m.zoom_av_up(100, 100));
    EXPECT_EQ(bornes(), avant);
    EXPECT_EQ(m.bande.forme, TMercator::BandeXor::Aucune);
    // A drag zooms: the bounds are the rectangle's corners read back.
    const ext nord = m.lat(100), sud = m.lat(200), ouest = m.long_(100), est = m.long_(300);
    m.zoom_av_down(100, 200);
    m.zoom_av_move(300, 100);
    ASSERT_TRUE(m.zoom_av_up(300, 100));
    const Viewport& v = vp;
    EXPECT_EQ(v.lat_nord, nord);
    EXPECT_EQ(v.lat_sud, sud);
    EXPECT_EQ(v.long_ouest, ouest);
    EXPECT_EQ(v.long_est, est);
    // A 1-pixel rectangle is refused once ech_X reaches 1000 (0.001°).
    vue(46.31L, 46.30L, 1.47L, 1.46L);
    ASSERT_GE(vp.ech_X(), 1000);
    const Bornes fin = bornes();
    m.zoom_av_down(100, 100);
    m.zoom_av_move(101, 200);
    EXPECT_FALSE(m.zoom_av_up(101, 200));
    EXPECT_EQ(bornes(), fin);
}

TEST_F(Zoom, BandeXorEffaceeSansTrace)
{
    // Press, move, move back, release without zoom: the back buffer is the
    // last paint's picture again, pixel for pixel.
    charge_cartes_livrees(cartes);
    vue(50, 40, 10, -5);
    const QImage avant = m.canevas.image().copy();
    m.zoom_av_down(200, 150);
    m.zoom_av_move(400, 300);
    EXPECT_NE(m.canevas.image(), avant);
    m.zoom_av_move(200, 150);
    m.zoom_av_up(200, 150);
    EXPECT_EQ(m.canevas.image(), avant);
    // The pan's line too, and a re-render in the middle of the drag draws
    // the band again so that the next erase leaves no ghost.
    m.panoramic_down(100, 100);
    m.panoramic_move(300, 250);
    m.invalider();
    m.panoramic_move(100, 100);
    m.efface_bande();
    EXPECT_EQ(m.canevas.image(), avant);
}

TEST_F(Zoom, ZoomArriereJusquAuTourDuMonde)
{
    // From a view of the Bay of Biscay, and from one across 180°: the steps
    // widen the view about 1.44 times each, centred where they started,
    // until the whole turn shows (804 pixels: 2 pixels per degree, 402°,
    // each longitude once); then zoom-out does nothing.
    for (auto [n, s_, o, e] : {std::array<ext, 4>{50, 40, 10, -5}, std::array<ext, 4>{10, -10, -170, 170}}) {
        SCOPED_TRACE(double(o));
        vue(n, s_, o, e);
        const ext centre = ddmm_vers_deg(m.long_(402));
        int pas = 0;
        while (m.zoom_arriere()) {
            ++pas;
            m.rend(804, 585);
            ASSERT_LT(pas, 20);
            ext d = ddmm_vers_deg(m.long_(402)) - centre;
            d -= 360 * std::round(double(d / 360));
            EXPECT_LE(std::fabs(double(d)), 45.0);  // the whole-pixel scales move it a little
            // Never past a pole.
            EXPECT_LE(double(ddmm_vers_deg(m.lat(0))), 90.0);
            EXPECT_GE(double(ddmm_vers_deg(m.lat(585))), -90.0);
        }
        EXPECT_GE(pas, 5);
        EXPECT_EQ(vp.ech_X(), 2);
        EXPECT_NEAR(double(vp.larg_visible()), 402, 1e-9);
        const Viewport fin = vp;
        EXPECT_FALSE(m.zoom_arriere());
        EXPECT_EQ(vp.long_ouest, fin.long_ouest);
        EXPECT_EQ(vp.largeur_large, fin.largeur_large);
        // Every longitude is drawn once, where its marker is.
        for (double lon = -179.25; lon < 180; lon += 7.5)
            EXPECT_NEAR(double(m.long_(m.pos_grX(radians(ext(lon))))), double(deg_vers_ddmm(lon)), 0.5) << lon;
    }
}

TEST_F(Zoom, PanoramiqueEnDegres)
{
    // 67° asked, 80.4° visible: 10 pixels per degree. A drag of 100 pixels
    // to the right moves both bounds 10° west (+10).
    vue(40, 0, 30, -37);
    ASSERT_EQ(vp.ech_X(), 10);
    m.depl_panoramique();
    m.panoramic_down(200, 300);
    m.panoramic_move(300, 300);
    m.panoramic_up(300, 300);
    EXPECT_NEAR(double(vp.long_ouest), 40, 1e-9);
    EXPECT_NEAR(double(vp.long_est), -27, 1e-9);
    EXPECT_NEAR(double(m.pas_G), 10, 1e-9);
    // 1° west from 179°50' W is 179°10' E, not 179°50' E.
    vue(10, 0, 179.50L, 170);
    const ext e = vp.long_est;
    m.zone_x1 = 400;
    m.zone_x2 = 400 + vp.ech_X();
    m.zone_y1 = m.zone_y2 = 300;
    m.panoramic_up(0, 0);
    EXPECT_NEAR(double(vp.long_ouest), -179.10, 1e-9);
    EXPECT_NEAR(double(ddmm_vers_deg(vp.long_est)), double(ddmm_vers_deg(e)) + 1, 1e-9);
}

TEST_F(Zoom, BornesDePartEtDAutreDeGreenwich)
{
    // 100° W and 10° E, the short way by Greenwich (110°): a rectangle, a
    // zoom-out or a pan that lands there never flips to the Pacific.
    Viewport& v = vp;
    v.pose_longitudes(100, -10);
    EXPECT_EQ(v.long_ouest, -10);
    EXPECT_EQ(v.long_est, 100);
    v.lat_nord = 40;
    v.lat_sud = 0;
    m.rend(804, 585);
    EXPECT_NEAR(double(degres(std::fabs(v.ecart_long()))), 110, 1e-9);
    EXPECT_FALSE(v.franchit_180());
    // Across 180° (170° W and 170° E) either order gives the same view.
    v.pose_longitudes(170, -170);
    m.rend(804, 585);
    const ext g1 = v.G_gauche();
    v.pose_longitudes(-170, 170);
    m.rend(804, 585);
    EXPECT_NEAR(double(v.G_gauche()), double(g1), 1e-9);
    EXPECT_TRUE(v.franchit_180());
}

TEST_F(Zoom, PanoramiqueVerticalRefuseAuPole)
{
    vue(85, 70, 10, -20);
    const ext sud = vp.lat_sud, nord = vp.lat_nord;
    // Dragging down moves the area north: past the pole it is refused,
    // the horizontal part still applies.
    m.panoramic_down(400, 100);
    m.panoramic_move(420, 500);
    m.panoramic_up(420, 500);
    EXPECT_EQ(vp.lat_sud, sud);
    EXPECT_EQ(vp.lat_nord, nord);
    EXPECT_NE(m.pas_G, 0);
    EXPECT_GT(m.pas_L, 0);
}

TEST_F(Zoom, AutourDUnPointAllerRetour)
{
    vue(50, 40, 10, -5);
    const Bornes avant = bornes();
    const ext la = m.lat(150), lo = m.long_(600);
    ASSERT_TRUE(m.zoom_autour(la, lo, 1 / 1.2L));
    m.rend(804, 585);
    // The point stays under its pixel despite the whole-pixel scales.
    EXPECT_NEAR(m.pos_grX(ddmm_vers_rad(lo)), 600, 1);
    EXPECT_NEAR(m.pos_grY(ddmm_vers_rad(la)), 150, 1);
    ASSERT_TRUE(m.zoom_autour(la, lo, 1.2L));
    m.rend(804, 585);
    // And back out: the same view within a pixel.
    const Bornes apres = bornes();
    const double px_deg = 1.0 / vp.ech_X(), py_deg = 1.0 / vp.ech_Y();
    EXPECT_NEAR(double(ddmm_vers_deg(apres.n)), double(ddmm_vers_deg(avant.n)), py_deg);
    EXPECT_NEAR(double(ddmm_vers_deg(apres.s)), double(ddmm_vers_deg(avant.s)), py_deg);
    EXPECT_NEAR(double(ddmm_vers_deg(apres.o)), double(ddmm_vers_deg(avant.o)), px_deg);
    EXPECT_NEAR(double(ddmm_vers_deg(apres.e)), double(ddmm_vers_deg(avant.e)), px_deg);
    EXPECT_NEAR(m.pos_grX(ddmm_vers_rad(lo)), 600, 1);
    // Out at the limit, the widest view: refused.
    vp.pose_largeur(0, 1000);
    m.rend(804, 585);
    EXPECT_FALSE(m.zoom_autour(0, 0, 1.2L));
}

TEST_F(Zoom, VuesLargesRectangleEtMolette)
{
    // The default world view, 216° wide: a rectangle 190° wide is framed on
    // its own centre, never on the other side of the world.
    vue(70, -60, 89.59L, -89.59L);
    const Viewport& v = vp;
    const int x1 = 20, x2 = 20 + 190 * v.ech_X();
    ASSERT_LT(x2, 804);
    const ext centre = ddmm_vers_deg(m.long_((x1 + x2) / 2));
    m.zoom_av_down(x1, 100);
    m.zoom_av_move(x2, 400);
    ASSERT_TRUE(m.zoom_av_up(x2, 400));
    m.rend(804, 585);
    EXPECT_NEAR(double(ddmm_vers_deg(m.long_(402))), double(centre), 8.0);

    // A notch in with the pointer beyond the requested area (in the
    // margin of a view wider than half a turn): the point stays on screen.
    // Past the new view's width (790 > 180° × 4) it cannot keep its pixel.
    for (int X : {790, 450}) {
        SCOPED_TRACE(X);
        vue(70, -60, 89.59L, -89.59L);
        const ext la = m.lat(300), lo = m.long_(X);
        ASSERT_TRUE(m.zoom_autour(la, lo, 1 / 1.2L));
        m.rend(804, 585);
        const int32_t x = m.pos_grX(ddmm_vers_rad(lo));
        EXPECT_GE(x, 0);
        EXPECT_LE(x, 804);
        EXPECT_NEAR(x, X, X > 720 ? 0.2 * X : 1);
    }
}

// Dragged past a pole, the view stops at it; the vertical label of the
// reference meridian names the one drawn: "Greenwich" at 0°, "180°" there.
TEST_F(Zoom, PolesEtMeridienDeReference)
{
    vue(-70, -85, 10, -20);
    for (int k = 0; k < 6; ++k) {
        m.panoramic_down(400, 500);
        m.panoramic_move(400, 100);
        m.panoramic_up(400, 100);
        m.rend(804, 585);
        EXPECT_GE(double(ddmm_vers_deg(m.lat(585))), -90.0) << k;
    }
    EXPECT_NEAR(double(ddmm_vers_deg(m.lat(585))), -90.0, 1.0 / vp.ech_Y());

    // Silver pixels of the label, left of the line, by rows of letters.
    auto lettres = [&](int X) {
        const int h = QFontMetrics(police_gdi("Arial", 7)).height();
        int n = 0;
        for (int k = 0; k < 9; ++k) {
            bool vu = false;
            for (int y = 60 + k * h; y < 60 + (k + 1) * h; ++y)
                for (int x = X - 12; x < X - 1; ++x)
                    vu |= m.canevas.pixel(x, y) == clSilver;
            n += vu;
        }
        return n;
    };
    vue(10, -10, 30, -30);
    EXPECT_EQ(lettres(m.pos_grX(0)), 9);   // G r e e n w i c h
    vue(10, -10, -170, 170);
    EXPECT_EQ(lettres(m.pos_grX(PI)), 4);  // 1 8 0 °
}
