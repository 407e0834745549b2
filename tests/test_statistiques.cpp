// The statistics of the race on a small archive made here: three entrants
// along the equator (one racing on, one retiring, one arriving), four days
// with one missing; every figure worked out by hand.
#include "aide_fenetre.h"
#include "aide_cartes.h"
#include "fenetre_statistiques.h"
#include "ecriture.h"
#include "palette.h"
#include "statistiques.h"
#include "texte.h"
#include "exports.h"
#include "fichier_jour.h"

#include <QAction>
#include <QChart>
#include <QChartView>
#include <QLineSeries>
#include <QMenuBar>
#include <QStandardItemModel>
#include <QDateTimeAxis>
#include <QWheelEvent>
#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <set>

using namespace orv;

namespace {

QStringList bloc(const QString& rang, const QString& nom, const QString& lon, const QString& statut, const QString& distance,
                 const QString& lat = QStringLiteral("0.00"))
{
    return {rang, QStringLiteral("Bateau %1 (%1)").arg(nom), statut, lat, lon, distance, "270", "10", "2D-3D"};
}

// Arvelin: 0°, 1° W, (no 12th), 3° W, 4° W at 20h00 each day.
// Baudrinec: 10° W, 12° W, then retired (the harbour's placeholder).
// Bocquarel: 20° W, 21°30' W, arrived at 23° W on the 13th at 08h00.
void petite_course(const QString& rep)
{
    auto jour = [&](const char* code, const QStringList& l) {
        ASSERT_TRUE(ecrit_lignes(rep + "/" + code + ".txt", QStringList{"Classement", ""} + l));
    };
    jour("101100", bloc("1", "Arvelin", "0.00", "le 10/11/2000 à 20h00", "3000") +
                       bloc("2", "Baudrinec", "10.00", "le 10/11/2000 à 20h00", "600") +
                       bloc("3", "Bocquarel", "20.00", "le 10/11/2000 à 20h00", "1200"));
    jour("111100", bloc("1", "Arvelin", "1.00", "le 11/11/2000 à 20h00", "2940") +
                       bloc("2", "Baudrinec", "12.00", "le 11/11/2000 à 20h00", "660") +
                       bloc("3", "Bocquarel", "21.30", "le 11/11/2000 à 20h00", "1230"));
    jour("131100", bloc("1", "Bocquarel", "23.00", "Arrivé le 13/11/2000 à 08h00", "0") +
                       bloc("2", "Arvelin", "3.00", "le 13/11/2000 à 20h00", "2820") +
                       bloc("3", "Baudrinec", "1.47", "Abandon - démâtage", "0", "46.28"));
    jour("141100", bloc("1", "Bocquarel", "23.00", "Arrivé le 13/11/2000 à 08h00", "0") +
                       bloc("2", "Arvelin", "4.00", "le 14/11/2000 à 20h00", "2760") +
                       bloc("3", "Baudrinec", "1.47", "Abandon - démâtage", "0", "46.28"));
}

}  // namespace

