// The continuous film in the window: playback by a clock stepped by hand,
// the film's keys whatever holds the focus, the tools working while it
// plays, its frame the same as the command line's picture.
#include "aide_fenetre.h"
#include "aide_cartes.h"
#include "camera.h"
#include "fenetre_statistiques.h"
#include "panneau_duel.h"
#include "images_course.h"
#include "courses_recentes.h"
#include "fichier_jour.h"
#include "aide_fichiers.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCompleter>
#include <QDockWidget>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>
#include <QDateTimeAxis>
#include <QWheelEvent>

using namespace orv_test;

namespace {
Instant quand(int j, int m, int a, int h, int mi)
{
    return instant_de(QDateTime(QDate(a, m, j), QTime(h, mi), Qt::UTC));
}
}  // namespace

// Race time from the clock: a slow frame jumps further; the end stops the
// film on its last instant, Space plays it again from the start.
TEST(ControleurFilm, TempsDeLHorloge)
{
    int64_t ms = 1000;
    ControleurFilm c([&] { return ms; });
    const PeriodeFilm p{quand(10, 11, 2000, 20, 0), quand(20, 11, 2000, 20, 0)};
    c.demarre(p);
    EXPECT_TRUE(c.en_lecture());
    ms += 500;  // half a second at 1 day a second
    EXPECT_TRUE(c.avance());
    EXPECT_EQ(c.instant(), p.debut + UN_JOUR / 2);
    ms += 2000;  // a slow frame
    c.avance();
    EXPECT_EQ(c.instant(), p.debut + UN_JOUR / 2 + 2 * UN_JOUR);
    c.vitesse_moins();
    c.vitesse_moins();  // 6 h/s
    ms += 1000;
    c.avance();
    EXPECT_EQ(c.instant(), p.debut + 5 * UN_JOUR / 2 + 6 * UNE_HEURE);
    for (int k = 0; k < 9; ++k)
        c.vitesse_plus();
    EXPECT_EQ(c.vitesse(), 5);
    ms += 100000;
    c.avance();
    EXPECT_EQ(c.instant(), p.fin);
    EXPECT_FALSE(c.en_lecture());
    c.bascule();
    EXPECT_EQ(c.instant(), p.debut);
    EXPECT_TRUE(c.en_lecture());
    c.pause();
    ms += 5000;
    EXPECT_FALSE(c.avance());
    c.decale(-UN_JOUR);
    EXPECT_EQ(c.instant(), p.debut);
}

class FilmFenetre : public FenetrePrincipale {
protected:
    void SetUp() override
    {
        FenetrePrincipale::SetUp();
        carte->film.horloge_essai = [this] { return ms; };
        choisit(12, 11, 2000);
        carte->Validmenu();
        cadre->show();
        QApplication::setActiveWindow(cadre.get());
        QTest::qWait(10);
    }
    int64_t ms = 0;
};

