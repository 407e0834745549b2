// The window on a high-density screen (run at QT_SCALE_FACTOR 1, 1.5 and
// 2): its picture is the command line's at that density, the pointer hits
// the same places, the rubber band leaves nothing behind, the view saved
// as a picture.
#include "aide_fenetre.h"
#include "aide_cartes.h"
#include "images_course.h"
#include "zoom.h"

#include <QLabel>
#include <QPrinter>
#include <QProcess>
#include <QTest>

using namespace orv_test;

class DensiteFenetre : public FenetrePrincipale {
protected:
    void SetUp() override
    {
        FenetrePrincipale::SetUp();
        cadre->show();
        choisit(6, 12, 2000);
        carte->Validmenu();
        d = carte->devicePixelRatioF();
    }
    double d = 1;
};

TEST_F(DensiteFenetre, ImageDeLaLigneDeCommande)
{
    const QImage fenetre = carte->rend(carte->width(), carte->height()).copy();
    ASSERT_EQ(fenetre.size(), QSize(qRound(carte->width() * d), qRound(carte->height() * d)));
    EtatProgramme e;
    e.course = course_livree();
    charge_cartes_livrees(e.cartes);
    SourceImage s{DONNEES, carte->reglages, {}, d};
    QString err;
    const Zone z{etat.vue.lat_nord, etat.vue.lat_sud, etat.vue.long_ouest, etat.vue.long_est};
    ASSERT_EQ(etat.vue.largeur_large, 0);
    const QImage ligne = image_jour(e, s, QDate(2000, 12, 6), false, z, carte->size(), err);
    EXPECT_EQ(ligne, fenetre) << d;
    // Saved at twice the window's size, through the checked writer.
    QTemporaryDir rep;
    carte->image_vue.choisit = [&] { return ImageVue::Choix{rep.filePath("vue.png"), 2}; };
    action(carte, "Enregistrerimage1")->trigger();
    EXPECT_EQ(QImage(rep.filePath("vue.png")).size(), carte->size() * 2);
    // Exported as a page and printed (to a PDF printer): the boats' names as text.
    carte->image_vue.choisit_pdf = [&] { return rep.filePath("vue.pdf"); };
    action(carte, "ExporterPdf1")->trigger();
    QPrinter imprimante;
    imprimante.setOutputFormat(QPrinter::PdfFormat);
    imprimante.setOutputFileName(rep.filePath("imprime.pdf"));
    ASSERT_TRUE(carte->image_vue.imprime_sur(imprimante));
    const QString nom = etat.jour.donnees_conc[1].elem.nom;
    for (const char* f : {"vue.pdf", "imprime.pdf"}) {
        QProcess p;
        p.start(QStringLiteral("pdftotext"), {rep.filePath(QLatin1String(f)), QStringLiteral("-")});
        p.waitForFinished();
        EXPECT_TRUE(QString::fromUtf8(p.readAllStandardOutput()).contains(nom)) << f << nom.toStdString();
    }
}

// A press on a boat's marker shows that boat; a zoom rectangle frames the
// degrees it covers; the band erased leaves the buffer as it was.
TEST_F(DensiteFenetre, PointeurEtBandes)
{
    carte->rend(carte->width(), carte->height());
    const TDonnees_conc& r = etat.jour.donnees_conc[5];
    const QPoint p(carte->pos_grX(ddmm_vers_rad(r.elem.longitude)), carte->pos_grY(ddmm_vers_rad(r.elem.latitude)));
    action(carte, "Afficher1")->trigger();
    QTest::mousePress(carte, Qt::LeftButton, {}, p);
    EXPECT_TRUE(enfant<QLabel>(carte, "Memo1")->text().contains(r.skipper)) << enfant<QLabel>(carte, "Memo1")->text().toStdString();
    QTest::mouseRelease(carte, Qt::LeftButton, {}, p);

    const QImage avant = carte->canevas.image().copy();
    Viewport attendu = etat.vue;
    ASSERT_TRUE(zoom_rectangle(attendu, 101, 83, 377, 301));
    action(carte, "Zoomer1")->trigger();
    QTest::mousePress(carte, Qt::LeftButton, {}, QPoint(101, 83));
    for (int k = 1; k <= 8; ++k)
        QTest::mouseMove(carte, QPoint(101 + 34 * k + k % 3, 83 + 27 * k));
    carte->efface_bande();
    EXPECT_EQ(carte->canevas.image(), avant);
    QTest::mousePress(carte, Qt::LeftButton, {}, QPoint(101, 83));
    QTest::mouseMove(carte, QPoint(377, 301));
    QTest::mouseRelease(carte, Qt::LeftButton, {}, QPoint(377, 301));
    EXPECT_EQ(etat.vue.lat_nord, attendu.lat_nord);
    EXPECT_EQ(etat.vue.lat_sud, attendu.lat_sud);
    EXPECT_EQ(etat.vue.long_ouest, attendu.long_ouest);
    EXPECT_EQ(etat.vue.long_est, attendu.long_est);
}
