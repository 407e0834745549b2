// Pixels of the chart: the dot loop, the graticule, reference lines and
// markers, on viewports where the expected pixel is worked out by hand.
#include "aide_cartes.h"
#include "carte.h"
#include "images_course.h"
#include "rendu_course.h"
#include "trace_cartes.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

using namespace orv;

namespace {

constexpr TColor GRATICULE = 0x7E7E2A;

QImage image_noire(int w, int h)
{
    QImage i(w, h, QImage::Format_RGB32);
    i.fill(Qt::black);
    return i;
}

TColor px(const QImage& i, int x, int y)
{
    const QRgb v = i.pixel(x, y);
    return TColor(qRed(v)) | (TColor(qGreen(v)) << 8) | (TColor(qBlue(v)) << 16);
}

int compte(const QImage& i, TColor c, QRect r)
{
    int n = 0;
    r = r.intersected(i.rect());
    for (int y = r.top(); y <= r.bottom(); ++y)
        for (int x = r.left(); x <= r.right(); ++x)
            n += px(i, x, y) == c;
    return n;
}

// A fit's result given by hand: the dot loop reads nothing else.
Ajustement vue_simple(ext G, ext L, int ech)
{
    Ajustement v;
    v.G_gauche = G;
    v.L_haut = L;
    v.ech_X = v.ech_Y = ech;
    v.larg_deg = 20;
    return v;
}

void trace(QImage& img, const Ajustement& v, int lc, int hc, std::vector<double> pts)
{
    trace_points(img, v, lc, hc, pts.data(), int64_t(pts.size() / 2), qRgb(255, 255, 255));
}

// The extended-precision formulas, pixel by pixel, as a reference.
QImage reference_etendue(const Viewport& v, int w, int h, const Cartes& c, TColor coul)
{
    QImage img = image_noire(w, h);
    for (const CartePix& carte : c.liste) {
        const QRgb col = vers_qrgb(couleur_carte(carte, v.ajustement(), coul));
        const double* e = carte.enregs();
        for (int64_t i = 0; i < carte.points_lus(); ++i) {
            const ext phi = e[2 * i], lam = e[2 * i + 1];
            const ext wrap = (v.franchit_180() && lam > 0) ? 360 : 0;
            const int32_t X = nint32((v.G_gauche() - lam + wrap) * v.ech_X());
            const int32_t Y = nint32((v.L_haut() - phi) * v.ech_Y());
            if (Y >= 0 && Y < h && X >= 0 && X < w)
                img.setPixel(X, Y, col);
        }
    }
    return img;
}

// The chart drawn by the core alone, as every window and picture draws it.
class Fenetre : public ::testing::Test {
protected:
    void SetUp() override { charge_cartes_livrees(cartes); }
    // Renders the chart with the given bounds (DD.MM).
    const QImage& rend(ext nord, ext sud, ext ouest, ext est, int w = 804, int h = 585)
    {
        vue = Viewport{};
        vue.lat_nord = nord;
        vue.lat_sud = sud;
        vue.long_ouest = ouest;
        vue.long_est = est;
        return rend(w, h);
    }
    const QImage& rend(int w, int h)
    {
        Scene scene;
        scene.ajoute<CoucheCarte>(&cartes, scene.style);
        rend_scene(carte, scene, w, h);
        return canevas.image();
    }
    Cartes cartes;
    Viewport vue;
    Canevas canevas;
    Carte carte{canevas, vue};
};

}  // namespace

TEST(TracePoints, PixelsCalculesALaMain)
{
    // Column 0 at 10° W, row 0 at 10° N, 2 pixels per degree.
    const Ajustement v = vue_simple(10, 10, 2);
    QImage img = image_noire(40, 40);
    trace(img, v, 40, 40, {5, 5, 9.75, 9.75, 9.25, 9.25, 8.75, 8.75});
    EXPECT_EQ(px(img, 10, 10), clWhite);  // 5° N 5° W
    EXPECT_EQ(px(img, 0, 0), clWhite);    // 0.5 rounds to 0
    EXPECT_EQ(px(img, 2, 2), clWhite);    // 1.5 and 2.5 both round to 2
    EXPECT_EQ(compte(img, clWhite, img.rect()), 3);
}