TEST_F(FilmFenetre, CommandesEtTouchesOuQueSoitLeFocus)
{
    const Viewport vue_du_jour = etat.vue;
    const ModeOutil outil = carte->mode_outil();
    QTest::keyClick(carte, Qt::Key_L, Qt::ControlModifier);
    ASSERT_TRUE(carte->film.actif());
    FilmContinu& f = carte->film;
    EXPECT_TRUE(f.barre->isVisible());
    EXPECT_TRUE(f.classement->isVisible());
    // Not a tool: the tool and the commands stay as they were.
    EXPECT_EQ(carte->mode_outil(), outil);
    EXPECT_TRUE(action(carte, "Zoomer1")->isEnabled());
    // It opens at the time of the ranking of the day shown, framed on that
    // day's first boats as the day view frames them.
    const Instant debut = f.controleur.periode().debut;
    const Instant depart = f.chronologie->publication(etat.archive.indice_du_jour(QDate(2000, 11, 12)));
    EXPECT_EQ(date_de(depart).date(), QDate(2000, 11, 12));
    EXPECT_EQ(f.controleur.instant(), depart);
    carte->rend(carte->width(), carte->height());
    for (int k = 0; k < carte->nb_cadrage; ++k) {
        const int i = f.moment.ordre[size_t(k)];
        EXPECT_TRUE(carte->rect().contains(f.placement.marqueur[size_t(i)])) << course_livree().nom_conc(i).toStdString();
    }
    EXPECT_LT(etat.vue.larg_deg(), 30);
    ms += 250;
    f.image_suivante();
    EXPECT_EQ(f.controleur.instant(), depart + UN_JOUR / 4);
    EXPECT_EQ(f.barre->horloge->text(), texte_horloge(course_livree(), depart + UN_JOUR / 4));
    // The slider held: the picture stays where the hand is.
    f.barre->curseur->setSliderDown(true);
    ms += 3000;
    f.image_suivante();
    EXPECT_EQ(f.controleur.instant(), depart + UN_JOUR / 4);
    f.barre->curseur->setSliderDown(false);
    // Dragged, the slider puts the film where the hand is.
    f.barre->curseur->setValue(600);
    EXPECT_EQ(f.controleur.instant(), debut + 600 * 60);
    // The leaderboard is the ranking published last, in its order.
    f.barre->va_a(quand(17, 12, 2000, 19, 59));
    const int jour = f.chronologie->jour_publie(f.controleur.instant());
    EXPECT_EQ(etat.archive.jours[size_t(jour)], QDate(2000, 12, 16));
    EXPECT_EQ(f.classement->titre->text(), "Classement du 16/12/2000 à 20h00 UTC");
    ASSERT_EQ(f.classement->table->rowCount(), int(f.chronologie->classement(jour).size()));
    for (int r = 0; r < f.classement->table->rowCount(); ++r)
        EXPECT_EQ(f.classement->table->item(r, 1)->text(), course_livree().nom_conc(f.chronologie->classement(jour)[size_t(r)].i));

    // Another widget of the window holds the focus: the keys are the film's
    // (a text field's are its own: the search's test).
    auto* champ = new QCheckBox(cadre.get());
    champ->show();
    champ->setFocus();
    QTest::keyClick(champ, Qt::Key_Space);
    EXPECT_FALSE(f.controleur.en_lecture());
    const struct {
        Qt::Key touche;
        Qt::KeyboardModifiers mod;
        Instant ecart;
    } pas[] = {{Qt::Key_Right, {}, UNE_HEURE},
               {Qt::Key_Left, {}, -UNE_HEURE},
               {Qt::Key_Right, Qt::ControlModifier, UN_JOUR},
               {Qt::Key_Right, Qt::ControlModifier, UN_JOUR},
               {Qt::Key_Left, Qt::ControlModifier, -UN_JOUR}};
    for (const auto& p : pas) {
        const Instant avant = f.controleur.instant();
        QTest::keyClick(champ, p.touche, p.mod);
        EXPECT_EQ(f.controleur.instant() - avant, p.ecart) << p.touche;
    }
    QTest::keyClick(champ, Qt::Key_End);
    EXPECT_EQ(f.controleur.instant(), f.controleur.periode().fin);
    QTest::keyClick(champ, Qt::Key_Home);
    EXPECT_EQ(f.controleur.instant(), debut);
    QTest::keyClick(champ, Qt::Key_Up);
    EXPECT_EQ(f.controleur.vitesse(), ControleurFilm::VITESSE_PAR_DEFAUT + 1);
    QTest::keyClick(champ, Qt::Key_Down);
    QTest::keyClick(champ, Qt::Key_Down);
    EXPECT_EQ(f.barre->vitesse->currentText(), "12 h/s");

    // Esc only closes it: the day and its view come back.
    QTest::keyClick(champ, Qt::Key_Escape);
    EXPECT_FALSE(f.actif());
    EXPECT_FALSE(f.barre->isVisible());
    EXPECT_EQ(etat.vue.lat_nord, vue_du_jour.lat_nord);
    EXPECT_EQ(etat.vue.long_ouest, vue_du_jour.long_ouest);
    EXPECT_EQ(etat.jour.nom_fichier_jour, "121100.txt");
    // Closed, the keys are the day view's again: Ctrl+→ loads the next day.
    carte->setFocus();
    QTest::keyClick(carte, Qt::Key_Right, Qt::ControlModifier);
    EXPECT_EQ(etat.jour.nom_fichier_jour, "131100.txt");
}