// An entrant stopped for repairs is "NC" for a while: its gap to the
// leader is still drawn, it has no rank those days, and "NC" when the
// archive ends that way.
TEST(Statistiques, JoursNonClasses)
{
    QTemporaryDir d;
    auto jour = [&](const char* code, const QStringList& l) {
        ASSERT_TRUE(ecrit_lignes(d.filePath(QString::fromLatin1(code) + ".txt"), QStringList{"Classement", ""} + l));
    };
    jour("101100", bloc("1", "Arvelin", "0.00", "le 10/11/2000 à 20h00", "3000") +
                       bloc("2", "Baudrinec", "10.00", "le 10/11/2000 à 20h00", "600"));
    jour("111100", bloc("1", "Arvelin", "1.00", "le 11/11/2000 à 20h00", "2940") +
                       bloc("NC", "Baudrinec", "10.00", "le 11/11/2000 à 20h00", "700"));
    jour("121100", bloc("1", "Arvelin", "2.00", "le 12/11/2000 à 20h00", "2880") +
                       bloc("2", "Baudrinec", "11.00", "le 12/11/2000 à 20h00", "720"));
    jour("131100", bloc("1", "Arvelin", "3.00", "le 13/11/2000 à 20h00", "2820") +
                       bloc("NC", "Baudrinec", "11.00", "le 13/11/2000 à 20h00", "800"));
    ArchiveJours a;
    QString err;
    ASSERT_TRUE(constitue_trajets(course_livree(), a, d.path(), err));
    const StatistiquesCourse s = calcule_statistiques(a);
    const BilanConcurrent& b = s.bilans[2];
    ASSERT_EQ(b.points.size(), 4u);
    EXPECT_EQ(b.points[1].rang, 0);
    EXPECT_EQ(b.points[1].ecart, 700);
    EXPECT_EQ(b.points[2].rang, 2);
    EXPECT_TRUE(texte_point(b, b.points[1]).endsWith(QStringLiteral("— 700 milles, NC")));
    EXPECT_EQ(b.rang_final, 0);
    EXPECT_EQ(s.bilans[1].rang_final, 1);
    EXPECT_EQ(b.jours_de_course, 3);
    const QStringList t = table_bilan(s, u',');
    EXPECT_TRUE(t[1].contains("Arvelin"));
    EXPECT_TRUE(t[2].trimmed().startsWith("NC")) << t[2].toStdString();
}