TEST(TracePoints, BornesInclusivesDuClient)
{
    // Client 50 × 50 inside a larger image: column and row 50 are drawn, 51 not.
    const Ajustement v = vue_simple(0, 0, 1);
    QImage img = image_noire(100, 100);
    trace(img, v, 50, 50, {-50, -50, -51, -10, -10, -51, 0, 0});
    EXPECT_EQ(px(img, 50, 50), clWhite);
    EXPECT_EQ(px(img, 0, 0), clWhite);
    EXPECT_EQ(compte(img, clWhite, img.rect()), 2);
}

TEST(TracePoints, Franchissement180)
{
    // Left edge at 170° E; while the view straddles 180°, western dots get +360.
    Ajustement v = vue_simple(-170, 10, 1);
    v.franchit_180 = true;
    QImage img = image_noire(200, 20);
    trace(img, v, 200, 20, {5, -175, 5, 175, 5, 10, 5, -10});
    EXPECT_EQ(px(img, 5, 5), clWhite);    // 175° E
    EXPECT_EQ(px(img, 15, 5), clWhite);   // 175° W
    EXPECT_EQ(px(img, 180, 5), clWhite);  // 10° W, shifted
    EXPECT_EQ(compte(img, clWhite, img.rect()), 3); // 10° E falls left of the window
}

TEST(TracePoints, EnregistrementsAberrantsIgnores)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Ajustement v = vue_simple(10, 10, 2);
    QImage img = image_noire(40, 40);
    trace(img, v, 40, 40, {nan, 5, 5, nan, inf, 5, 5, -inf, -2.5e186, 5, 5, 1e300,
                           1e-310, 5, 5, 5});
    EXPECT_EQ(compte(img, clWhite, img.rect()), 2);
    // Absurd scales as well.
    Ajustement w = v;
    w.ech_X = std::numeric_limits<int32_t>::max();
    w.G_gauche = std::numeric_limits<double>::max();
    trace(img, w, 40, 40, {5, 5, 5, -5});
    EXPECT_EQ(compte(img, clWhite, img.rect()), 2);
}

TEST(TracePoints, CouleursSelonZoomEtNom)
{
    Ajustement v;
    CartePix monde, st, lk;
    monde.nom = "Monde.bdc";
    st.nom = "stx.bdc";
    lk.nom = "LKlacs.bdc";
    v.larg_deg = 8;
    EXPECT_EQ(couleur_carte(monde, v, 0x0078F0), clRed);
    v.larg_deg = 8.01L;
    EXPECT_EQ(couleur_carte(monde, v, 0x0078F0), TColor(0x0078F0));
    for (ext l : {4.0L, 100.0L}) {
        v.larg_deg = l;
        EXPECT_EQ(couleur_carte(st, v, 0x0078F0), clGray);
        EXPECT_EQ(couleur_carte(lk, v, 0x0078F0), clBlue);
    }
}

TEST(TracePoints, LeCalculEnDoubleDonneLesPixelsEtendus)
{
    Cartes c;
    charge_cartes_livrees(c);
    ASSERT_TRUE(c.cartes_chargees);
    struct Zone { ext n, s, o, e; int w, h; };
    const Zone zones[] = {
        {70, -60, 89.59L, -89.59L, 1920, 1080},  // world
        {48, 45, 3.3L, -0.3L, 1920, 1080},       // Biscay coast, red dots
        {10, -50, -150, 160, 1280, 800},         // across 180°
        {-30, -60, -10, -40, 804, 585},          // Southern Ocean
    };
    for (const Zone& z : zones) {
        Viewport v;
        v.lat_nord = z.n;
        v.lat_sud = z.s;
        v.long_ouest = z.o;
        v.long_est = z.e;
        v.ajuste(z.w, z.h);
        QImage img = image_noire(z.w, z.h);
        trace_toutes_cartes(img, v.ajustement(), z.w, z.h, c, 0x0078F0);
        const QImage ref = reference_etendue(v, z.w, z.h, c, 0x0078F0);
        int diff = 0;
        for (int y = 0; y < z.h; ++y)
            diff += memcmp(img.constScanLine(y), ref.constScanLine(y), size_t(z.w) * 4) != 0;
        EXPECT_EQ(diff, 0) << "zone " << double(z.n) << " " << double(z.o);
        EXPECT_GT(compte(img, 0x0078F0, img.rect()) + compte(img, clRed, img.rect()), 300);
    }
}

