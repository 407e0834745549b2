// The main window offscreen: welcome picture, first click, race-day
// selection, captions, command states, settings, race picture, hit tests,
// details and the ranking panel.
#include "aide_fenetre.h"
#include "aide_cartes.h"
#include "calend.h"
#include "calendrier.h"
#include "classement.h"
#include "dialogues.h"
#include "posconc.h"

#include <QAction>
#include <QCalendarWidget>
#include <QFile>
#include <QLabel>
#include <QMainWindow>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTableView>
#include <QTest>
#include <QToolBar>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace orv;


TEST_F(FenetrePrincipale, PremierePeintureImageSeule)
{
    // The window's creation rendered once already; start again from there.
    carte->fond_initial = true;
    carte->image_fond = QImage(100, 80, QImage::Format_RGB32);
    carte->image_fond.fill(qRgb(200, 0, 200));
    carte->FormPaint();
    const QImage premiere = carte->canevas.image();
    EXPECT_EQ(px(premiere, 10, 10), 0xC800C8u);
    ASSERT_GT(premiere.width(), 200);
    ASSERT_GT(premiere.height(), 200);
    EXPECT_EQ(px(premiere, 200, 200), clBlack);
    EXPECT_EQ(compte(premiere, 0x7E7E2A), 0);  // no graticule
    carte->FormPaint();
    const QImage seconde = carte->canevas.image();
    EXPECT_EQ(compte(seconde, 0xC800C8u), 0);
    EXPECT_GT(compte(seconde, 0x7E7E2A), 100);
    EXPECT_EQ(statut(carte), "Cliquer sur l'image");
    EXPECT_EQ(carte->mode_outil(), OUTIL_ACCUEIL);
}

TEST_F(FenetrePrincipale, PremierClicPuisJourAbsentPuisJourValide)
{
    carte->show();
    dates = {{25, 11, 2000}, {12, 11, 2000}};
    QTest::mouseClick(carte, Qt::LeftButton, {}, QPoint(300, 300));
    ASSERT_EQ(titres.size(), 2);
    EXPECT_EQ(titres[0], "Sélectionner une date");
    EXPECT_EQ(titre(), "Orvalis 2000-2001. Positions des concurrents le Dimanche 12 NOVEMBRE  2000 <> 3 ème jour de course");
    EXPECT_EQ(carte->mode_outil(), OUTIL_AUCUN);
    EXPECT_EQ(statut(carte), message_option());
    EXPECT_FALSE(carte->fond_initial);
    EXPECT_EQ(etat.jour.nom_fichier_jour, "121100.txt");
    EXPECT_GT(etat.jour.nb_classes, 20);
}

TEST_F(FenetrePrincipale, LegendeDuCalendrierApresUnJourAbsent)
{
    TFCalend cal(cadre.get());
    carte->calendrier = &cal;
    carte->montre_calendrier = [&](EtatDate& choix) {
        titres << cal.windowTitle();
        const bool absent = titres.size() == 1;
        montre_mois(choix, 11, 2000);
        valide_date(choix, absent ? 25 : 10, 11, 2000);
        return true;
    };
    carte->ValiderEntrees();
    ASSERT_EQ(titres.size(), 2);
    EXPECT_EQ(titres[1], "Non disponible : autre date ?");
    EXPECT_EQ(cal.windowTitle(), "Sélectionner une date");
    EXPECT_EQ(titre(), "Orvalis 2000-2001. Positions des concurrents le Vendredi 10 NOVEMBRE  2000");
    choisit(11, 11, 2000);  // the script above still answers: 10 November
    EXPECT_FALSE(titre().contains("ème jour"));
}

TEST_F(FenetrePrincipale, AnnulerLeCalendrier)
{
    // Before any day: back to the welcome picture.
    carte->image_fond = QImage(100, 80, QImage::Format_RGB32);
    carte->image_fond.fill(qRgb(200, 0, 200));
    carte->ValiderEntrees();
    EXPECT_EQ(carte->mode_outil(), OUTIL_ACCUEIL);
    EXPECT_EQ(px(carte->canevas.image(), 10, 10), 0xC800C8u);
    EXPECT_EQ(statut(carte), "Cliquer sur l'image");
    EXPECT_FALSE(action(carte, "Classement1")->isEnabled());
    // After a day: a missing day then a cancel keep the day shown.
    dates = {{12, 11, 2000}};
    carte->ValiderEntrees();
    const QString skipper = etat.jour.donnees_conc[1].skipper;
    ASSERT_FALSE(skipper.isEmpty());
    dates = {{25, 11, 2000}, {1, 1, 2000, false}};
    carte->SelDateClick();
    EXPECT_EQ(etat.jour.donnees_conc[1].skipper, skipper);
    EXPECT_EQ(etat.jour.nom_fichier_jour, "121100.txt");
    EXPECT_EQ(carte->mode_outil(), OUTIL_AUCUN);
}