// The wheel zooms, a double click leaves the tool, and the film plays on.
// The keyboard's table, made from the menus and the film's keys.
TEST_F(FilmFenetre, RaccourcisClavier)
{
    const std::vector<QStringList> l = carte->lignes_raccourcis();
    for (const QStringList& attendu : {QStringList{"Film continu de la course", "Ctrl+L"}, QStringList{"Ouvrir une course", "Ctrl+O"},
                                       QStringList{"Zoomer", "Alt+Z"}, QStringList{"Film : lecture ou pause", QKeySequence(Qt::Key_Space).toString(QKeySequence::NativeText)}})
        EXPECT_NE(std::find(l.begin(), l.end(), attendu), l.end()) << attendu.join(" | ").toStdString();
}

TEST_F(FilmFenetre, LeFilmContinuePendantLesOutils)
{
    action(carte, "Filmcontinu1")->trigger();
    FilmContinu& f = carte->film;
    ms += 1000;
    f.image_suivante();
    const Instant t1 = f.controleur.instant();
    const ext largeur = etat.vue.larg_deg();
    QTest::mouseMove(carte, QPoint(300, 250));
    QWheelEvent molette(QPointF(300, 250), QPointF(300, 250), {}, QPoint(0, 240), Qt::NoButton, {}, Qt::NoScrollPhase,
                        false);
    QApplication::sendEvent(carte, &molette);
    carte->rend(carte->width(), carte->height());
    EXPECT_LT(etat.vue.larg_deg(), largeur);
    action(carte, "Zoomer1")->trigger();
    QTest::mouseDClick(carte, Qt::LeftButton, {}, QPoint(300, 250));
    EXPECT_EQ(carte->mode_outil(), OUTIL_AUCUN);
    ms += 1000;
    f.image_suivante();
    EXPECT_TRUE(f.actif());
    EXPECT_TRUE(f.controleur.en_lecture());
    EXPECT_EQ(f.controleur.instant(), t1 + UN_JOUR);
}

// The window's frame at an instant is the command line's picture of the
// same instant and view, pixel for pixel; the details of a boat are those
// of the moment.
TEST_F(FilmFenetre, ImageDeLaFenetreEtDeLaLigneDeCommande)
{
    action(carte, "Filmcontinu1")->trigger();
    FilmContinu& f = carte->film;
    QTest::keyClick(carte, Qt::Key_Space);
    f.barre->trainee->setCurrentIndex(4);
    f.barre->va_a(quand(25, 12, 2000, 8, 0));
    const QImage fenetre = carte->rend(carte->width(), carte->height()).copy();

    EtatProgramme e;

    e.course = course_livree();
    charge_cartes_livrees(e.cartes);
    QString erreur;
    ASSERT_TRUE(constitue_trajets(course_livree(), e.archive, DONNEES, erreur));
    const Chronologie c(e.archive);
    e.vue = etat.vue;
    OptionsFilm o = options_course_entiere(c, carte->couleur_fond);
    o.trainee = TRAINEE_TOUTE;
    SourceImage s{DONNEES, carte->reglages, {}, carte->devicePixelRatioF()};
    const QImage ligne = image_film(e, s, c, o, f.controleur.instant(), carte->size());
    ASSERT_EQ(ligne.size(), fenetre.size());
    EXPECT_EQ(ligne, fenetre);

    // The modern style: chosen in the window, kept in the settings, the
    // command line's picture; the classic one back as it was.
    action(carte, "StyleModerne")->trigger();
    EXPECT_TRUE(style_moderne_retenu());
    const QImage moderne = carte->rend(carte->width(), carte->height()).copy();
    pose_style(s, true);
    o.fond = s.reglages.fond;
    EXPECT_EQ(image_film(e, s, c, o, f.controleur.instant(), carte->size()), moderne);
    EXPECT_NE(moderne, fenetre);
    action(carte, "StyleClassique")->trigger();
    EXPECT_FALSE(style_moderne_retenu());
    EXPECT_EQ(carte->rend(carte->width(), carte->height()), fenetre);

    // A boat of the moment under the details tool: its estimated position
    // (the 24th has no day file).
    int i = 0;
    for (int k = 1; k <= course_livree().nb() && !i; ++k)
        if (f.placement.visible[size_t(k)])
            i = k;
    ASSERT_GT(i, 0);
    const QPoint p = f.placement.marqueur[size_t(i)];
    EXPECT_EQ(carte->Select_Conc(p.x(), p.y()), i);
    const QStringList l = carte->lignes_details(i);
    EXPECT_EQ(l[3], course_livree().nom_conc(i));
    EXPECT_EQ(l.last(), "position estimée (trou de plus de 30 h)");
}