TEST(Graticule, PasEtPremiersTraits)
{
    EXPECT_EQ(arrondi_pas(36 * 0.25L), 9);
    EXPECT_EQ(arrondi_pas(20), 20);
    EXPECT_EQ(arrondi_pas(3 * 0.25L), 0.5L);
    EXPECT_EQ(arrondi_pas(0.3L * 0.25L), 0.05L);
    EXPECT_EQ(arrondi_pas(0.3L), 0.25L);
    EXPECT_EQ(arrondi_pas(0.2L), 0.1L);
    EXPECT_EQ(arrondi_pas(0.001L), 0.01L);
    EXPECT_EQ(premier_meridien(13, 9), 9);
    EXPECT_EQ(premier_meridien(-168.4L, 5), -170);
    EXPECT_EQ(premier_parallele(48.5338L, 6), 48);
    EXPECT_EQ(premier_parallele(-3.2L, 5), -5);
    EXPECT_EQ(etiquette_graticule(-170, 'W', 'E'), QStringLiteral("170 E"));
    EXPECT_EQ(etiquette_graticule(9, 'W', 'E'), QStringLiteral("  9 W"));
    EXPECT_EQ(etiquette_graticule(12.5L, 'W', 'E'), QStringLiteral("  12°30',0 W"));
    EXPECT_EQ(etiquette_graticule(0, 'N', 'S'), QStringLiteral("  0 N"));
    EXPECT_EQ(etiquette_graticule(-45, 'N', 'S'), QStringLiteral(" 45 S"));
    // Edges far outside any world (a corrupt number that got through):
    // finite answers, no conversion of a huge real to an integer.
    for (ext bord : {1e300L, -1e300L, 9.3e18L, 1e4000L}) {
        SCOPED_TRACE(double(bord));
        EXPECT_FALSE(std::isnan(double(premier_meridien(bord, 20))));
        EXPECT_FALSE(std::isnan(double(premier_parallele(bord, 10))));
        EXPECT_FALSE(etiquette_graticule(bord, 'W', 'E').isEmpty());
    }
    EXPECT_EQ(premier_meridien(std::numeric_limits<ext>::quiet_NaN(), 5), 0);
}

TEST(Trait, ExtremitesTresLointaines)
{
    // Endpoints two thousand million pixels away: the part inside the
    // image is drawn exactly where the short line would be.
    Canevas c;
    c.dimensionne(40, 30);
    c.remplit(clBlack);
    c.couleur_plume = clWhite;
    c.deplace_vers(-2000000000, 5);
    c.trace_vers(2000000000, 5);
    for (int x = 0; x < 40; ++x)
        EXPECT_EQ(c.pixel(x, 5), clWhite) << x;
    EXPECT_EQ(c.pixel(3, 4), clBlack);
    c.remplit(clBlack);
    c.deplace_vers(-2147483647, -2147483647);
    c.trace_vers(2147483647, 2147483647);
    for (int k = 0; k < 30; ++k) {
        EXPECT_EQ(c.pixel(k, k), clWhite) << k;
        EXPECT_EQ(c.pixel(k + 1, k), clBlack) << k;
    }
    // Steep and far: x = 10 + y / 1000 rounds to 10 over the image.
    c.remplit(clBlack);
    c.deplace_vers(10 - 1000000, -1000000000);
    c.trace_vers(10 + 1000000, 1000000000);
    for (int y = 0; y < 30; ++y)
        EXPECT_EQ(c.pixel(10, y), clWhite) << y;
}

TEST_F(Fenetre, GraticuleEtGreenwich)
{
    // 10° W to 20° E, 40° N to 30° N: 22 px per degree, left edge 13° W,
    // meridians every 9° from 9° W (X = 88), Greenwich at X = 286,
    // parallels every 6° from 48° N (Y = 12).
    const QImage& img = rend(40, 30, 10, -20);
    ASSERT_EQ(vue.ech_X(), 22);
    for (int y : {0, 1, 2, 6, 7, 8})
        EXPECT_EQ(px(img, 88, y), GRATICULE) << y;   // dotted: 3 on, 3 off
    for (int y : {3, 4, 5})
        EXPECT_EQ(px(img, 88, y), clBlack) << y;
    for (int x : {0, 1, 2})
        EXPECT_EQ(px(img, x, 12), GRATICULE) << x;
    EXPECT_EQ(px(img, 3, 12), clBlack);
    EXPECT_EQ(px(img, 286, 1), clSilver);           // Greenwich over the 0° meridian
    EXPECT_EQ(px(img, 286 + 198, 1), GRATICULE);    // 9° E
    // The labels: "  9 W" right of its meridian near the bottom, the
    // vertical "Greenwich" left of its line.
    EXPECT_GT(compte(img, GRATICULE, QRect(89, 553, 30, 11)), 5);
    EXPECT_GT(compte(img, clSilver, QRect(274, 60, 10, 90)), 20);
    // Coastlines: Iberia and France are there, in the owner's colour.
    EXPECT_GT(compte(img, 0x0078F0, img.rect()), 2000);
    EXPECT_GT(compte(img, clGray, img.rect()), 500);
}