TEST(Statistiques, BilansCalculesALaMain)
{
    QTemporaryDir d;
    petite_course(d.path());
    ArchiveJours a;
    QString err;
    ASSERT_TRUE(constitue_trajets(course_livree(), a, d.path(), err));
    const StatistiquesCourse s = calcule_statistiques(a);
    EXPECT_EQ(s.premier_jour, QDate(2000, 11, 10));
    EXPECT_EQ(s.dernier_jour, QDate(2000, 11, 14));

    // Arvelin: 60 + 120 + 60 miles; the 120 spans the missing 12th, so the
    // best day is 60, first reached on the 11th; 96 hours; four days.
    const BilanConcurrent& a1 = s.bilans[1];
    EXPECT_NEAR(a1.distance, 240, 1e-6);
    EXPECT_NEAR(a1.meilleur_jour, 60, 1e-6);
    EXPECT_EQ(a1.date_meilleur_jour, QDate(2000, 11, 11));
    EXPECT_NEAR(a1.vitesse_moyenne, 2.5, 1e-9);
    EXPECT_EQ(a1.jours_de_course, 4);
    EXPECT_EQ(a1.rang_final, 2);
    EXPECT_EQ(a1.statut, "En course");
    // Baudrinec: 120 miles in 24 hours, then retired (its placeholder is
    // no position and no leg).
    const BilanConcurrent& a2 = s.bilans[2];
    EXPECT_NEAR(a2.distance, 120, 1e-6);
    EXPECT_NEAR(a2.vitesse_moyenne, 5.0, 1e-9);
    EXPECT_EQ(a2.jours_de_course, 1);
    EXPECT_EQ(a2.statut, QStringLiteral("Abandon - démâtage"));
    // Bocquarel: 90 + 90 miles, arrived on the 13th at 08h00 (60 hours);
    // the arrival repeated on the 14th counts once.
    const BilanConcurrent& a3 = s.bilans[3];
    EXPECT_NEAR(a3.distance, 180, 1e-6);
    EXPECT_NEAR(a3.meilleur_jour, 90, 1e-6);
    EXPECT_NEAR(a3.vitesse_moyenne, 3.0, 1e-9);
    EXPECT_EQ(a3.jours_de_course, 3);
    EXPECT_EQ(a3.rang_final, 1);
    EXPECT_EQ(a3.statut, QStringLiteral("Arrivé le 13/11/2000 à 08h00"));

    // The race trace: one point per day raced; 0 for the leader.
    ASSERT_EQ(a1.points.size(), 4u);
    EXPECT_EQ(a1.points[0].ecart, 0);      // leader on the 10th
    EXPECT_EQ(a1.points[2].ecart, 2820);   // second on the 13th
    EXPECT_EQ(a1.points[2].rang, 2);
    EXPECT_EQ(a2.points.size(), 2u);       // ends where it retired
    EXPECT_EQ(a2.points[1].ecart, 660);
    ASSERT_EQ(a3.points.size(), 3u);       // ends where it finished
    EXPECT_EQ(a3.points[2].date, QDate(2000, 11, 13));
    EXPECT_EQ(texte_point(a3, a3.points[1]),
              QStringLiteral("Bocquarel (Bateau Bocquarel) — Samedi 11 NOVEMBRE 2000 — 1230 milles, 3e"));
    EXPECT_TRUE(texte_point(a3, a3.points[2]).endsWith(QStringLiteral("— 0 milles, 1er")));

    // The text table: a header, the entrants by final rank.
    const QStringList t = table_bilan(s, u',');
    ASSERT_EQ(t.size(), 25);
    EXPECT_TRUE(t[1].contains("Bocquarel"));
    EXPECT_TRUE(t[2].contains("Arvelin"));
    EXPECT_TRUE(t[2].contains("2,50"));

    // The CSV read back: BOM, ";", decimal comma, the same rows.
    QTemporaryDir o;
    ASSERT_TRUE(ecrit_csv_bilan(s, o.filePath("bilan.csv"), err));
    QByteArray b;
    ASSERT_TRUE(lit_fichier(o.filePath("bilan.csv"), b));
    ASSERT_TRUE(b.startsWith("\xEF\xBB\xBF"));
    const QStringList lignes = QString::fromUtf8(b.mid(3)).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(lignes.size(), 25);
    EXPECT_EQ(lignes[0].split(';').size(), 9);
    const QStringList arvelin = lignes[2].split(';');
    EXPECT_EQ(arvelin, QStringList({"2", "Arvelin", "Bateau Arvelin", "240", "2,50", "60", "11/11/2000", "4", "En course"}));
    // A field with the separator or quotes is quoted, its quotes doubled.
    StatistiquesCourse t2 = s;
    t2.bilans[1].bateau = QStringLiteral("Le \"Grand\"; Large");
    EXPECT_TRUE(QString::fromUtf8(csv_bilan(t2)).contains(QStringLiteral(";\"Le \"\"Grand\"\"; Large\";")));
}