// The menu bar holds every command in 804 pixels; the "&Trajets" panel's
// fourth progression plays its entrants over its period.
TEST_F(FilmFenetre, MenusEtPanneau)
{
    cadre->resize(804, 640);
    QMenuBar* mb = cadre->menuBar();
    mb->adjustSize();
    for (QAction* a : mb->actions())
        EXPECT_LE(mb->actionGeometry(a).right(), 804) << a->text().toStdString();

    action(carte, "Trajets1")->trigger();
    PanneauTrajets* p = panneau(carte);
    p->ListBoxConc->clearSelection();
    p->ListBoxConc->item(0)->setSelected(true);
    p->ListBoxConc->item(4)->setSelected(true);
    p->choisit_mode(PanneauTrajets::MODE_CONTINU);
    EXPECT_TRUE(p->ChBXDist->isEnabled());
    p->ChbxEnt2dt->setChecked(true);
    p->Traj_date_sel_ent2dt();
    p->ComboBox1->setCurrentIndex(10);
    p->ComboBox2->setCurrentIndex(20);
    carte->BTokTrajClick();
    FilmContinu& f = carte->film;
    ASSERT_TRUE(f.actif()) << messages.join("|").toStdString();
    EXPECT_FALSE(p->isVisible());
    EXPECT_EQ(f.options.concurrents.count(), 2u);
    EXPECT_TRUE(f.options.annotations.distance_entre_deux);
    EXPECT_EQ(date_de(f.controleur.periode().debut).date(), etat.archive.jours[10]);
    EXPECT_EQ(date_de(f.controleur.periode().fin).date(), etat.archive.jours[20]);
    ASSERT_EQ(f.classement->table->rowCount(), 2);
    QStringList rangees{f.classement->table->item(0, 1)->text(), f.classement->table->item(1, 1)->text()};
    rangees.sort();
    EXPECT_EQ(rangees, QStringList({course_livree().nom_conc(1), course_livree().nom_conc(5)}));
    EXPECT_EQ(carte->mode_outil(), OUTIL_AUCUN);
    // Both boats in view from the period's first instant to its last.
    for (const Instant t : {f.controleur.periode().debut, f.controleur.periode().fin}) {
        f.barre->va_a(t);
        for (int i : {1, 5}) {
            ASSERT_TRUE(f.placement.visible[size_t(i)]) << i;
            EXPECT_TRUE(carte->rect().contains(f.placement.marqueur[size_t(i)])) << i << " " << t;
        }
    }
    // The film's bar holds in the window's width too.
    EXPECT_LE(f.barre->minimumSizeHint().width(), 804);
    QTest::keyClick(carte, Qt::Key_Escape);
    EXPECT_TRUE(action(carte, "Classement1")->isEnabled());
}