TEST_F(Fenetre, TropiqueDuCapricorneSansLeCancer)
{
    const QImage& img = rend(-10, -40, 10, -20);
    const int Y = vue.pos_grY(ddmm_vers_rad(-23.262L));
    ASSERT_GT(Y, 0);
    ASSERT_LT(Y, 585);
    EXPECT_EQ(px(img, 0, Y), clRed);
    EXPECT_EQ(px(img, 3, Y), clBlack);
    EXPECT_GT(compte(img, clRed, QRect(30, Y - 12, 100, 11)), 20);  // its label
    EXPECT_EQ(compte(img, clRed, QRect(0, 0, 804, Y - 13)), 0);      // no Cancer line
}

TEST_F(Fenetre, Meridien180QuandGreenwichEstHors)
{
    const QImage& img = rend(10, -10, -170, 170);
    ASSERT_TRUE(vue.franchit_180());
    const int X = vue.pos_grX(PI);
    ASSERT_GT(X, 0);
    ASSERT_LT(X, 804);
    EXPECT_EQ(px(img, X, 1), clSilver);
    EXPECT_GT(compte(img, clSilver, QRect(X - 12, 60, 10, 90)), 20);
}

TEST_F(Fenetre, PremierePeintureSansLimites)
{
    const QImage& img = rend(640, 480);
    EXPECT_GT(vue.ech_X(), 0);
    EXPECT_GT(compte(img, 0x0078F0, img.rect()), 1000);
}

TEST_F(Fenetre, TresPetiteFenetreSansBoucleSansFin)
{
    // Fewer pixels than degrees: held at one pixel per degree, so that the
    // pixel-to-degree conversions stay finite; the paint ends.
    const QImage& img = rend(70, -60, 89.59L, -89.59L, 20, 10);
    EXPECT_EQ(vue.ech_X(), 1);
    EXPECT_EQ(vue.ech_Y(), 1);
    EXPECT_TRUE(std::isfinite(double(vue.long_(19))));
    EXPECT_TRUE(std::isfinite(double(vue.lat(9))));
    EXPECT_EQ(img.width(), 20);
}

TEST_F(Fenetre, MarqueurDePosition)
{
    rend(10, 0, 10, -10, 200, 100);
    canevas.remplit(clBlack);
    const int x = vue.pos_grX(ddmm_vers_rad(9.3L)), y = vue.pos_grY(ddmm_vers_rad(9.3L));
    carte.TPos_elem_plot(cree_pos_elem("Ici", 9.3L, 9.3L));   // 9°30' N 9°30' W
    EXPECT_EQ(carte.x_elem, x);
    EXPECT_EQ(carte.y_elem, y);
    EXPECT_EQ(px(canevas.image(), x, y), clYellow);
    const QRect nom(x + 3, y - 5, 30, 15);
    EXPECT_LT(compte(canevas.image(), clBlack, nom), 30 * 15 - 10);  // the name, beside the dot
    EXPECT_GT(compte(canevas.image(), canevas.couleur_police, nom), 10);
    const QImage avant = canevas.image();
    carte.TPos_elem_plot(cree_pos_elem("Dehors", 5, 40));   // 40° W, beyond the left edge
    EXPECT_EQ(carte.x_elem, vue.pos_grX(ddmm_vers_rad(40)));  // updated, nothing drawn
    EXPECT_LT(carte.x_elem, 0);
    EXPECT_EQ(canevas.image(), avant);
    carte.TPos_elem_plot(cree_pos_elem("Bord", 5, vue.long_(200))); // exactly on the right edge
    EXPECT_EQ(carte.x_elem, 200);
    EXPECT_EQ(cree_pos_elem(QString(300, u'a'), 0, 0).nom.size(), 255);
}

