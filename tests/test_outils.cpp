// The tools of the main window driven by mouse and key events: tool
// selection, zoom and pan gestures, the distance tool, the theoretical
// route, the wheel, the keys and the position under the pointer.
#include "aide_fenetre.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <QWheelEvent>
#include <cmath>

using namespace orv;

namespace {

void souris(QWidget* w, QEvent::Type t, QPoint p, Qt::MouseButton b, Qt::MouseButtons boutons,
            Qt::KeyboardModifiers mod = {})
{
    QMouseEvent e(t, QPointF(p), w->mapToGlobal(QPointF(p)), b, boutons, mod);
    QCoreApplication::sendEvent(w, &e);
}

// A left-button drag from a to b, through the middle.
void glisse(QWidget* w, QPoint a, QPoint b)
{
    souris(w, QEvent::MouseButtonPress, a, Qt::LeftButton, Qt::LeftButton);
    souris(w, QEvent::MouseMove, (a + b) / 2, Qt::NoButton, Qt::LeftButton);
    souris(w, QEvent::MouseMove, b, Qt::NoButton, Qt::LeftButton);
    souris(w, QEvent::MouseButtonRelease, b, Qt::LeftButton, Qt::NoButton);
}

void clic(QWidget* w, QPoint p, Qt::MouseButton b)
{
    souris(w, QEvent::MouseButtonPress, p, b, b);
    souris(w, QEvent::MouseButtonRelease, p, b, Qt::NoButton);
}

void molette(QWidget* w, QPoint p, int delta)
{
    QWheelEvent e(QPointF(p), w->mapToGlobal(QPointF(p)), QPoint(), QPoint(0, delta), Qt::NoButton, {},
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(w, &e);
}

struct Bornes {
    ext n, s, o, e;
    bool operator==(const Bornes&) const = default;
};
Bornes bornes()
{
    const Viewport& v = viewport();
    return {v.lat_nord, v.lat_sud, v.long_ouest, v.long_est};
}

class Outils : public FenetrePrincipale {
protected:
    void SetUp() override
    {
        FenetrePrincipale::SetUp();
        cadre->show();
        carte->fond_initial = false;
        carte->mode_outil = OUTIL_AUCUN;
        carte->jour_charge = true;
        carte->Validmenu();
    }
    // Entrants 1.. at the given positions (DD.MM), nothing else on the chart.
    void flotte(std::initializer_list<std::pair<ext, ext>> positions)
    {
        vue_vide();
        int k = 1;
        for (auto [la, lo] : positions) {
            TDonnees_conc& r = jour_course().donnees_conc[size_t(k)];
            r.elem = cree_pos_elem(QString(), la, lo);  // no name beside the dot
            ++k;
        }
        jour_course().nb_classes = k - 1;
        // The others far away, unranked at 0° 0° (not drawn, not found).
        for (; k <= NB_CONCURRENTS; ++k)
            jour_course().donnees_conc[size_t(k)].non_classe = true;
    }
    QPoint pixel(ext la, ext lo) const
    {
        return QPoint(carte->pos_grX(ddmm_vers_rad(lo)), carte->pos_grY(ddmm_vers_rad(la)));
    }
    void rend() { carte->invalider(); }
    const QImage& image() const { return carte->canevas.image(); }
};

}  // namespace

TEST_F(Outils, ChoixDesOutilsCurseursEtMessages)
{
    carte->actions.at("Zoomer1")->trigger();
    EXPECT_EQ(carte->mode_outil, OUTIL_ZOOM);
    EXPECT_EQ(carte->cursor().shape(), Qt::BitmapCursor);  // ZoomP.cur
    EXPECT_EQ(carte->message_statut, "Zoom avant : dessiner un cadre avec le bouton gauche |  Zoom arrière : bouton droit");
    carte->boutons.at("ToolBPAn")->click();
    EXPECT_EQ(carte->mode_outil, OUTIL_PANORAMIQUE);
    EXPECT_EQ(carte->cursor().shape(), Qt::BitmapCursor);  // HandGrab.cur
    EXPECT_EQ(carte->canevas.style_plume, StylePlume::TiretPoint);
    carte->actions.at("Distances1")->trigger();
    EXPECT_EQ(carte->mode_outil, OUTIL_DISTANCE);
    EXPECT_EQ(carte->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(carte->point_depart.latitude, 180);
    EXPECT_EQ(carte->message_statut,
              "Cliquer sur le 1er concurrent/marque de parcours et se déplacer vers le/la 2ème - relâcher");
    carte->Afficher1Click();
    EXPECT_EQ(carte->cursor().shape(), Qt::PointingHandCursor);
    // A double click leaves any tool.
    souris(carte, QEvent::MouseButtonDblClick, QPoint(50, 50), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(carte->mode_outil, OUTIL_AUCUN);
    EXPECT_EQ(carte->cursor().shape(), Qt::ArrowCursor);
    // The tool bar's show/hide item.
    carte->actions.at("AfficherBarOut")->trigger();
    EXPECT_FALSE(carte->ToolBar1->isVisible());
    carte->actions.at("AfficherBarOut")->trigger();
    EXPECT_TRUE(carte->ToolBar1->isVisible());
}

TEST_F(Outils, GestesDeZoomEtDePanoramique)
{
    flotte({});
    rend();
    carte->Zoomer1Click();
    // A click is no zoom; a drag is.
    const Bornes depart = bornes();
    clic(carte, QPoint(200, 200), Qt::LeftButton);
    EXPECT_EQ(bornes(), depart);
    glisse(carte, QPoint(200, 150), QPoint(400, 300));
    const Bornes zoome = bornes();
    EXPECT_NE(zoome, depart);
    EXPECT_FALSE(carte->zoom_en_cours);
    rend();
    // A right click zooms out; a middle click then does nothing more.
    clic(carte, QPoint(300, 300), Qt::RightButton);
    const Bornes arriere = bornes();
    EXPECT_NE(arriere, zoome);
    rend();
    clic(carte, QPoint(300, 300), Qt::MiddleButton);
    EXPECT_EQ(bornes(), arriere);
    // A release with no press in this tool does nothing.
    souris(carte, QEvent::MouseButtonRelease, QPoint(10, 10), Qt::LeftButton, Qt::NoButton);
    EXPECT_EQ(bornes(), arriere);

    // Pan: a left drag moves; a right click afterwards replays nothing.
    carte->PanoramiClick();
    glisse(carte, QPoint(300, 300), QPoint(350, 300));
    const Bornes pan = bornes();
    EXPECT_NE(pan, arriere);
    rend();
    clic(carte, QPoint(300, 300), Qt::RightButton);
    EXPECT_EQ(bornes(), pan);
    EXPECT_EQ(carte->bande.forme, TMercator::BandeXor::Aucune);
}

TEST_F(Outils, DistanceEntreUnBateauEtUneMarque)
{
    flotte({{5.00L, 10.00L}});
    TLieu cap;
    lieu_de_valeurs(cap, QStringLiteral("Cap Essai"), true, -5.00L, -10.00L);
    lieux().liste_mp.push_back(cap);
    rend();
    const QPoint bateau = pixel(5, 10), marque = pixel(-5, -10);
    const Bornes avant = bornes();

    // A press on the sea: nothing, and back to no tool.
    carte->Distances1Click();
    glisse(carte, QPoint(20, 20), bateau);
    EXPECT_EQ(bornes(), avant);
    EXPECT_EQ(carte->mode_outil, OUTIL_AUCUN);
    EXPECT_EQ(carte->message_statut, MESSAGE_OPTION);
    // A press and a release on the same boat (a click): nothing either.
    carte->Distances1Click();
    clic(carte, bateau, Qt::LeftButton);
    EXPECT_EQ(bornes(), avant);

    // From the boat to the mark: framed on both, the path in white, the
    // distance in red.
    carte->Distances1Click();
    glisse(carte, bateau, marque);
    const Viewport& v = viewport();
    EXPECT_EQ(v.lat_sud, 5.00L);
    EXPECT_EQ(v.lat_nord, -5.00L);
    EXPECT_EQ(v.long_ouest, 10.00L);  // the western one
    EXPECT_EQ(v.long_est, -10.00L);
    EXPECT_EQ(carte->mode_outil, OUTIL_AUCUN);
    const QImage& img = image();
    const QPoint a = pixel(5, 10), b = pixel(-5, -10);
    const QPoint m((a.x() + b.x()) / 2, (a.y() + b.y()) / 2);
    // South-east (dL < 0, dG < 0), mean latitude 0: the offset (-20, +20).
    int rouges = 0;
    for (int y = m.y() + 20; y < m.y() + 34; ++y)
        for (int x = m.x() - 20; x < m.x() + 60; ++x)
            rouges += px(img, x, y) == clRed;
    EXPECT_GT(rouges, 20);
    EXPECT_GT(compte(img, clWhite), 100);  // the dotted great circle
}

TEST_F(Outils, DistanceDePartEtDAutreDu180)
{
    flotte({{40.00L, 170.00L}, {40.00L, -170.00L}});
    rend();
    carte->Distances1Click();
    glisse(carte, pixel(40, 170), pixel(40, -170));
    ASSERT_TRUE(viewport().franchit_180);
    const QPoint a = pixel(40, 170), b = pixel(40, -170);
    // The short way (20°, bulging north): every white pixel lies between
    // the two boats; no segment jumps across the chart.
    const QImage& img = image();
    int blancs = 0, dehors = 0;
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            if (px(img, x, y) == clWhite) {
                ++blancs;
                if (x < std::min(a.x(), b.x()) - 2 || x > std::max(a.x(), b.x()) + 2 || y > a.y() + 2)
                    ++dehors;
            }
    EXPECT_GT(blancs, 50);
    EXPECT_EQ(dehors, 0);
    EXPECT_EQ(orthodromie().nb_pts_orth, 16);
}

TEST_F(Outils, DistanceEntreDeuxPointsSansPointIntermediaire)
{
    // Same meridian: the straight segment and its label.
    flotte({{5.00L, 3.00L}, {-5.00L, 3.00L}});
    rend();
    carte->Distances1Click();
    glisse(carte, pixel(5, 3), pixel(-5, 3));
    EXPECT_EQ(orthodromie().nb_pts_orth, 0);
    const QImage& img = image();
    const QPoint a = pixel(5, 3), b = pixel(-5, 3);
    int blancs = 0;
    for (int y = a.y() + 2; y < b.y() - 2; ++y)
        blancs += px(img, a.x(), y) == clWhite;
    EXPECT_GT(blancs, (b.y() - a.y()) / 3);
    EXPECT_GT(compte(img, clRed), 20);
}

TEST_F(Outils, OptionDesDistancesEntreDeuxConcurrents)
{
    EXPECT_TRUE(distance_entre_deux_permise(2, 1));
    EXPECT_TRUE(distance_entre_deux_permise(2, 2));
    EXPECT_FALSE(distance_entre_deux_permise(2, 0));  // instant mode
    EXPECT_FALSE(distance_entre_deux_permise(1, 1));
    EXPECT_FALSE(distance_entre_deux_permise(3, 2));
}

TEST_F(Outils, RouteTheorique)
{
    QTemporaryDir rep;
    QFile f(rep.filePath("FIMPV.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("D\xe9part\r\n46.30\r\n1.47\r\nP.V. Essai\r\n43.00\r\n30.00\r\nFin\r\n40.00\r\n60.00\r\n");
    f.close();
    carte->rep_programme = rep.path();
    flotte({});
    Viewport& v = viewport();
    v.lat_nord = 50;
    v.lat_sud = 38;
    v.long_ouest = 62;
    v.long_est = 0;
    rend();
    const int gris = compte(image(), clGray);  // the borders' dots
    // The result of a measurement, kept through the paints with the route.
    calcul_orthodromie(orthodromie(), etat_loxodromie(), 10, 20, 30, 40, pas_orthodromie(20, 40));
    const Orthodromie mesure = orthodromie();
    ASSERT_GT(mesure.nb_pts_orth, 0);

    // Menu item and button in step, both ways.
    carte->actions.at("Rtglob")->trigger();
    EXPECT_TRUE(carte->route_affichee);
    EXPECT_TRUE(carte->actions.at("Rtglob")->isChecked());
    EXPECT_TRUE(carte->boutons.at("ToolBRoute")->isChecked());
    // Three waypoints, two legs: the nodes are the waypoints and each leg's
    // intermediate points.
    Orthodromie o1, o2;
    EtatLoxodromie lox;
    calcul_orthodromie(o1, lox, 46.30L, 1.47L, 43.00L, 30.00L, pas_orthodromie(1.47L, 30));
    calcul_orthodromie(o2, lox, 43.00L, 30.00L, 40.00L, 60.00L, pas_orthodromie(30, 60));
    EXPECT_EQ(carte->liste_route_ortho.size(), size_t(3 + o1.nb_pts_orth + o2.nb_pts_orth));
    EXPECT_NEAR(double(carte->liste_route_ortho.back().elem.longitude), double(radians(60)), 1e-12);

    const bool franchit = v.franchit_180;
    rend();
    EXPECT_EQ(v.franchit_180, franchit);
    EXPECT_EQ(orthodromie().nb_pts_orth, mesure.nb_pts_orth);
    for (int k = 0; k <= MAX_PTS_ORTH - 1; ++k) {
        EXPECT_EQ(orthodromie().pts_orth[size_t(k)].longitude, mesure.pts_orth[size_t(k)].longitude) << k;
        EXPECT_EQ(orthodromie().caps_orth[size_t(k)], mesure.caps_orth[size_t(k)]) << k;
    }
    EXPECT_EQ(carte->canevas.police.pixelSize(), police_gdi("Arial", 7).pixelSize());

    // The labels: "P.V. Essai" (third character V) small and grey, the
    // others red.
    const QImage& img = image();
    auto dans = [&](QPoint p, TColor c) {
        int n = 0;
        for (int y = p.y() - 6; y < p.y() + 8; ++y)
            for (int x = p.x() + 3; x < p.x() + 50; ++x)
                n += px(img, x, y) == c;
        return n;
    };
    EXPECT_GT(dans(pixel(46.30L, 1.47L), clRed), 10);
    EXPECT_EQ(dans(pixel(43, 30), clRed), 0);
    EXPECT_GT(dans(pixel(43, 30), clGray), 10);
    // Grey dotted legs between the waypoints.
    EXPECT_GT(compte(img, clGray), gris + 100);

    carte->boutons.at("ToolBRoute")->click();
    EXPECT_FALSE(carte->route_affichee);
    EXPECT_FALSE(carte->actions.at("Rtglob")->isChecked());
    EXPECT_FALSE(carte->boutons.at("ToolBRoute")->isChecked());
    EXPECT_EQ(compte(image(), clGray), gris);
}

TEST_F(Outils, RouteDUnSeulPoint)
{
    QTemporaryDir rep;
    QFile f(rep.filePath("FIMPV.txt"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("Seul\r\n46.30\r\n1.47\r\n");
    f.close();
    carte->rep_programme = rep.path();
    flotte({});
    rend();
    messages.clear();
    carte->RtglobClick();
    EXPECT_FALSE(carte->route_affichee);
    EXPECT_FALSE(carte->boutons.at("ToolBRoute")->isChecked());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("FIMPV.txt"));
    carte->RtglobClick();  // said once
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(carte->actions.at("Rtglob")->isChecked());
}

TEST_F(Outils, MoletteEtTouches)
{
    choisit(12, 11, 2000);
    rend();
    const Bornes avant = bornes();
    const ext larg_avant = viewport().larg_deg;
    const QPoint p(250, 180);
    const ext la = carte->lat(p.y()), lo = carte->long_(p.x());
    molette(carte, p, 120);  // one notch in
    const Bornes dedans = bornes();
    EXPECT_NE(dedans, avant);
    EXPECT_NEAR(double(viewport().larg_deg), double(larg_avant / 1.2L), 1e-6);
    // The point under the pointer stays there, within a pixel or so.
    EXPECT_NEAR(carte->pos_grX(ddmm_vers_rad(lo)), p.x(), 0.05 * p.x() + 2);
    EXPECT_NEAR(carte->pos_grY(ddmm_vers_rad(la)), p.y(), 0.05 * p.y() + 2);
    molette(carte, p, -120);  // one notch out
    const Bornes apres = bornes();
    EXPECT_NEAR(double(apres.n), double(avant.n), 1e-9);
    EXPECT_NEAR(double(apres.s), double(avant.s), 1e-9);
    EXPECT_NEAR(double(apres.o), double(avant.o), 1e-9);
    EXPECT_NEAR(double(apres.e), double(avant.e), 1e-9);
    // Parts of a notch add up.
    molette(carte, p, 60);
    EXPECT_EQ(bornes(), apres);
    molette(carte, p, 60);
    EXPECT_NE(bornes(), apres);
    // "+" and "-" around the centre.
    const Bornes b1 = bornes();
    QTest::keyClick(carte, Qt::Key_Plus);
    EXPECT_NE(bornes(), b1);
    QTest::keyClick(carte, Qt::Key_Minus);
    EXPECT_NEAR(double(bornes().n), double(b1.n), 1e-9);
    EXPECT_NEAR(double(bornes().o), double(b1.o), 1e-9);
}

TEST_F(Outils, JourSuivantEtPrecedent)
{
    choisit(24, 11, 2000);
    QTest::keyClick(carte, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(etat_date().code_jour, "261100");  // 25 November has no file
    EXPECT_EQ(jour_course().nom_fichier_jour, "261100.txt");
    EXPECT_TRUE(titre().endsWith("<> 17 ème jour de course"));
    QTest::keyClick(carte, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(etat_date().code_jour, "241100");
    // At the ends nothing happens, and the status line says why.
    choisit(10, 11, 2000);
    QTest::keyClick(carte, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(etat_date().code_jour, "101100");
    EXPECT_EQ(carte->message_statut, "Pas de jour précédent dans les archives");
    choisit(10, 3, 2001);
    QTest::keyClick(carte, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(etat_date().code_jour, "100301");
    EXPECT_EQ(carte->message_statut, "Pas de jour suivant dans les archives");
}

TEST_F(Outils, PositionSousLePointeur)
{
    EXPECT_EQ(texte_position(46.305L, 1.47L), QStringLiteral("46°30,5' N  1°47,0' W"));
    EXPECT_EQ(texte_position(-0.3L, -179.5999L), QStringLiteral("0°30,0' S  180°00,0' E"));
    EXPECT_EQ(texte_position(0, 0), QStringLiteral("0°00,0' N  0°00,0' W"));
    choisit(12, 11, 2000);
    souris(carte, QEvent::MouseMove, QPoint(120, 90), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(carte->StatusPosition->text(), texte_position(carte->lat(90), carte->long_(120)));
    QEvent sortie(QEvent::Leave);
    QCoreApplication::sendEvent(carte, &sortie);
    EXPECT_TRUE(carte->StatusPosition->text().isEmpty());
}
