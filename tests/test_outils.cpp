// The tools of the main window driven by mouse and key events: tool
// selection, zoom and pan gestures, the distance tool, the theoretical
// route, the wheel, the keys and the position under the pointer.
#include "aide_fenetre.h"
#include "aide_cartes.h"
#include "aide_fichiers.h"
#include "ecriture.h"
#include "texte.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QDir>
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
    ext n, s, o, e, large;
    bool operator==(const Bornes&) const = default;
};

class Outils : public FenetrePrincipale {
protected:
    Bornes bornes() const
    {
        const Viewport& v = etat.vue;
        return {v.lat_nord, v.lat_sud, v.long_ouest, v.long_est, v.largeur_large};
    }
    void SetUp() override
    {
        FenetrePrincipale::SetUp();
        cadre->show();
        carte->fond_initial = false;
        carte->outils.choisit(OUTIL_AUCUN);
        carte->jour_charge = true;
        carte->Validmenu();
    }
    // Entrants 1.. at the given positions (DD.MM), nothing else on the chart.
    void flotte(std::initializer_list<std::pair<ext, ext>> positions)
    {
        vue_vide();
        int k = 1;
        for (auto [la, lo] : positions) {
            TDonnees_conc& r = etat.jour.donnees_conc[size_t(k)];
            r.elem = cree_pos_elem(QString(), la, lo);  // no name beside the dot
            ++k;
        }
        etat.jour.nb_classes = k - 1;
        // The others far away, unranked at 0° 0° (not drawn, not found).
        for (; k <= course_livree().nb(); ++k)
            etat.jour.donnees_conc[size_t(k)].non_classe = true;
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
    action(carte, "Zoomer1")->trigger();
    EXPECT_EQ(carte->mode_outil(), OUTIL_ZOOM);
    EXPECT_EQ(carte->cursor().shape(), Qt::BitmapCursor);  // ZoomP.cur
    EXPECT_EQ(statut(carte), "Zoom avant : dessiner un cadre avec le bouton gauche |  Zoom arrière : bouton droit");
    bouton(carte, "ToolBPAn")->click();
    EXPECT_EQ(carte->mode_outil(), OUTIL_PANORAMIQUE);
    EXPECT_EQ(carte->cursor().shape(), Qt::BitmapCursor);  // HandGrab.cur
    EXPECT_EQ(carte->canevas.style_plume, StylePlume::TiretPoint);
    action(carte, "Distances1")->trigger();
    EXPECT_EQ(carte->mode_outil(), OUTIL_DISTANCE);
    EXPECT_EQ(carte->cursor().shape(), Qt::CrossCursor);
    EXPECT_EQ(carte->outils.point_depart().latitude, 180);
    EXPECT_EQ(statut(carte),
              "Cliquer sur le 1er concurrent/marque de parcours et se déplacer vers le/la 2ème - relâcher");
    carte->Afficher1Click();
    EXPECT_EQ(carte->cursor().shape(), Qt::PointingHandCursor);
    // A double click leaves any tool.
    souris(carte, QEvent::MouseButtonDblClick, QPoint(50, 50), Qt::LeftButton, Qt::LeftButton);
    EXPECT_EQ(carte->mode_outil(), OUTIL_AUCUN);
    EXPECT_EQ(carte->cursor().shape(), Qt::ArrowCursor);
    // The tool bar's show/hide item.
    action(carte, "AfficherBarOut")->trigger();
    EXPECT_FALSE(enfant<QToolBar>(carte, "ToolBar1")->isVisible());
    action(carte, "AfficherBarOut")->trigger();
    EXPECT_TRUE(enfant<QToolBar>(carte, "ToolBar1")->isVisible());
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
    EXPECT_FALSE(carte->outils.zoom_en_cours());
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
    etat.lieux.liste_mp.push_back(cap);
    rend();
    const QPoint bateau = pixel(5, 10), marque = pixel(-5, -10);
    const Bornes avant = bornes();

    // A press on the sea: nothing, and back to no tool.
    carte->Distances1Click();
    glisse(carte, QPoint(20, 20), bateau);
    EXPECT_EQ(bornes(), avant);
    EXPECT_EQ(carte->mode_outil(), OUTIL_AUCUN);
    EXPECT_EQ(statut(carte), message_option());
    // A press and a release on the same boat (a click): nothing either.
    carte->Distances1Click();
    clic(carte, bateau, Qt::LeftButton);
    EXPECT_EQ(bornes(), avant);

    // From the boat to the mark: framed on both, the path in white, the
    // distance in red.
    carte->Distances1Click();
    glisse(carte, bateau, marque);
    const Viewport& v = etat.vue;
    EXPECT_EQ(v.lat_sud, 5.00L);
    EXPECT_EQ(v.lat_nord, -5.00L);
    EXPECT_EQ(v.long_ouest, 10.00L);  // the western one
    EXPECT_EQ(v.long_est, -10.00L);
    EXPECT_EQ(carte->mode_outil(), OUTIL_AUCUN);
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
    ASSERT_TRUE(etat.vue.franchit_180());
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
    EXPECT_EQ(etat.orthodromie.nb_pts_orth, 16);
}

TEST_F(Outils, DistanceEntreDeuxPointsSansPointIntermediaire)
{
    // Same meridian: the straight segment and its label.
    flotte({{5.00L, 3.00L}, {-5.00L, 3.00L}});
    rend();
    carte->Distances1Click();
    glisse(carte, pixel(5, 3), pixel(-5, 3));
    EXPECT_EQ(etat.orthodromie.nb_pts_orth, 0);
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
    ecrit(rep.filePath("FIMPV.txt"), "D\xe9part\r\n46.30\r\n1.47\r\nP.V. Essai\r\n43.00\r\n30.00\r\nFin\r\n40.00\r\n60.00\r\n");
    carte->emplacements = rep.path();
    flotte({});
    Viewport& v = etat.vue;
    v.lat_nord = 50;
    v.lat_sud = 38;
    v.long_ouest = 62;
    v.long_est = 0;
    rend();
    const int gris = compte(image(), clGray);  // the borders' dots
    // The result of a measurement, kept through the paints with the route.
    calcul_orthodromie(etat.orthodromie, etat.loxodromie, 10, 20, 30, 40, pas_orthodromie(20, 40));
    const Orthodromie mesure = etat.orthodromie;
    ASSERT_GT(mesure.nb_pts_orth, 0);

    // Menu item and button in step, both ways.
    action(carte, "Rtglob")->trigger();
    EXPECT_TRUE(carte->route.affichee);
    EXPECT_TRUE(action(carte, "Rtglob")->isChecked());
    EXPECT_TRUE(bouton(carte, "ToolBRoute")->isChecked());
    // Three waypoints, two legs: the nodes are the waypoints and each leg's
    // intermediate points.
    Orthodromie o1, o2;
    EtatLoxodromie lox;
    calcul_orthodromie(o1, lox, 46.30L, 1.47L, 43.00L, 30.00L, pas_orthodromie(1.47L, 30));
    calcul_orthodromie(o2, lox, 43.00L, 30.00L, 40.00L, 60.00L, pas_orthodromie(30, 60));
    EXPECT_EQ(carte->route.noeuds.size(), size_t(3 + o1.nb_pts_orth + o2.nb_pts_orth));
    EXPECT_NEAR(double(carte->route.noeuds.back().elem.longitude), double(radians(60)), 1e-12);

    const bool franchit = v.franchit_180();
    rend();
    EXPECT_EQ(v.franchit_180(), franchit);
    EXPECT_EQ(etat.orthodromie.nb_pts_orth, mesure.nb_pts_orth);
    for (int k = 0; k <= MAX_PTS_ORTH - 1; ++k) {
        EXPECT_EQ(etat.orthodromie.pts_orth[size_t(k)].longitude, mesure.pts_orth[size_t(k)].longitude) << k;
        EXPECT_EQ(etat.orthodromie.caps_orth[size_t(k)], mesure.caps_orth[size_t(k)]) << k;
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

    bouton(carte, "ToolBRoute")->click();
    EXPECT_FALSE(carte->route.affichee);
    EXPECT_FALSE(action(carte, "Rtglob")->isChecked());
    EXPECT_FALSE(bouton(carte, "ToolBRoute")->isChecked());
    EXPECT_EQ(compte(image(), clGray), gris);
}

TEST_F(Outils, RouteDUnSeulPoint)
{
    QTemporaryDir rep;
    ecrit(rep.filePath("FIMPV.txt"), "Seul\r\n46.30\r\n1.47\r\n");
    carte->emplacements = rep.path();
    flotte({});
    rend();
    messages.clear();
    carte->RtglobClick();
    EXPECT_FALSE(carte->route.affichee);
    EXPECT_FALSE(bouton(carte, "ToolBRoute")->isChecked());
    ASSERT_EQ(messages.size(), 1);
    EXPECT_TRUE(messages[0].contains("FIMPV.txt"));
    carte->RtglobClick();  // said once
    EXPECT_EQ(messages.size(), 1);
    EXPECT_FALSE(action(carte, "Rtglob")->isChecked());
}

TEST_F(Outils, MoletteEtTouches)
{
    choisit(12, 11, 2000);
    rend();
    const Bornes avant = bornes();
    const ext larg_avant = etat.vue.larg_deg();
    const QPoint p(250, 180);
    const ext la = carte->lat(p.y()), lo = carte->long_(p.x());
    molette(carte, p, 120);  // one notch in
    const Bornes dedans = bornes();
    EXPECT_NE(dedans, avant);
    EXPECT_LT(etat.vue.larg_deg(), larg_avant);
    // The point under the pointer stays there, within a pixel.
    EXPECT_NEAR(carte->pos_grX(ddmm_vers_rad(lo)), p.x(), 1);
    EXPECT_NEAR(carte->pos_grY(ddmm_vers_rad(la)), p.y(), 1);
    molette(carte, p, -120);  // one notch out
    const Bornes apres = bornes();
    const double px = 1.0 / etat.vue.ech_X(), py = 1.0 / etat.vue.ech_Y();
    EXPECT_NEAR(double(ddmm_vers_deg(apres.n)), double(ddmm_vers_deg(avant.n)), py);
    EXPECT_NEAR(double(ddmm_vers_deg(apres.s)), double(ddmm_vers_deg(avant.s)), py);
    EXPECT_NEAR(double(ddmm_vers_deg(apres.o)), double(ddmm_vers_deg(avant.o)), px);
    EXPECT_NEAR(double(ddmm_vers_deg(apres.e)), double(ddmm_vers_deg(avant.e)), px);
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
    EXPECT_NEAR(double(ddmm_vers_deg(bornes().n)), double(ddmm_vers_deg(b1.n)), 1.0 / etat.vue.ech_Y());
    EXPECT_NEAR(double(ddmm_vers_deg(bornes().o)), double(ddmm_vers_deg(b1.o)), 1.0 / etat.vue.ech_X());
}

TEST_F(Outils, ToucheApresUnAutreMouvementDeLaVue)
{
    choisit(12, 11, 2000);
    rend();
    // "+" zooms around the centre; after a pan, around the new centre (not
    // around the point the first "+" used).
    QTest::keyClick(carte, Qt::Key_Plus);
    carte->PanoramiClick();
    glisse(carte, QPoint(300, 300), QPoint(500, 200));
    const QPoint c(carte->width() / 2, carte->height() / 2);
    const ext la = carte->lat(c.y()), lo = carte->long_(c.x());
    QTest::keyClick(carte, Qt::Key_Plus);
    EXPECT_NEAR(carte->pos_grX(ddmm_vers_rad(lo)), c.x(), 0.1 * c.x());
    EXPECT_NEAR(carte->pos_grY(ddmm_vers_rad(la)), c.y(), 0.1 * c.y());
}

TEST_F(Outils, GesteInterrompuParUnChangementDeJour)
{
    choisit(12, 11, 2000);
    rend();
    carte->Zoomer1Click();
    souris(carte, QEvent::MouseButtonPress, QPoint(100, 100), Qt::LeftButton, Qt::LeftButton);
    souris(carte, QEvent::MouseMove, QPoint(300, 250), Qt::NoButton, Qt::LeftButton);
    ASSERT_NE(carte->bande.forme, TMercator::BandeXor::Aucune);
    QTest::keyClick(carte, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(carte->bande.forme, TMercator::BandeXor::Aucune);
    souris(carte, QEvent::MouseButtonRelease, QPoint(300, 250), Qt::LeftButton, Qt::NoButton);
    const QImage avant = carte->canevas.image().copy();
    rend();
    EXPECT_EQ(carte->canevas.image(), avant);  // no band drawn again
}

TEST_F(Outils, JourSuivantIllisible)
{
    // 11 November there but unreadable: the day shown stays whole.
    QTemporaryDir rep;
    for (const char* f : {"101100.txt", "121100.txt"})
        ASSERT_TRUE(QFile::copy(DONNEES + "/" + f, rep.filePath(f)));
    QDir().mkpath(rep.filePath("111100.txt"));
    carte->emplacements = rep.path();
    choisit(10, 11, 2000);
    const QString skipper = etat.jour.donnees_conc[1].skipper;
    QTest::keyClick(carte, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(etat.date.code_jour, "101100");
    EXPECT_EQ(etat.jour.donnees_conc[1].skipper, skipper);
    EXPECT_EQ(statut(carte), "Fichier du jour illisible : « 111100.txt » (aucun concurrent lu).");
}

TEST_F(Outils, JourSuivantEtPrecedent)
{
    choisit(24, 11, 2000);
    QTest::keyClick(carte, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(etat.date.code_jour, "261100");  // 25 November has no file
    EXPECT_EQ(etat.jour.nom_fichier_jour, "261100.txt");
    EXPECT_TRUE(titre().endsWith("<> 17 ème jour de course"));
    QTest::keyClick(carte, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(etat.date.code_jour, "241100");
    // At the ends nothing happens, and the status line says why.
    choisit(10, 11, 2000);
    QTest::keyClick(carte, Qt::Key_Left, Qt::ControlModifier);
    EXPECT_EQ(etat.date.code_jour, "101100");
    EXPECT_EQ(statut(carte), "Pas de jour précédent dans les archives");
    choisit(10, 3, 2001);
    QTest::keyClick(carte, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(etat.date.code_jour, "100301");
    EXPECT_EQ(statut(carte), "Pas de jour suivant dans les archives");
}

TEST_F(Outils, PositionSousLePointeur)
{
    EXPECT_EQ(texte_position(46.305L, 1.47L), QStringLiteral("46°30,5' N  1°47,0' W"));
    EXPECT_EQ(texte_position(-0.3L, -179.5999L), QStringLiteral("0°30,0' S  180°00,0' E"));
    EXPECT_EQ(texte_position(0, 0), QStringLiteral("0°00,0' N  0°00,0' W"));
    choisit(12, 11, 2000);
    souris(carte, QEvent::MouseMove, QPoint(120, 90), Qt::NoButton, Qt::NoButton);
    EXPECT_EQ(enfant<QLabel>(carte, "StatusPosition")->text(), texte_position(carte->lat(90), carte->long_(120)));
    QEvent sortie(QEvent::Leave);
    QCoreApplication::sendEvent(carte, &sortie);
    EXPECT_TRUE(enfant<QLabel>(carte, "StatusPosition")->text().isEmpty());
}

// ---------------------------------------------------------------------------
// The replay: the panel, the validation, the drawing and the progressions.

namespace {

QStringList bloc_fix(int rang, const QString& nom, const QString& lat, const QString& lon, const QString& statut)
{
    return {QString::number(rang), QStringLiteral("Bateau (%1)").arg(nom), statut, lat, lon, "12", "90", "9.5", "2D-3D"};
}

class RejeuFenetre : public Outils {
protected:
    void SetUp() override
    {
        Outils::SetUp();
        // The day on display, kept whole through the replay.
        choisit(12, 11, 2000);
        carte->Validmenu();
    }
    // A small archive of its own: `jours` day files of two entrants.
    void archive(const std::vector<std::pair<QString, QStringList>>& jours)
    {
        for (const auto& [code, lignes] : jours) {
            QStringList l{QStringLiteral("Classement"), QString()};
            l += lignes;
            ASSERT_TRUE(ecrit_lignes(rep.filePath(code + ".txt"), l));
        }
        carte->emplacements = rep.path();
    }
    void choisit_concurrents(std::initializer_list<int> indices)
    {
        panneau(carte)->ListBoxConc->clearSelection();
        for (int i : indices)
            panneau(carte)->ListBoxConc->item(i - 1)->setSelected(true);
    }
    void periode(int depuis, int jusqua)
    {
        panneau(carte)->ChbxToutCourse->click();
        panneau(carte)->ComboBox1->setCurrentIndex(depuis);
        panneau(carte)->ComboBox2->setCurrentIndex(jusqua);
    }
    int pixels(TColor c) { return compte(carte->canevas.image(), c); }
    QTemporaryDir rep;
};

}  // namespace

TEST_F(RejeuFenetre, PanneauEtValidation)
{
    const JourCourse jour_avant = etat.jour;
    const EtatDate date_avant = etat.date;
    action(carte, "Trajets1")->trigger();
    EXPECT_TRUE(panneau(carte)->isVisible());
    EXPECT_EQ(carte->mode_outil(), OUTIL_TRAJETS);
    EXPECT_EQ(statut(carte), "Pour se repasser le film de la course ! ");
    EXPECT_EQ(titre(), "Orvalis 2000-2001.");
    EXPECT_FALSE(action(carte, "Classement1")->isEnabled());
    EXPECT_TRUE(carte->bouton_grise("ToolBClass"));
    // The assembly leaves the day on display whole.
    EXPECT_EQ(etat.jour.nom_fichier_jour, jour_avant.nom_fichier_jour);
    EXPECT_EQ(etat.jour.donnees_conc[1].skipper, jour_avant.donnees_conc[1].skipper);
    EXPECT_EQ(etat.date.code_jour, date_avant.code_jour);
    // Initial state of the panel.
    EXPECT_TRUE(panneau(carte)->ChbxToutCourse->isChecked());
    EXPECT_FALSE(panneau(carte)->ChbxEnt2dt->isChecked());
    EXPECT_FALSE(panneau(carte)->Panel1->isVisible());
    EXPECT_FALSE(panneau(carte)->ChBXDist->isEnabled());
    EXPECT_TRUE(panneau(carte)->ChBXDist->isChecked());
    EXPECT_EQ(carte->index_mode(), 0);
    EXPECT_FALSE(panneau(carte)->GPBCad->isVisible());
    EXPECT_EQ(panneau(carte)->ListBoxConc->count(), 24);
    EXPECT_EQ(panneau(carte)->ListBoxConc->item(13)->text(), "Le Bravic");  // row i - 1 is entrant i
    EXPECT_EQ(panneau(carte)->ComboBox1->itemText(0), "Vendredi 10 novembre 2000");
    EXPECT_EQ(panneau(carte)->ComboBox2->itemText(0), "--------------");
    EXPECT_EQ(panneau(carte)->ComboBox1->count(), etat.archive.nb_jours());
    EXPECT_EQ(panneau(carte)->ComboBox1->currentIndex(), -1);
    // The two period boxes exclude each other; the dates show with theirs.
    panneau(carte)->ChbxToutCourse->click();
    EXPECT_TRUE(panneau(carte)->ChbxEnt2dt->isChecked());
    EXPECT_TRUE(panneau(carte)->Panel1->isVisible());
    panneau(carte)->ChbxToutCourse->click();
    EXPECT_FALSE(panneau(carte)->ChbxEnt2dt->isChecked());
    EXPECT_FALSE(panneau(carte)->Panel1->isVisible());
    // The distance option: exactly two entrants and a step-by-step mode.
    choisit_concurrents({1, 2});
    EXPECT_FALSE(panneau(carte)->ChBXDist->isEnabled());
    carte->choisit_mode(2);
    EXPECT_TRUE(panneau(carte)->ChBXDist->isEnabled());
    EXPECT_FALSE(panneau(carte)->GPBCad->isVisible());
    carte->choisit_mode(1);
    EXPECT_TRUE(panneau(carte)->GPBCad->isVisible());
    choisit_concurrents({1, 2, 3});
    EXPECT_FALSE(panneau(carte)->ChBXDist->isEnabled());

    // Warnings: no entrant; no dates.
    carte->choisit_mode(0);
    panneau(carte)->ListBoxConc->clearSelection();
    messages.clear();
    panneau(carte)->BTokTraj->click();
    ASSERT_EQ(messages.size(), 1);
    EXPECT_EQ(messages[0], "Au moins un concurrent doit être sélectionné.");
    EXPECT_TRUE(panneau(carte)->isVisible());
    choisit_concurrents({1});
    panneau(carte)->ChbxToutCourse->click();
    panneau(carte)->BTokTraj->click();
    ASSERT_EQ(messages.size(), 2);
    EXPECT_EQ(messages[1], "Les dates doivent être spécifiées .");
    // "jusqu'au" before "depuis le" gives the same period; the first entry
    // of "jusqu'au" is the first day.
    panneau(carte)->ComboBox1->setCurrentIndex(3);
    panneau(carte)->ComboBox2->setCurrentIndex(0);
    panneau(carte)->BTokTraj->click();
    EXPECT_FALSE(panneau(carte)->isVisible());
    EXPECT_EQ(carte->rejeu.selection_traj.debut, 0);
    EXPECT_EQ(carte->rejeu.selection_traj.fin, 3);
    EXPECT_EQ(carte->rejeu.nb_jours_traj, 4);
    // Instant mode: the commands stay as they were (the ranking disabled by
    // the command), the tracks drawn at every paint.
    EXPECT_TRUE(carte->rejeu.trajets_actifs);
    EXPECT_FALSE(carte->rejeu.defilement_en_cours);
    EXPECT_TRUE(action(carte, "Zoomer1")->isEnabled());
    EXPECT_FALSE(action(carte, "Classement1")->isEnabled());
    // The double click leaves it all and restores every command.
    souris(carte, QEvent::MouseButtonDblClick, QPoint(50, 50), Qt::LeftButton, Qt::LeftButton);
    EXPECT_FALSE(carte->rejeu.trajets_actifs);
    EXPECT_TRUE(action(carte, "Classement1")->isEnabled());
    // The ranking still shows the day on display, under its own date.
    carte->Classement1Click();
    EXPECT_EQ(enfant<QLabel>(carte, "StaticText1")->text(), date_avant.date_en_clair);
}

TEST_F(RejeuFenetre, LaSecondeCommandeReprendLesListes)
{
    archive({{"101100", bloc_fix(1, "Arvelin", "46.00", "3.00", "le 10/11/2000 à 20h00")},
              {"111100", bloc_fix(1, "Arvelin", "45.00", "5.00", "le 11/11/2000 à 20h00")}});
    carte->Trajets1Click();
    ASSERT_EQ(panneau(carte)->ComboBox1->count(), 2);
    ASSERT_TRUE(ecrit_lignes(rep.filePath("121100.txt"), bloc_fix(1, "Arvelin", "44.00", "7.00", "le 12/11/2000 à 20h00")));
    carte->BTAnnulTrajClick();
    dates = {{12, 11, 2000}};
    carte->Trajets1Click();
    EXPECT_EQ(panneau(carte)->ComboBox1->count(), 2);  // not read again
    // A read error empties the lists; the next command assembles again.
    QTemporaryDir autre;
    carte->emplacements = autre.path();
    carte->rejeu.trajets_constitues = false;
    carte->Trajets1Click();
    EXPECT_FALSE(carte->rejeu.trajets_constitues);
    EXPECT_EQ(panneau(carte)->ComboBox1->count(), 0);
    EXPECT_TRUE(messages.back().contains("101100.txt"));
}

TEST_F(RejeuFenetre, DessinInstantane)
{
    // Arvelin (index 1) sails 10° E along the equator over two days.
    archive({{"101100", bloc_fix(1, "Arvelin", "0.00", "5.00", "le 10/11/2000 à 20h00")},
              {"111100", bloc_fix(1, "Arvelin", "0.00", "-5.00", "le 11/11/2000 à 20h00")}});
    carte->Trajets1Click();
    choisit_concurrents({1});
    const TColor c = couleur_trajet(carte->couleurs_conc[1], carte->couleur_fond);
    // One day: a marker, no segment.
    panneau(carte)->ChbxVit->setChecked(false);  // no speed line over the marker
    periode(1, 1);
    panneau(carte)->BTokTraj->click();
    Viewport& v = etat.vue;
    v.lat_nord = 5;
    v.lat_sud = -5;
    v.long_ouest = 10;
    v.long_est = -10;
    rend();
    EXPECT_EQ(pixels(c), 0);
    EXPECT_EQ(px(carte->canevas.image(), pixel(0, -5).x(), pixel(0, -5).y()), clYellow);
    // Two days: the segment in the entrant's colour and dash.
    carte->Trajets1Click();
    periode(0, 1);
    panneau(carte)->BTokTraj->click();
    rend();
    EXPECT_GT(pixels(c), 30);
    EXPECT_EQ(style_trajet(1), StylePlume::Tiret);
}

TEST_F(RejeuFenetre, PassageDu180)
{
    // 179° E then 179° W: east the short way.
    archive({{"101100", bloc_fix(1, "Arvelin", "40.00", "-179.00", "le 10/11/2000 à 20h00")},
              {"111100", bloc_fix(1, "Arvelin", "40.00", "179.00", "le 11/11/2000 à 20h00")}});
    carte->Trajets1Click();
    choisit_concurrents({1});
    panneau(carte)->ChBxDistPrel->setChecked(false);
    panneau(carte)->BTokTraj->click();
    const TColor c = couleur_trajet(carte->couleurs_conc[1], carte->couleur_fond);
    Viewport& v = etat.vue;
    // A view centred on Greenwich, wide: the two fixes at opposite edges,
    // the segment that would cross the chart is not drawn; markers are.
    v.lat_nord = 60;
    v.lat_sud = 20;
    v.long_ouest = 89.59L;
    v.long_est = -89.59L;
    rend();
    EXPECT_EQ(pixels(c), 0);
    // A view straddling 180°: the short segment is drawn.
    v.lat_nord = 45;
    v.lat_sud = 35;
    v.long_ouest = -175;
    v.long_est = 175;
    rend();
    EXPECT_GT(pixels(c), 10);
}

TEST_F(RejeuFenetre, CouleursEtStyles)
{
    // The packed-value rule on navy: +64, blue byte dropped.
    EXPECT_EQ(couleur_trajet(0x85D07A, clNavy), (0x85D07Au + 64) & 0xFFFF);
    EXPECT_EQ(couleur_trajet(0x85D07A, clBlack), 0x85D07Au);
    EXPECT_EQ(style_trajet(1), style_trajet(6));
    for (int i : {5, 10, 15, 20})
        EXPECT_EQ(style_trajet(i), StylePlume::Plein) << i;
    EXPECT_EQ(style_trajet(4), StylePlume::TiretPointPoint);
}

TEST_F(RejeuFenetre, ModeManuelEtMarges)
{
    carte->Trajets1Click();
    choisit_concurrents({1, 2});
    periode(2, 5);  // four days
    carte->choisit_mode(2);
    panneau(carte)->BTokTraj->click();
    EXPECT_FALSE(action(carte, "Zoomer1")->isEnabled());  // step by step: commands off
    QApplication::processEvents();                            // the first step
    EXPECT_EQ(carte->rejeu.etapes.jour(), 3);
    EXPECT_TRUE(statut(carte).startsWith("Appuyer sur la flêche"));
    // n - 1 presses show the other days, the n-th says the end.
    for (int k = 0; k < 3; ++k)
        QTest::keyClick(carte, Qt::Key_Down);
    EXPECT_FALSE(carte->rejeu.etapes.reste());
    EXPECT_TRUE(statut(carte).startsWith("Appuyer sur la flêche"));
    QTest::keyClick(carte, Qt::Key_Down);
    EXPECT_EQ(statut(carte), "Date de fin atteinte : appuyer sur ECHAP");
    // Page Down never brings a margin below 0.1°; Page Up is capped.
    for (int k = 0; k < 20; ++k)
        QTest::keyClick(carte, Qt::Key_PageDown);
    EXPECT_EQ(carte->rejeu.marge_lat, 0.1L);
    EXPECT_EQ(carte->rejeu.marge_long, 0.1L);
    for (int k = 0; k < 200; ++k)
        QTest::keyClick(carte, Qt::Key_PageUp);
    EXPECT_LE(carte->rejeu.marge_lat, 90);
    EXPECT_LE(carte->rejeu.marge_long, 90);
    // Esc goes back to the panel.
    QTest::keyClick(carte, Qt::Key_Escape);
    EXPECT_TRUE(panneau(carte)->isVisible());
}

TEST_F(RejeuFenetre, FilmCadenceSousUneBoucleDEvenements)
{
    carte->Trajets1Click();
    choisit_concurrents({1, 2});
    periode(0, 4);
    carte->choisit_mode(1);
    // Text that is not a whole number ≥ 0 keeps the previous period.
    panneau(carte)->EdCad->setText("abc");
    panneau(carte)->BTokTraj->click();
    EXPECT_EQ(carte->rejeu.periode_cadence, 3000);
    EXPECT_EQ(panneau(carte)->EdCad->text(), "3");
    // Period 0: the steps back to back, the window still turning.
    carte->FormDBlClick();
    carte->Trajets1Click();
    panneau(carte)->EdCad->setText("0");
    panneau(carte)->BTokTraj->click();
    EXPECT_EQ(carte->rejeu.periode_cadence, 0);
    ASSERT_TRUE(QTest::qWaitFor([&] { return statut(carte).startsWith("Date de fin"); }, 5000));
    EXPECT_EQ(statut(carte), "Date de fin atteinte : appuyer sur ECHAP");
    EXPECT_FALSE(carte->rejeu.etapes.reste());

    // One second: after two steps, Esc stops the film at once.
    carte->FormDBlClick();
    carte->Trajets1Click();
    panneau(carte)->EdCad->setText("1");
    panneau(carte)->BTokTraj->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return carte->rejeu.etapes.jour() >= 2; }, 5000));
    EXPECT_EQ(statut(carte), "Film : 11/11/2000 - jour 2");
    dates = {{12, 11, 2000}};
    QTest::keyClick(carte, Qt::Key_Escape);
    const int jour = carte->rejeu.etapes.jour();
    QTest::qWait(1300);
    EXPECT_EQ(carte->rejeu.etapes.jour(), jour);
    EXPECT_FALSE(carte->rejeu.trajets_actifs);
    EXPECT_TRUE(action(carte, "Zoomer1")->isEnabled());

    // Space pauses; paused, the down arrow steps one day.
    carte->Trajets1Click();
    panneau(carte)->BTokTraj->click();
    ASSERT_TRUE(QTest::qWaitFor([&] { return carte->rejeu.etapes.jour() >= 1; }, 5000));
    QTest::keyClick(carte, Qt::Key_Space);
    const int arret = carte->rejeu.etapes.jour();
    QTest::qWait(1300);
    EXPECT_EQ(carte->rejeu.etapes.jour(), arret);
    QTest::keyClick(carte, Qt::Key_Down);
    EXPECT_EQ(carte->rejeu.etapes.jour(), arret + 1);
    QTest::keyClick(carte, Qt::Key_Space);
    ASSERT_TRUE(QTest::qWaitFor([&] { return carte->rejeu.etapes.jour() > arret + 1; }, 3000));
    EXPECT_GT(carte->rejeu.etapes.jour(), arret + 1);
}

TEST_F(RejeuFenetre, ExporterDepuisLePanneau)
{
    carte->Trajets1Click();
    choisit_concurrents({1, 2});
    QTemporaryDir d;
    carte->rejeu.choisit_fichier_export = [&] { return d.filePath("deux.kml"); };
    panneau(carte)->BTExporter->click();
    QFile f(d.filePath("deux.kml"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray k = f.readAll();
    EXPECT_EQ(k.count("<Placemark>"), 2);
    EXPECT_TRUE(k.contains("<gx:Track>"));
    EXPECT_TRUE(statut(carte).contains("deux.kml"));
}

TEST_F(RejeuFenetre, BateauAbandonneNiCadreNiDistance)
{
    // Baudrinec retires on the second day: its record carries the
    // harbour's placeholder, which neither frames the chart nor measures.
    archive({{"101100", bloc_fix(1, "Arvelin", "10.00", "30.00", "le 10/11/2000 à 20h00") +
                            bloc_fix(2, "Baudrinec", "10.30", "31.00", "le 10/11/2000 à 20h00")},
              {"111100", bloc_fix(1, "Arvelin", "9.00", "31.00", "le 11/11/2000 à 20h00") +
                            bloc_fix(2, "Baudrinec", "46.28", "1.47", "Abandon - safran")}});
    carte->Trajets1Click();
    choisit_concurrents({1, 2});
    carte->choisit_mode(2);
    ASSERT_TRUE(panneau(carte)->ChBXDist->isEnabled());
    panneau(carte)->BTokTraj->click();
    // The step with and without the two-entrant distance (as validated;
    // the panel's box changed without OK changes nothing).
    panneau(carte)->ChBXDist->setChecked(false);
    auto avec_et_sans = [&] {
        rend();
        const QImage avec = image().copy();
        carte->rejeu.annotations_valides.distance_entre_deux = false;
        rend();
        const QImage sans = image().copy();
        carte->rejeu.annotations_valides.distance_entre_deux = true;
        return avec != sans;
    };
    QApplication::processEvents();  // first day: both boats, measured
    EXPECT_TRUE(avec_et_sans());
    QTest::keyClick(carte, Qt::Key_Down);
    EXPECT_FALSE(avec_et_sans());
    EXPECT_LT(ddmm_vers_deg(std::max(etat.vue.lat_nord, etat.vue.lat_sud)), 20);
    // The wheel does nothing during a step-by-step replay.
    const ext n = etat.vue.lat_nord;
    molette(carte, QPoint(200, 200), 120);
    EXPECT_EQ(etat.vue.lat_nord, n);
}

// A replay step by step never leaves the window half in it: a day chosen
// with the calendar button ends it, a greyed button ends it then starts its
// own tool; a period without any fix is said, nothing started.
TEST_F(RejeuFenetre, JamaisAMoitieDansLeRejeu)
{
    auto lance_manuel = [&] {
        carte->Trajets1Click();
        choisit_concurrents({1, 2});
        periode(2, 5);
        carte->choisit_mode(2);
        panneau(carte)->BTokTraj->click();
        QApplication::processEvents();
        ASSERT_TRUE(carte->rejeu.defilement_en_cours);
        ASSERT_TRUE(carte->bouton_grise("ToolBZoom"));
    };
    lance_manuel();
    dates = {{6, 12, 2000}};
    bouton(carte, "ToolBDate")->click();
    EXPECT_EQ(etat.jour.nom_fichier_jour, "061200.txt");
    EXPECT_FALSE(carte->rejeu.trajets_actifs || carte->rejeu.defilement_en_cours);
    EXPECT_TRUE(action(carte, "Zoomer1")->isEnabled());
    EXPECT_FALSE(carte->bouton_grise("ToolBZoom"));
    EXPECT_GT(pixels(clYellow), 0);  // the day's boats are drawn

    lance_manuel();
    bouton(carte, "ToolBZoom")->click();
    EXPECT_EQ(carte->mode_outil(), OUTIL_ZOOM);
    EXPECT_FALSE(carte->rejeu.defilement_en_cours);
    EXPECT_TRUE(action(carte, "Trajets1")->isEnabled());

    // Before the first click the greyed buttons do nothing.
    carte->outils.choisit(OUTIL_ACCUEIL);
    carte->Inhibmenu();
    bouton(carte, "ToolBPAn")->click();
    EXPECT_EQ(carte->mode_outil(), OUTIL_ACCUEIL);

    carte->outils.choisit(OUTIL_AUCUN);
    carte->Validmenu();
    carte->Trajets1Click();
    choisit_concurrents({6});  // Darnoux: retired on 21 November
    periode(15, 20);
    ASSERT_EQ(panneau(carte)->ComboBox1->currentText().simplified(), "Dimanche 26 NOVEMBRE 2000");
    carte->choisit_mode(1);
    panneau(carte)->BTokTraj->click();
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_EQ(messages.last(), "Aucune position pour ces concurrents sur cette période.");
    EXPECT_TRUE(panneau(carte)->isVisible());
    EXPECT_FALSE(carte->rejeu.trajets_actifs);
    EXPECT_FALSE(carte->bouton_grise("ToolBZoom"));
}

// The mouse and the keys where the user expects them: a right double click
// zooms out twice, the wheel over a panel is the panel's, the keys are the
// chart's again once the ranking is closed; the framed boats and their
// names clear of the tool bar.
TEST_F(Outils, SourisClavierEtBarreDOutils)
{
    choisit(10, 12, 2000);
    const QRect barre = enfant<QToolBar>(carte, "ToolBar1")->geometry();
    const QFontMetrics fm(police_gdi("Arial", 7));
    for (int k = 1; k <= carte->nb_cadrage; ++k) {
        const TDonnees_conc& r = etat.jour.donnees_conc[size_t(k)];
        const QPoint p = pixel(r.elem.latitude, r.elem.longitude);
        EXPECT_FALSE(QRect(p.x() - 2, p.y() - 8, 5 + fm.horizontalAdvance(r.elem.nom), 16).intersects(barre)) << k;
    }
    rend();
    carte->Zoomer1Click();
    const ext avant = etat.vue.largeur_demandee();
    souris(carte, QEvent::MouseButtonPress, QPoint(300, 300), Qt::RightButton, Qt::RightButton);
    souris(carte, QEvent::MouseButtonRelease, QPoint(300, 300), Qt::RightButton, Qt::NoButton);
    rend();
    souris(carte, QEvent::MouseButtonDblClick, QPoint(300, 300), Qt::RightButton, Qt::RightButton);
    EXPECT_EQ(carte->mode_outil(), OUTIL_ZOOM);
    EXPECT_NEAR(double(etat.vue.largeur_demandee() / avant), 1.44 * 1.44, 0.3);

    carte->Classement1Click();
    const Bornes b = bornes();
    enfant<QPlainTextEdit>(carte, "MemoClass")->setFocus();
    molette(enfant<QPlainTextEdit>(carte, "MemoClass")->viewport(), QPoint(20, 20), -120 * 30);
    molette(carte, enfant<QFrame>(carte, "PanelClass")->geometry().center(), 120);
    EXPECT_EQ(bornes(), b);
    enfant<QPushButton>(carte, "BitBtn1")->click();
    EXPECT_EQ(cadre->focusWidget(), carte);
}