// Following eases the view to the leader and its nearest rivals, a little
// each frame; F frames the whole fleet; a zoom of the user's ends the
// following; a boat followed that retired is said so; an open list of the
// bar takes Esc; the leaderboard says what its last column holds and shows
// statuses, every row in sight.
TEST_F(FilmFenetre, SuiviCadrageEtClassement)
{
    cadre->resize(1000, 560);
    action(carte, "Filmcontinu1")->trigger();
    FilmContinu& f = carte->film;
    QTest::keyClick(carte, Qt::Key_Space);
    f.barre->va_a(quand(20, 12, 2000, 12, 0));
    auto dans_la_vue = [&](const std::vector<int>& qui) {
        carte->rend(carte->width(), carte->height());
        for (int i : qui)
            if (!carte->rect().contains(f.placement.marqueur[size_t(i)]))
                return false;
        return true;
    };
    auto images = [&](int n) {
        double saut = 0;
        for (int k = 0; k < n; ++k) {
            const Cadrage avant = cadrage_de_la_vue(etat.vue);
            ms += 16;
            f.image_suivante();
            const Cadrage apres = cadrage_de_la_vue(etat.vue);
            saut = std::max({saut, std::fabs(std::remainder(apres.lon - avant.lon, 360.0)) / avant.larg,
                             std::fabs(apres.larg / avant.larg - 1)});
        }
        return saut;
    };

    f.suit(-1);
    const int tete = f.moment.ordre[0];
    EXPECT_LT(images(150), 0.1);  // never a jump: at most a tenth of the view a frame
    std::vector<int> suivis = plus_proches(f.moment, tete, 3);
    suivis.push_back(tete);
    EXPECT_TRUE(dans_la_vue(suivis));
    EXPECT_LT(etat.vue.larg_deg(), 40);

    QTest::keyClick(carte, Qt::Key_F);
    EXPECT_EQ(f.suivi(), 0);
    images(150);
    std::vector<int> flotte;
    for (int i = 1; i <= course_livree().nb(); ++i)
        if (f.moment.positions[size_t(i)].montre)
            flotte.push_back(i);
    EXPECT_TRUE(dans_la_vue(flotte));

    f.suit(-1);
    images(5);
    ASSERT_TRUE(carte->zoom_autour(etat.vue.lat_nord, etat.vue.long_ouest, 0.8L));
    images(2);
    EXPECT_EQ(f.suivi(), 0);
    EXPECT_EQ(statut(carte), "Suivi arrêté : la vue est la vôtre.");

    int parti = 0;
    for (int i = 1; i <= course_livree().nb() && !parti; ++i)
        if (f.chronologie->abandon(i))
            parti = i;
    ASSERT_GT(parti, 0);
    f.barre->va_a(f.chronologie->abandon(parti) + 3 * UN_JOUR);
    f.suit(parti);
    EXPECT_EQ(statut(carte), QStringLiteral("Suivi : %1 a abandonné, il n'est plus sur la carte.").arg(course_livree().nom_conc(parti)));

    f.barre->suivre->showPopup();
    ASSERT_NE(QApplication::activePopupWidget(), nullptr);
    QTest::keyClick(QApplication::activePopupWidget(), Qt::Key_Escape);
    EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
    EXPECT_TRUE(f.actif());

    QTableWidget* t = f.classement->table;
    EXPECT_EQ(t->horizontalHeaderItem(3)->text(), "Écart (milles)");
    EXPECT_TRUE(t->item(0, 3)->text().startsWith("à l'arrivée : ")) << t->item(0, 3)->text().toStdString();
    int statuts = 0;
    for (int r = 0; r < t->rowCount(); ++r)
        if (t->item(r, 3)->text().startsWith("Abandon")) {
            ++statuts;
            EXPECT_TRUE(t->item(r, 0)->text().isEmpty());
        }
    EXPECT_GE(statuts, 1);
    const int dernier = t->rowCount() - 1;
    EXPECT_LE(t->rowViewportPosition(dernier) + t->rowHeight(dernier), t->viewport()->height());
    // At the finish, arrivals keep their rank, and in a wide window the
    // statuses are whole.
    cadre->resize(1600, 900);
    QTest::keyClick(carte, Qt::Key_End);
    int arrivees = 0;
    for (int r = 0; r < t->rowCount(); ++r)
        if (t->item(r, 3)->text().startsWith(QStringLiteral("Arrivé"))) {
            ++arrivees;
            EXPECT_FALSE(t->item(r, 0)->text().isEmpty());
            EXPECT_GE(t->columnWidth(3), t->fontMetrics().horizontalAdvance(t->item(r, 3)->text()));
        }
    EXPECT_GE(arrivees, 1);
}