TEST_F(FenetrePrincipale, CommandesEtVersionDuTableur)
{
    const char* commandes[] = {"Zoomer1", "Dplacer1", "Afficher1", "Classement1", "Distances1",
                               "Actualiser1", "Trajets1", "Route1", "SelDate"};
    for (const char* c : commandes)
        EXPECT_FALSE(action(carte, c)->isEnabled()) << c;
    EXPECT_TRUE(carte->bouton_grise("ToolBZoom"));
    EXPECT_TRUE(bouton(carte, "ToolBZoom")->isEnabled());  // greyed, still clickable
    EXPECT_TRUE(action(carte, "Quitter1")->isEnabled());
    carte->Validmenu();
    for (const char* c : commandes)
        EXPECT_TRUE(action(carte, c)->isEnabled()) << c;
    EXPECT_FALSE(carte->bouton_grise("ToolBActu"));

    carte->Inhibmenu();
    carte->code_excel = 0;
    carte->Validmenu();
    EXPECT_FALSE(action(carte, "Actualiser1")->isEnabled());
    EXPECT_TRUE(carte->bouton_grise("ToolBActu"));
    EXPECT_TRUE(action(carte, "Trajets1")->isEnabled());
    EXPECT_FALSE(carte->bouton_grise("ToolBTraj"));
}

TEST(Reglages, Variantes)
{
    auto r = [](const char* texte) { return reglages_depuis(lit_ini(QByteArray(texte))); };
    const Reglages defaut = r("");
    EXPECT_EQ(defaut.code_excel, 1);
    EXPECT_EQ(defaut.fond, clBlack);
    EXPECT_EQ(defaut.coul_points, 0x0078F0u);
    EXPECT_EQ(defaut.nb_cadrage, 18);
    const Reglages b = r("[affichage_cartes]\r\nfond=bleu\r\ncontours=gris\r\n");
    EXPECT_EQ(b.fond, clNavy);
    EXPECT_EQ(b.coul_points, clGray);
    EXPECT_FALSE(fond_clair(b.fond));
    EXPECT_EQ(r("[affichage_cartes]\nfond=blanc\n").fond, clWhite);
    EXPECT_EQ(r("[affichage_cartes]\nfond=Bleu\n").fond, clBlack);  // case-sensitive
    EXPECT_EQ(r("[affichage_cartes]\ncontours=clLightBrown\n").coul_points, 0x0078F0u);
    EXPECT_EQ(r("[version_Excel]\nExcel=non\n").code_excel, 0);
    EXPECT_EQ(r("[version_Excel]\nExcel=2000\n").code_excel, 2);
    EXPECT_EQ(r("[version_Excel]\nExcel=2003\n").code_excel, 0);
    EXPECT_EQ(r("[cadrer]\ncadrer_sur=1\n").nb_cadrage, 1);
    EXPECT_EQ(r("[cadrer]\ncadrer_sur = 5 \n").nb_cadrage, 5);
    // Section and key names ignore case, as Windows ini files do; values
    // keep theirs.
    EXPECT_EQ(r("[Cadrer]\nCADRER_SUR=5\n").nb_cadrage, 5);
    EXPECT_EQ(r("[AFFICHAGE_CARTES]\nFond=bleu\n").fond, clNavy);
    EXPECT_EQ(r("[affichage_cartes]\nfond=BLEU\n").fond, clBlack);
    EXPECT_EQ(r("[Version_excel]\nexcel=2000\n").code_excel, 2);
    // Code page 1252 and backslashes are read as they are.
    const ContenuIni ini = lit_ini(QByteArray("[chemins]\nrep=C:\\COURSE\\\xe9t\xe9, ici ; oui\n"));
    EXPECT_EQ(ini.at("chemins").at("rep"), QStringLiteral("C:\\COURSE\\été, ici ; oui"));
    EXPECT_EQ(lit_reglages("/nulle/part/posorvls.ini").nb_cadrage, 18);

    const auto sombre = couleurs_conc_pour(clBlack, course_livree().nb());
    EXPECT_EQ(sombre[1], 0x85D07Au);
    EXPECT_EQ(sombre[12], 0xC0403Fu);
    EXPECT_EQ(sombre[24], 0xFFFFFFu);
    const auto clair = couleurs_conc_pour(clWhite, course_livree().nb());
    EXPECT_EQ(clair[1], 0x055AB0u);
    EXPECT_EQ(clair[12], 0x404040u);
    EXPECT_EQ(clair[24], 0x808080u);
}