TEST_F(FenetrePrincipale, FenetreDesStatistiques)
{
    QTemporaryDir d;
    petite_course(d.path());
    for (const char* f : {"lstmp.txt", "lstlieux.txt"})
        QFile::copy(DONNEES + "/" + f, d.filePath(f));
    carte->emplacements = d.path();
    choisit(10, 11, 2000);
    carte->Validmenu();
    // Placed after the ranking, enabled and disabled with it.
    QList<QAction*> menu = cadre->menuBar()->actions();
    const int k = int(menu.indexOf(action(carte, "Classement1")));
    ASSERT_GE(k, 0);
    EXPECT_EQ(menu.value(k + 1), action(carte, "Statistiques1"));
    EXPECT_EQ(action(carte, "Statistiques1")->text(), "Statistiq&ues");
    carte->Inhibmenu();
    EXPECT_FALSE(action(carte, "Statistiques1")->isEnabled());
    carte->Validmenu();
    EXPECT_TRUE(action(carte, "Statistiques1")->isEnabled());

    action(carte, "Statistiques1")->trigger();
    auto* f = enfant<FenetreStatistiques>(carte, "FenetreStatistiques");
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(f->windowTitle(), "Statistiques de la course");
    EXPECT_FALSE(f->isModal());
    // Both charts: 24 lines, the points of each entrant's days (and on the
    // trace, the first arrival's mark after them).
    const QList<QAbstractSeries*> series = f->vue_ecarts->chart()->series();
    ASSERT_EQ(series.size(), 25);
    EXPECT_EQ(series[24]->objectName(), "arrivee");
    auto* l1 = qobject_cast<QLineSeries*>(series[0]);
    ASSERT_EQ(l1->count(), 4);
    EXPECT_EQ(l1->at(2).y(), 2820);
    EXPECT_EQ(qobject_cast<QLineSeries*>(series[1])->count(), 2);
    EXPECT_EQ(qobject_cast<QLineSeries*>(f->vue_rangs->chart()->series()[2])->at(2).y(), 1);
    EXPECT_EQ(f->bulle(3, l1->at(1)).left(29), QStringLiteral("Bocquarel (Bateau Bocquarel) "));

    // The wheel zooms the time axis: two days at the least, the whole race
    // at the most however far it is turned.
    QApplication::processEvents();
    auto* axe = qobject_cast<QDateTimeAxis*>(f->vue_ecarts->chart()->axes(Qt::Horizontal).value(0));
    ASSERT_NE(axe, nullptr);
    const QDateTime debut = axe->min(), fin = axe->max();
    auto molette = [&](int crans) {
        const QPointF centre = f->vue_ecarts->viewport()->rect().center();
        for (int n = 0; n < std::abs(crans); ++n) {
            QWheelEvent e(centre, f->vue_ecarts->viewport()->mapToGlobal(centre), QPoint(), QPoint(0, crans > 0 ? 120 : -120),
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(f->vue_ecarts->viewport(), &e);
        }
    };
    molette(1);
    EXPECT_LT(axe->min().msecsTo(axe->max()), debut.msecsTo(fin));
    molette(40);
    EXPECT_GE(axe->min().msecsTo(axe->max()), 2 * 86400000LL);
    molette(-200);
    EXPECT_EQ(axe->min(), debut);
    EXPECT_EQ(axe->max(), fin);
    // Around the race's first and last days: the axis stays within them.
    for (qreal bord : {f->vue_ecarts->chart()->plotArea().left(), f->vue_ecarts->chart()->plotArea().right()}) {
        const QPointF p(bord, f->vue_ecarts->chart()->plotArea().center().y());
        for (int n = 0; n < 5; ++n) {
            QWheelEvent e(p, f->vue_ecarts->viewport()->mapToGlobal(p), QPoint(), QPoint(0, 120), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
            QApplication::sendEvent(f->vue_ecarts->viewport(), &e);
        }
        EXPECT_GE(axe->min(), debut);
        EXPECT_LE(axe->max(), fin);
        EXPECT_LT(axe->min().msecsTo(axe->max()), debut.msecsTo(fin));
        molette(-200);
    }
    // Each line in its entrant's colour and style, as in the film: twelve
    // hues, solid then dashed.
    std::set<QRgb> teintes;
    for (int i = 1; i <= course_livree().nb(); ++i) {
        const QPen p = qobject_cast<QLineSeries*>(series[i - 1])->pen();
        EXPECT_EQ(p.color(), qcouleur_entrant(i)) << i;
        EXPECT_EQ(p.style(), i <= 12 ? Qt::SolidLine : Qt::DashLine) << i;
        teintes.insert(p.color().rgb());
    }
    EXPECT_EQ(teintes.size(), 12u);

    // A click on a point loads that day in the main window.
    l1->clicked(l1->at(3));
    EXPECT_EQ(etat.jour.nom_fichier_jour, "141100.txt");
    EXPECT_EQ(etat.date.code_jour, "141100");
    EXPECT_TRUE(titre().contains("14 NOVEMBRE"));

    // The table sorted by distance sailed, then the CSV export.
    f->modele->sort(3, Qt::DescendingOrder);
    EXPECT_EQ(f->modele->item(0, 1)->text(), "Arvelin");
    EXPECT_EQ(f->modele->item(1, 1)->text(), "Bocquarel");
    EXPECT_EQ(f->modele->item(2, 1)->text(), "Baudrinec");
    QTemporaryDir o;
    f->choisit_fichier_csv = [&] { return o.filePath("b.csv"); };
    f->exporte_csv();
    EXPECT_TRUE(QFile::exists(o.filePath("b.csv")));
}

// The charts in step with the film: a cursor at its instant (by the hour),
// a press on a chart moves the film there, the cursor goes when it closes;
// the first arrival marked on the race trace and said on its axis.
TEST_F(FenetrePrincipale, StatistiquesAuPasDuFilm)
{
    cadre->show();
    choisit(12, 11, 2000);
    carte->Validmenu();
    action(carte, "Filmcontinu1")->trigger();
    FilmContinu& film = carte->film;
    ASSERT_TRUE(film.actif());
    action(carte, "Statistiques1")->trigger();
    auto* f = enfant<FenetreStatistiques>(carte, "FenetreStatistiques");
    ASSERT_NE(f, nullptr);
    const auto trait = [](QChartView* v, const char* nom) -> QLineSeries* {
        for (QAbstractSeries* s : v->chart()->series())
            if (s->objectName() == QLatin1String(nom))
                return qobject_cast<QLineSeries*>(s);
        return nullptr;
    };
    film.va_a(instant_de(QDateTime(QDate(2000, 12, 20), QTime(13, 40), Qt::UTC)));
    const qint64 attendu = QDateTime(QDate(2000, 12, 20), QTime(13, 0), Qt::UTC).toMSecsSinceEpoch();
    for (QChartView* v : {f->vue_ecarts, f->vue_rangs}) {
        QLineSeries* c = trait(v, "curseur");
        ASSERT_TRUE(c && c->isVisible() && c->count() == 2);
        EXPECT_EQ(qint64(c->at(0).x()), attendu);
    }
    // A press in the plot area: the film goes to the instant under it.
    f->onglets->setCurrentWidget(f->vue_rangs);
    QApplication::processEvents();
    QChart* g = f->vue_rangs->chart();
    const QPointF ici(g->plotArea().left() + g->plotArea().width() * 0.25, g->plotArea().center().y());
    const double vise = g->mapToValue(ici, g->series().first()).x();
    // Within two pixels of the chart (and the cursor's whole hour).
    const double pixel = vise - g->mapToValue(ici - QPointF(1, 0), g->series().first()).x();
    QTest::mouseClick(f->vue_rangs->viewport(), Qt::LeftButton, {}, f->vue_rangs->mapFromScene(ici));
    EXPECT_NEAR(double(date_de(film.controleur.instant()).toMSecsSinceEpoch()), vise, 2 * pixel);
    EXPECT_NEAR(trait(f->vue_rangs, "curseur")->at(0).x(), vise, 2 * pixel + 3600e3);
    film.ferme();
    EXPECT_FALSE(trait(f->vue_ecarts, "curseur")->isVisible());
    // The first arrival, in red, and what the trace is after it.
    QDate premiere;
    for (const BilanConcurrent& b : calcule_statistiques(etat.archive).bilans)
        if (b.date_arrivee.isValid() && (!premiere.isValid() || b.date_arrivee < premiere))
            premiere = b.date_arrivee;
    ASSERT_TRUE(premiere.isValid());
    QLineSeries* arrivee = trait(f->vue_ecarts, "arrivee");
    ASSERT_NE(arrivee, nullptr);
    EXPECT_EQ(QDateTime::fromMSecsSinceEpoch(qint64(arrivee->at(0).x()), Qt::UTC).date(), premiere);
    EXPECT_TRUE(f->vue_ecarts->chart()->axes(Qt::Vertical).value(0)->titleText().contains(premiere.toString("dd/MM/yyyy")));
}