// A day at twice the density: averaged down by 2 it is the picture at
// once the density, up to the glyphs (rasterised at their own size, their
// edges fall elsewhere) and the dots placed at half-pixel precision; and
// it is not the picture at once the density enlarged (its text is
// rasterised finer).
TEST(Densite, UnJourADeuxFoisLaDensite)
{
    EtatProgramme e1, e2;
    e1.course = e2.course = course_livree();
    SourceImage s{QStringLiteral(ORVALIS_DONNEES), Reglages{}, [](const QString&) {}};
    QString err;
    charge_cartes_livrees(e1.cartes);
    charge_cartes_livrees(e2.cartes);
    const QImage un = image_jour(e1, s, QDate(2000, 12, 6), true, std::nullopt, QSize(804, 585), err);
    s.echelle = 2;
    const QImage deux = image_jour(e2, s, QDate(2000, 12, 6), true, std::nullopt, QSize(804, 585), err);
    ASSERT_EQ(deux.size(), QSize(1608, 1170));
    EXPECT_EQ(deux.devicePixelRatio(), 2);
    // The averaged picture's channels differ from the single one's by 1.2
    // levels in the mean (text, dots and lines are a few percent of the
    // pixels, and they differ at their edges only): a budget of 3.
    int64_t ecart = 0, voisins_differents = 0;
    for (int y = 0; y < 585; ++y)
        for (int x = 0; x < 804; ++x) {
            int moy[3] = {0, 0, 0};
            for (int k = 0; k < 4; ++k) {
                const QRgb v = deux.pixel(2 * x + k % 2, 2 * y + k / 2);
                moy[0] += qRed(v);
                moy[1] += qGreen(v);
                moy[2] += qBlue(v);
            }
            const QRgb u = un.pixel(x, y);
            ecart += std::abs(moy[0] / 4 - qRed(u)) + std::abs(moy[1] / 4 - qGreen(u)) + std::abs(moy[2] / 4 - qBlue(u));
            voisins_differents += deux.pixel(2 * x, 2 * y) != u;
        }
    EXPECT_LT(double(ecart) / (804 * 585 * 3), 3.0);
    // Enlarged, a pixel of the single picture would give its 2 × 2 block's
    // top-left pixel everywhere: 3,450 differ.
    EXPECT_GT(voisins_differents, 2000);
}

// XOR figures drawn twice leave nothing at a fractional density.
TEST(Densite, FiguresXorEffaceesAUnEtDemi)
{
    for (const double r : {1.25, 1.5, 2.0, 3.0}) {
        SCOPED_TRACE(r);
        Canevas k;
        k.pose_ratio(r);
        k.dimensionne(300, 200);
        k.remplit(0x102030);
        k.couleur_plume = clRed;
        k.deplace_vers(10, 10);
        k.trace_vers(290, 150);
        const QImage avant = k.image().copy();
        k.mode_xor = true;
        k.couleur_plume = clWhite;
        for (int fois = 0; fois < 2; ++fois)
            for (const StylePlume st : {StylePlume::Tiret, StylePlume::TiretPoint}) {
                k.style_plume = st;
                k.rectangle(17, 23, 251, 171);
                k.rectangle(40, 40, 41, 90);  // one pixel wide
                k.deplace_vers(5, 190);
                k.trace_vers(283, 7);
            }
        EXPECT_EQ(k.image(), avant);
    }
}

// A pen is as thick and a dash as long in logical pixels at every density:
// twice the physical pixels at density 2.
TEST(Densite, EpaisseurEtTiretsALaDensite)
{
    auto mesure = [](double r, StylePlume st) {
        Canevas k;
        k.pose_ratio(r);
        k.dimensionne(200, 20);
        k.remplit(clBlack);
        k.couleur_plume = clWhite;
        k.style_plume = st;
        k.deplace_vers(10, 10);
        k.trace_vers(190, 10);
        const QImage& i = k.image();
        int epaisseur = 0, premier_trait = 0;
        for (int y = 0; y < i.height(); ++y)
            epaisseur += i.pixel(k.physique(10), y) == qRgb(255, 255, 255);
        const int y = k.physique(10);
        for (int x = k.physique(10); x < i.width() && i.pixel(x, y) == qRgb(255, 255, 255); ++x)
            ++premier_trait;
        return std::pair{epaisseur, premier_trait};
    };
    for (const StylePlume st : {StylePlume::Plein, StylePlume::Tiret, StylePlume::Point}) {
        SCOPED_TRACE(int(st));
        const auto [e1, t1] = mesure(1, st);
        const auto [e2, t2] = mesure(2, st);
        EXPECT_EQ(e1, 1);
        EXPECT_EQ(e2, 2);
        EXPECT_EQ(t2, 2 * t1);
    }
}