TEST_F(FenetrePrincipale, ReglagesDuRepertoireCourant)
{
    QFile f(courant.filePath("posorvls.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("[affichage_cartes]\r\nfond=bleu\r\ncontours=gris\r\n[cadrer]\r\ncadrer_sur=1\r\n");
    f.close();
    carte->FormCreate();
    EXPECT_EQ(carte->couleur_fond, clNavy);
    EXPECT_EQ(carte->coul_points, clGray);
    EXPECT_EQ(carte->couleurs_conc[1], 0x85D07Au);
    choisit(12, 11, 2000);
    // Framed on the leader alone: the single point is widened at the paint.
    const TPos_elem& chef = etat.jour.donnees_conc[1].elem;
    EXPECT_EQ(etat.vue.lat_nord + etat.vue.lat_sud, 2 * chef.latitude);
    EXPECT_EQ(etat.vue.long_est + etat.vue.long_ouest, 2 * chef.longitude);
    EXPECT_LT(etat.vue.larg_deg(), 2);
    const QImage img = carte->rend(804, 566);
    EXPECT_GT(compte(img, clNavy), 300000);
}

TEST(Vitesses, BandesDeCouleur)
{
    struct { ext s; TColor sombre, clair; } t[] = {
        {0, 0x00FF00, 0x008000},    {5.99L, 0x00FF00, 0x008000}, {6, 0x00FFFF, 0x00DCDC},
        {8, 0x0000FF, 0x0000FF},    {10, 0xFFFFFF, 0xC0C0C0},    {14.99L, 0xFFFFFF, 0xC0C0C0},
        {15, 0xFCB4D8, 0xFCB4D8},   {18, 0xFCB4D8, 0xFCB4D8},
    };
    for (auto c : t) {
        EXPECT_EQ(couleur_vitesse(c.s, false), c.sombre) << double(c.s);
        EXPECT_EQ(couleur_vitesse(c.s, true), c.clair) << double(c.s);
    }
}

TEST_F(FenetrePrincipale, ImageDeLaCourse)
{
    Viewport& v = vue_vide();
    // Ranked at 0° 0° heading east at 12 knots; unranked at 0° 0° not drawn;
    // unranked elsewhere heading north at 7 knots.
    TDonnees_conc& a = etat.jour.donnees_conc[1];
    a.elem = cree_pos_elem("Arvelin", 0, 0);
    a.vitesse = 12;
    a.cap = 90;
    TDonnees_conc& b = etat.jour.donnees_conc[2];
    b.elem = cree_pos_elem("Cache", 0, 0);
    b.non_classe = true;
    b.vitesse = 16;
    b.cap = 270;
    TDonnees_conc& c = etat.jour.donnees_conc[3];
    c.elem = cree_pos_elem("Nord", 5, 5);
    c.non_classe = true;
    c.vitesse = 7;
    c.cap = 0;
    const QImage img = carte->rend(804, 566);
    const int x = v.pos_grX(0), y = v.pos_grY(0);
    // 12 knots: a white line of 48 pixels to the east, none to the west.
    EXPECT_EQ(px(img, x + 20, y), clWhite);
    EXPECT_EQ(px(img, x + 47, y), clWhite);
    EXPECT_NE(px(img, x + 49, y), clWhite);
    EXPECT_EQ(compte(img, 0xFCB4D8), 0);  // the hidden unranked boat
    const int xn = v.pos_grX(ddmm_vers_rad(5)), yn = v.pos_grY(ddmm_vers_rad(5));
    EXPECT_EQ(px(img, xn, yn - 20), 0x00FFFFu);  // 7 knots, yellow, upwards
    EXPECT_EQ(px(img, xn, yn + 5), clBlack);
    // Its name in white beside it.
    int blanc = 0;
    for (int yy = yn - 5; yy < yn + 8; ++yy)
        for (int xx = xn + 3; xx < xn + 30; ++xx)
            blanc += px(img, xx, yy) == clWhite;
    EXPECT_GT(blanc, 10);
}

TEST_F(FenetrePrincipale, MarquesEtLieux)
{
    Viewport& v = vue_vide();
    TLieu droite, centre, mp;
    lieu_de_valeurs(droite, "Droite", true, 5, 5);
    lieu_de_valeurs(centre, "Centre", false, -5, -5);
    lieu_de_valeurs(mp, "Cap Rouge", true, 0, 10);
    etat.lieux.liste_lieux = {droite, centre};
    etat.lieux.liste_mp = {mp};
    const QImage img = carte->rend(804, 566);
    EXPECT_EQ(px(img, v.pos_grX(ddmm_vers_rad(5)), v.pos_grY(ddmm_vers_rad(5))), clYellow);
    EXPECT_NE(px(img, v.pos_grX(ddmm_vers_rad(-5)), v.pos_grY(ddmm_vers_rad(-5))), clYellow);
    EXPECT_EQ(px(img, v.pos_grX(ddmm_vers_rad(10)), v.pos_grY(0)), clYellow);
    EXPECT_GT(compte(img, clRed), 20);   // the course mark's label
    EXPECT_GT(compte(img, clGray), 40);  // the places' labels
    // Hit test on the mark.
    EXPECT_TRUE(carte->Select_mp(v.pos_grX(ddmm_vers_rad(10)) + 3, v.pos_grY(0) - 3));
    EXPECT_EQ(carte->mp_courante->elem.nom, "Cap Rouge");
    EXPECT_FALSE(carte->Select_mp(v.pos_grX(ddmm_vers_rad(10)) + 10, v.pos_grY(0)));
}

TEST_F(FenetrePrincipale, ToleranceEtPremierTrouve)
{
    Viewport& v = vue_vide();
    etat.jour.donnees_conc[3].elem = cree_pos_elem("C", 0, 0);
    etat.jour.donnees_conc[2].elem = cree_pos_elem("B", 0, 0.02L);
    for (int k : {1, 4, 5, 6})
        etat.jour.donnees_conc[size_t(k)].elem = cree_pos_elem("Loin", 50, 50);
    carte->rend(800, 566);  // tolerance 800 / 80 = 10 pixels
    const int x = v.pos_grX(0), y = v.pos_grY(0);
    EXPECT_EQ(carte->Select_Conc(x, y), 2);  // both within: the better rank
    EXPECT_TRUE(carte->conc_touche);
    EXPECT_EQ(carte->Select_Conc(x + 9, y - 9), 3);
    EXPECT_EQ(carte->Select_Conc(x + 10, y), -1);  // strict bounds
    EXPECT_FALSE(carte->Select_Conc(x, y + 20) > 0);
    EXPECT_FALSE(carte->conc_touche);
}

TEST_F(FenetrePrincipale, DetailsEtPhoto)
{
    choisit(12, 11, 2000);
    const TDonnees_conc& chef = etat.jour.donnees_conc[1];
    const QStringList l = carte->lignes_details(1);
    ASSERT_EQ(l.size(), 8);
    EXPECT_EQ(l[0], "1");
    EXPECT_EQ(l[1], "");
    EXPECT_EQ(l[2], chef.bateau);
    EXPECT_EQ(l[3], chef.skipper);
    EXPECT_EQ(l[4], QStringLiteral("Cap = %1°").arg(QString::asprintf("%3.0f", double(chef.cap))));
    EXPECT_TRUE(l[5].startsWith("Distance de l'arrivée = "));
    EXPECT_TRUE(l[5].endsWith(" milles"));
    EXPECT_TRUE(l[6].startsWith("Vitesse = "));
    EXPECT_TRUE(l[6].endsWith(" noeuds"));
    EXPECT_EQ(l[7], chef.date_txt);
    EXPECT_TRUE(carte->lignes_details(2)[5].startsWith("Distance du leader = "));
    TDonnees_conc r;
    r.cap = 5;
    r.distance = 12.4L;
    r.vitesse = 9.26L;
    etat.jour.donnees_conc[4] = r;
    EXPECT_EQ(carte->lignes_details(4)[4], "Cap =   5°");
    EXPECT_EQ(carte->lignes_details(4)[5], "Distance du leader =   12 milles");
    EXPECT_EQ(carte->lignes_details(4)[6], "Vitesse =   9.3 noeuds");

    // The details tool: press shows, Ctrl adds the photograph panel, release hides.
    carte->show();
    carte->rend(804, 566);
    carte->Afficher1Click();
    EXPECT_EQ(carte->mode_outil(), OUTIL_DETAILS);
    const QPoint p(carte->pos_grX(ddmm_vers_rad(chef.elem.longitude)),
                   carte->pos_grY(ddmm_vers_rad(chef.elem.latitude)));
    QTest::mousePress(carte, Qt::LeftButton, Qt::ControlModifier, p);
    EXPECT_TRUE(enfant<QLabel>(carte, "Memo1")->isVisible());
    EXPECT_TRUE(enfant<QFrame>(carte, "PanelPhoto")->isVisible());
    // The shipped picture of the leader's boat.
    EXPECT_TRUE(enfant<QLabel>(carte, "ImagePhoto")->isVisibleTo(enfant<QFrame>(carte, "PanelPhoto")));
    ASSERT_FALSE(enfant<QLabel>(carte, "ImagePhoto")->pixmap().isNull());
    EXPECT_EQ(enfant<QLabel>(carte, "ImagePhoto")->pixmap().width(), 402);
    const int k = course_livree().indice(chef.skipper);
    EXPECT_TRUE(enfant<QLabel>(carte, "MemoPhoto1")->text().contains(QString(" Type : ") + course_livree().concurrents[size_t(k)].carac.greement));
    EXPECT_TRUE(enfant<QLabel>(carte, "MemoPhoto2")->text().contains(QStringLiteral(" Voilure au près : ")));
    QTest::mouseRelease(carte, Qt::LeftButton, Qt::ControlModifier, p);
    EXPECT_FALSE(enfant<QLabel>(carte, "Memo1")->isVisible());
    EXPECT_FALSE(enfant<QFrame>(carte, "PanelPhoto")->isVisible());

    // A skipper missing from the table: no photograph, no characteristics.
    etat.jour.donnees_conc[5].skipper = "Inconnu";
    carte->PhotoConc(5);
    EXPECT_EQ(enfant<QLabel>(carte, "LegendePhoto")->text(), "Photo non disponible");
    EXPECT_TRUE(enfant<QLabel>(carte, "MemoPhoto1")->text().isEmpty());
    EXPECT_TRUE(enfant<QLabel>(carte, "MemoPhoto2")->text().isEmpty());
}

TEST_F(FenetrePrincipale, PanneauDuClassement)
{
    choisit(6, 12, 2000);
    carte->Classement1Click();
    EXPECT_TRUE(enfant<QFrame>(carte, "PanelClass")->isVisibleTo(carte));
    EXPECT_EQ(enfant<QLabel>(carte, "StaticText1")->text(), etat.date.date_en_clair);
    QStringList l = enfant<QPlainTextEdit>(carte, "MemoClass")->toPlainText().split('\n');
    ASSERT_EQ(l.size(), 26);
    EXPECT_TRUE(l[0].startsWith("Pos  Skipper"));
    EXPECT_TRUE(l[2].startsWith("1  "));
    EXPECT_TRUE(l[25].startsWith("NC "));
    carte->Classement1Click();  // twice without OK: the rows twice
    EXPECT_EQ(enfant<QPlainTextEdit>(carte, "MemoClass")->toPlainText().split('\n').size(), 50);
    carte->BitBtn1Click();
    EXPECT_EQ(enfant<QPlainTextEdit>(carte, "MemoClass")->toPlainText().split('\n').size(), 2);
    EXPECT_FALSE(enfant<QFrame>(carte, "PanelClass")->isVisibleTo(carte));
}

TEST_F(FenetrePrincipale, DoubleClicEchapEtAide)
{
    // Esc on the welcome picture enters the race-day selection too.
    carte->show();
    dates = {{12, 11, 2000}};
    QTest::keyClick(carte, Qt::Key_Escape);
    EXPECT_EQ(etat.jour.nom_fichier_jour, "121100.txt");
    EXPECT_TRUE(action(carte, "Zoomer1")->isEnabled());
    carte->Afficher1Click();
    carte->FormDBlClick();
    EXPECT_EQ(carte->mode_outil(), OUTIL_AUCUN);
    EXPECT_EQ(statut(carte), "Sélectionner une option | (Double cliquer pour quitter une option)");
    int aides = 0;
    carte->ouvre_aide = [&] { ++aides; };
    carte->show();
    QTest::keyClick(carte, Qt::Key_F1);
    EXPECT_EQ(aides, 1);
    dates = {{13, 11, 2000}};
    QTest::keyClick(carte, Qt::Key_Escape);
    EXPECT_EQ(etat.jour.nom_fichier_jour, "131100.txt");
    carte->Oinstallerlesarchives1Click();
    ASSERT_FALSE(messages.isEmpty());
    EXPECT_EQ(messages.back(), QStringLiteral("Les archives doivent être enregistrées (téléchargées , décompressées) "
                                              "dans  le répertoire suivant \r\n") + carte->rep_programme());
    // The tool bar stays 2 pixels from the right edge.
    cadre->resize(1000, 700);
    QApplication::processEvents();
    EXPECT_EQ(enfant<QToolBar>(carte, "ToolBar1")->geometry().right(), carte->width() - 3);
}

TEST_F(FenetrePrincipale, EtatDeLaDateApresUnChoixAnnule)
{
    // 12 November loaded, the ranking panel open; then 25 November (no
    // file) and a cancel: caption, panel and day code all say 12 November.
    choisit(12, 11, 2000);
    carte->Classement1Click();
    const QString titre_12 = titre();
    dates = {{25, 11, 2000}, {1, 1, 2000, false}};
    carte->SelDateClick();
    EXPECT_EQ(titre(), titre_12);
    EXPECT_TRUE(titre().endsWith("<> 3 ème jour de course"));
    EXPECT_EQ(etat.date.code_jour, "121100");
    EXPECT_EQ(etat.date.date_en_clair, "Dimanche 12 NOVEMBRE  2000");
    EXPECT_EQ(enfant<QLabel>(carte, "StaticText1")->text(), "Dimanche 12 NOVEMBRE  2000");
    // The open panel follows each new day, its rows replaced.
    choisit(10, 12, 2000);
    EXPECT_EQ(enfant<QLabel>(carte, "StaticText1")->text(), etat.date.date_en_clair);
    EXPECT_TRUE(enfant<QLabel>(carte, "StaticText1")->text().contains("DECEMBRE"));
    const QStringList l = enfant<QPlainTextEdit>(carte, "MemoClass")->toPlainText().split('\n');
    ASSERT_EQ(l.size(), 26);
    EXPECT_EQ(l[2].left(15), ligne_classement(etat.jour.donnees_conc[1], true, 1, '.').left(15));
}

TEST_F(FenetrePrincipale, PremierAppuiDeNimporteQuelBouton)
{
    carte->show();
    // During the splash: kept for after it, no calendar behind the splash.
    carte->attente_intro = true;
    dates = {{12, 11, 2000}};
    QTest::mouseClick(carte, Qt::MiddleButton, {}, QPoint(100, 100));
    EXPECT_TRUE(titres.isEmpty());
    EXPECT_TRUE(carte->entree_differee);
    EXPECT_EQ(carte->mode_outil(), OUTIL_ACCUEIL);
    carte->attente_intro = false;
    carte->entre_dans_la_course();
    EXPECT_EQ(titres.size(), 1);
    EXPECT_EQ(etat.jour.nom_fichier_jour, "121100.txt");
    EXPECT_FALSE(carte->entree_differee);
}

TEST(DialogueCalendrier, JoursEnFrancaisSixSemainesEtLimites)
{
    // French day names whatever the system's language, Monday first as in
    // every French calendar.
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    TFCalend cal;
    QLocale::setDefault(QLocale::c());
    auto* vue = cal.Calendar->findChild<QTableView*>();
    ASSERT_NE(vue, nullptr);
    const QAbstractItemModel* m = vue->model();
    QStringList entete;
    for (int c = 0; c < 7; ++c)
        entete << nom_jour_court(m->data(m->index(0, c)).toString());
    EXPECT_EQ(entete, QStringList({"lun", "mar", "mer", "jeu", "ven", "sam", "dim"}));
    // April 2001 spans six weeks: the sixth row (the 30th) is inside the
    // grid's 120 pixels.
    cal.choisit(QDate(2001, 4, 30));
    cal.show();
    QApplication::processEvents();
    EXPECT_EQ(cal.Calendar->height(), 120);
    EXPECT_LE(vue->rowViewportPosition(6) + vue->rowHeight(6), vue->viewport()->height());
    // The year buttons stop where the date routines stop counting right.
    cal.choisit(QDate(2099, 6, 15));
    QTest::mouseClick(cal.BTanneeS, Qt::LeftButton);
    QTest::mouseClick(cal.BTanneeS, Qt::LeftButton);
    EXPECT_EQ(cal.Calendar->selectedDate(), DATE_MAX);
    cal.choisit(QDate(1900, 5, 1));
    QTest::mouseClick(cal.BTanneeP, Qt::LeftButton);
    EXPECT_EQ(cal.Calendar->selectedDate(), DATE_MIN);
}

TEST(DialogueCalendrier, MoisAnneesEtValidation)
{
    EtatDate date;
    TFCalend cal;
    cal.date = &date;
    cal.choisit(QDate(2001, 1, 31));
    EXPECT_EQ(cal.LBmoisAn->text(), "JANVIER     2001");
    QTest::mouseClick(cal.BTmoisP, Qt::LeftButton);
    EXPECT_EQ(cal.LBmoisAn->text(), "DECEMBRE    2000");
    EXPECT_EQ(cal.Calendar->selectedDate(), QDate(2000, 12, 31));
    QTest::mouseClick(cal.BTmoisS, Qt::LeftButton);
    QTest::mouseClick(cal.BTmoisS, Qt::LeftButton);  // February: the 31st becomes the 28th
    EXPECT_EQ(cal.Calendar->selectedDate(), QDate(2001, 2, 28));
    QTest::mouseClick(cal.BTanneeP, Qt::LeftButton);
    EXPECT_EQ(cal.Calendar->selectedDate(), QDate(2000, 2, 28));
    QTest::mouseClick(cal.BTanneeS, Qt::LeftButton);
    EXPECT_EQ(cal.LBmoisAn->text(), "FEVRIER     2001");
    EXPECT_EQ(cal.Calendar->firstDayOfWeek(), Qt::Monday);

    cal.choisit(QDate(2000, 11, 10));
    cal.BTValidClick();
    EXPECT_EQ(cal.result(), QDialog::Accepted);
    EXPECT_EQ(date.code_jour, "101100");
    EXPECT_EQ(date.date_en_clair, "Vendredi 10 NOVEMBRE  2000");
    // The splash window presets the calendar to the start of the race.
    cal.choisit(QDate(2003, 5, 5));
    TFintro intro(&cal, QStringLiteral("/nulle/part"), course_livree().premier_jour);  // no sound file: silence
    intro.show();
    EXPECT_EQ(cal.Calendar->selectedDate(), QDate(2000, 11, 10));
    intro.attend_fin_chargement();
}

TEST(FenetreSansFichiers, ImageEtListesAbsentes)
{
    // Nothing beside the program: each missing file is reported in French
    // and the creation goes on.
    QTemporaryDir vide;
    QStringList messages;
    QMainWindow cadre;
    EtatProgramme etat;
    etat.course = course_livree();
    auto* carte = new TFPosConc(&cadre, etat, vide.path(), vide.path());
    cadre.setCentralWidget(carte);
    carte->information = [&](const QString& m) { messages << m; };
    carte->avertissement = carte->information;
    carte->FormCreate();
    ASSERT_EQ(messages.size(), 3);
    EXPECT_TRUE(messages[0].contains("Zelto1.bmp"));
    EXPECT_TRUE(messages[1].contains("lstmp.txt"));
    EXPECT_TRUE(messages[2].contains("lstlieux.txt"));
    EXPECT_EQ(carte->mode_outil(), OUTIL_ACCUEIL);
    EXPECT_EQ(carte->nb_cadrage, 18);  // no settings file: the defaults
    EXPECT_EQ(carte->code_excel, 1);
    EXPECT_TRUE(carte->image_fond.isNull());
    carte->FormPaint();  // an empty background, no crash
}