// Another race from the race menu: a fleet opens in the film with its
// computed ranking, the calendar moves the film, the day commands wait; a
// file that is no race changes nothing; the program's own race comes back
// with its commands, and the fleet is among the last races.
TEST_F(FilmFenetre, AutreCourse)
{
    const QString flotte = QStringLiteral(ORVALIS_DONNEES "/exemples/alizes.gpx");
    carte->choisit_course = [&] { return flotte; };
    action(carte, "OuvrirCourse1")->trigger();
    ASSERT_TRUE(carte->film.actif());
    EXPECT_EQ(etat.course.nb(), 40);
    EXPECT_TRUE(titre().contains("Traversée des Alizés 2024")) << titre().toStdString();
    carte->film.controleur.pause();
    carte->film.va_a(quand(5, 3, 2024, 12, 0));
    EXPECT_TRUE(carte->film.classement->titre->text().startsWith("Classement calculé"));
    EXPECT_EQ(carte->film.classement->table->rowCount(), 40);
    EXPECT_FALSE(action(carte, "Classement1")->isEnabled());
    EXPECT_TRUE(action(carte, "SelDate")->isEnabled());
    dates = {{7, 3, 2024}};
    carte->SelDateClick();
    EXPECT_EQ(carte->film.controleur.instant(), quand(7, 3, 2024, 0, 0));
    // Its statistics: each boat's record, no race trace.
    action(carte, "Statistiques1")->trigger();
    auto* bilan = enfant<QTableWidget>(carte, "BilanTraces");
    ASSERT_TRUE(bilan);
    EXPECT_EQ(bilan->rowCount(), 40);
    // Leaving a tool gives back the commands a race of tracks has.
    carte->FormDBlClick();
    EXPECT_FALSE(action(carte, "Classement1")->isEnabled());
    EXPECT_TRUE(action(carte, "Zoomer1")->isEnabled());

    QTemporaryDir d;
    ecrit(d.filePath("faux.gpx"), "<gpx><trk><trkpt lat=\"1\" lon=\"2\"/></trk></gpx>");
    messages.clear();
    EXPECT_FALSE(carte->ouvre_autre_course(d.filePath("faux.gpx")));
    EXPECT_TRUE(!messages.isEmpty() && messages.last().contains("sans heure")) << messages.join('|').toStdString();
    EXPECT_EQ(etat.course.nb(), 40);

    ASSERT_TRUE(carte->zoom_autour(etat.vue.lat_nord, etat.vue.long_ouest, 0.5L));
    const Viewport vue = etat.vue;
    dates = {{12, 11, 2000}};
    action(carte, "CourseProgramme1")->trigger();
    EXPECT_EQ(etat.course.nb(), course_livree().nb());
    EXPECT_FALSE(carte->film.actif());
    EXPECT_TRUE(action(carte, "Classement1")->isEnabled());
    EXPECT_EQ(courses_recentes().value(0), QFileInfo(flotte).absoluteFilePath());

    // Each race comes back as it was left: the fleet at its instant and
    // view, the program's race on its day and view (kept as doubles).
    const auto bornes = [](const Viewport& v) {
        return std::array{double(v.lat_nord), double(v.lat_sud), double(v.long_ouest), double(v.long_est)};
    };
    ASSERT_TRUE(carte->zoom_autour(etat.vue.lat_nord, etat.vue.long_ouest, 0.5L));
    const Viewport vue_jour = etat.vue;
    // Left while its film plays elsewhere: the day's view is kept, not the
    // camera's; the search's findings of this race go with it.
    action(carte, "Filmcontinu1")->trigger();
    carte->film.va_a(quand(20, 12, 2000, 12, 0));
    carte->film.cadre_flotte();
    for (int k = 0; k < 20; ++k) {
        ms += 100;
        carte->film.image_suivante();
    }
    ASSERT_NE(bornes(etat.vue), bornes(vue_jour));
    carte->recherche.ouvre();
    QTest::keyClicks(enfant<QLineEdit>(carte, "ChampRecherche"), "Hervad");
    ASSERT_FALSE(carte->recherche.trouvailles().empty());
    carte->ouvre_autre_course(flotte);
    EXPECT_FALSE(carte->recherche.ouverte());
    EXPECT_TRUE(carte->recherche.trouvailles().empty());
    EXPECT_EQ(carte->film.controleur.instant(), quand(7, 3, 2024, 0, 0));
    EXPECT_EQ(bornes(etat.vue), bornes(vue));
    dates = {{12, 11, 2000}};
    action(carte, "CourseProgramme1")->trigger();
    EXPECT_EQ(etat.date.jour_choisi, 12);
    EXPECT_EQ(bornes(etat.vue), bornes(vue_jour));
}

// Ctrl+F finds a boat and frames it with its details; the view history goes
// back and forward over it and over a wheel burst (one step); in the film
// the field's keys are its own, Esc closes it, and a boat found is followed.
TEST_F(FilmFenetre, RechercheEtHistoriqueDesVues)
{
    carte->rend(carte->width(), carte->height());
    carte->note_vue();
    const Viewport jour = etat.vue;
    const auto meme = [](const Viewport& a, const Viewport& b) { return a.meme_demande(b); };
    QTest::keyClick(carte, Qt::Key_F, Qt::ControlModifier);
    ASSERT_TRUE(carte->recherche.ouverte());
    QLineEdit* champ = enfant<QLineEdit>(carte, "ChampRecherche");
    QTest::keyClicks(champ, "QUIL");
    ASSERT_FALSE(carte->recherche.trouvailles().empty());
    const int esquilan = course_livree().indice("Esquilan");
    EXPECT_EQ(carte->recherche.trouvailles().front().concurrent, esquilan);
    // Enter in the open list, nothing highlighted: the first suggestion.
    QWidget* liste = champ->completer()->popup();
    ASSERT_TRUE(liste->isVisible());
    QTest::keyClick(liste, Qt::Key_Return);
    EXPECT_FALSE(carte->recherche.ouverte());
    EXPECT_TRUE(enfant<QLabel>(carte, "Memo1")->text().contains("Esquilan"));
    carte->rend(carte->width(), carte->height());
    EXPECT_LT(etat.vue.larg_deg(), 30);
    carte->note_vue();
    const Viewport bateau = etat.vue;
    // Three notches of the wheel, noted once they settle: one step; a drag
    // of the pan tool: another.
    for (int k = 0; k < 3; ++k) {
        carte->zoom_molette(200, 200, 1);
        carte->repaint();
    }
    QTest::qWait(TFPosConc::DELAI_VUE_MS + 200);
    const Viewport molette = etat.vue;
    action(carte, "Dplacer1")->trigger();
    QTest::mousePress(carte, Qt::LeftButton, {}, QPoint(300, 300));
    for (int k = 1; k <= 5; ++k) {
        QTest::mouseMove(carte, QPoint(300 + 10 * k, 300 + 6 * k));
        carte->repaint();
    }
    QTest::mouseRelease(carte, Qt::LeftButton, {}, QPoint(350, 330));
    carte->repaint();
    QTest::qWait(TFPosConc::DELAI_VUE_MS + 200);
    const Viewport pan = etat.vue;
    ASSERT_FALSE(meme(pan, molette));
    const size_t pas = carte->historique.taille();
    for (const Viewport* v : {&molette, &bateau, &jour}) {
        QTest::keyClick(carte, Qt::Key_Left, Qt::AltModifier);
        EXPECT_TRUE(meme(etat.vue, *v));
    }
    QTest::keyClick(carte, Qt::Key_Right, Qt::AltModifier);
    EXPECT_TRUE(meme(etat.vue, bateau));
    // The mouse's forward button.
    QTest::mouseClick(carte, Qt::ForwardButton);
    EXPECT_TRUE(meme(etat.vue, molette));
    EXPECT_EQ(carte->historique.taille(), pas);
    carte->FormDBlClick();

    // In the film, Space and the arrows type in the field; Esc closes it.
    QTest::keyClick(carte, Qt::Key_L, Qt::ControlModifier);
    FilmContinu& f = carte->film;
    ASSERT_TRUE(f.actif());
    const Instant t = f.controleur.instant();
    const bool lecture = f.controleur.en_lecture();
    QTest::keyClick(carte, Qt::Key_F, Qt::ControlModifier);
    champ->clear();
    for (const Qt::Key k : {Qt::Key_E, Qt::Key_Space, Qt::Key_Left, Qt::Key_Right, Qt::Key_Home, Qt::Key_End})
        QTest::keyClick(champ, k);
    EXPECT_EQ(champ->text(), "e ");
    EXPECT_EQ(f.controleur.instant(), t);
    EXPECT_EQ(f.controleur.en_lecture(), lecture);
    QTest::keyClick(champ, Qt::Key_Escape);
    QTest::keyClick(champ, Qt::Key_Escape);
    EXPECT_FALSE(carte->recherche.ouverte());
    EXPECT_TRUE(f.actif());
    QTest::keyClick(carte, Qt::Key_F, Qt::ControlModifier);
    champ->setText("esquilan");
    EXPECT_TRUE(carte->recherche.valide(champ->text()));
    EXPECT_EQ(f.suivi(), esquilan);
    // A day found moves the film there; the film stays.
    QTest::keyClick(carte, Qt::Key_F, Qt::ControlModifier);
    EXPECT_TRUE(carte->recherche.valide("20/12"));
    EXPECT_TRUE(f.actif());
    EXPECT_EQ(f.controleur.instant(), quand(20, 12, 2000, 0, 0));
}

// Two boats compared: the panel's separation is the great circle between
// the film's positions, its chart spans the film's period with a cursor at
// the instant, a press on it moves the film, the great circle is drawn on
// the frame; a Ctrl+click on a second leaderboard row compares it with the
// boat followed.
TEST_F(FilmFenetre, DeuxConcurrentsCompares)
{
    const Course& c = course_livree();
    const int a = c.indice("Esquilan"), b = c.indice("Le Bravic");
    carte->choisit_duel = [&] { return std::pair{a, b}; };
    action(carte, "Comparer1")->trigger();
    FilmContinu& f = carte->film;
    ASSERT_TRUE(f.actif() && f.duel_actif());
    f.barre->va_a(quand(20, 12, 2000, 12, 7));
    const PositionFilm &pa = f.moment.positions[size_t(a)], &pb = f.moment.positions[size_t(b)];
    ASSERT_TRUE(pa.montre && pb.montre);
    const auto rad = [](double d) { return d * M_PI / 180; };
    const double angle = std::acos(std::sin(rad(pa.lat)) * std::sin(rad(pb.lat)) +
                                   std::cos(rad(pa.lat)) * std::cos(rad(pb.lat)) * std::cos(rad(pb.lon - pa.lon)));
    const QString ecart = QLocale(QLocale::French).toString(angle * 180 / M_PI * 60, 'f', 1);
    const QStringList l = f.duel->figures(f.controleur.instant());
    ASSERT_GE(l.size(), 5);
    EXPECT_TRUE(l[1].startsWith(QStringLiteral("Écart : %1 milles").arg(ecart))) << l[1].toStdString();
    EXPECT_TRUE(l[4].startsWith("Esquilan a gagné") || l[4].startsWith("Esquilan a perdu")) << l.join('\n').toStdString();
    EXPECT_EQ(f.duel->pas().front().t, f.controleur.periode().debut);
    EXPECT_GE(f.duel->pas().back().t + 3600 * 24, f.controleur.periode().fin);
    // A notch of the wheel zooms the chart within the period.
    const QPointF centre = f.duel->vue->viewport()->rect().center();
    QWheelEvent molette(centre, f.duel->vue->viewport()->mapToGlobal(centre), QPoint(), QPoint(0, 120), Qt::NoButton,
                        Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(f.duel->vue->viewport(), &molette);
    auto* axe = qobject_cast<QDateTimeAxis*>(f.duel->vue->chart()->axes(Qt::Horizontal).value(0));
    EXPECT_GE(axe->min(), date_de(f.controleur.periode().debut));
    EXPECT_LT(axe->min().msecsTo(axe->max()) / 1000, f.controleur.periode().fin - f.controleur.periode().debut);
    f.duel->vue->clic(QDateTime(QDate(2001, 1, 5), QTime(6, 0), Qt::UTC));
    EXPECT_EQ(f.controleur.instant(), quand(5, 1, 2001, 6, 0));
    Scene s;
    f.ajoute_couches(s);
    EXPECT_TRUE(std::any_of(s.couches().begin(), s.couches().end(),
                            [](const auto& k) { return dynamic_cast<const CoucheMesure*>(k.get()); }));
    enfant<QToolButton>(carte, "FermerDuel")->click();
    EXPECT_FALSE(f.duel_actif());
    EXPECT_TRUE(f.actif());
    // The leaderboard: a click follows, a Ctrl+click on another row compares.
    QTableWidget* t = f.classement->table;
    ASSERT_GE(t->rowCount(), 3);
    const auto ligne = [&](int r) { return t->visualItemRect(t->item(r, 1)).center(); };
    QTest::mouseClick(t->viewport(), Qt::LeftButton, {}, ligne(0));
    const int premier = f.suivi();
    QTest::mouseClick(t->viewport(), Qt::LeftButton, Qt::ControlModifier, ligne(2));
    ASSERT_TRUE(f.duel_actif());
    EXPECT_EQ(f.duel->premier(), premier);
    EXPECT_NE(f.duel->second(), premier);
    // The film started again: the comparison of the time model replaced goes.
    action(carte, "Filmcontinu1")->trigger();
    EXPECT_FALSE(f.duel_actif());
    carte->rend(carte->width(), carte->height());
}
