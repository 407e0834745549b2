// Orvalis: the race-archive viewer. Without arguments it opens the window;
// with --png, --distance or --classement it answers on the command line.
#include "calend.h"
#include "calendrier.h"
#include "classement.h"
#include "dialogues.h"
#include "donnees.h"
#include "geometrie.h"
#include "ligne_commande.h"
#include "posconc.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QImage>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <cstdio>

using namespace orv;

namespace {

void ecrit_erreur(const QString& s)
{
    std::fputs(s.toUtf8().constData(), stderr);
    if (!s.endsWith(u'\n'))
        std::fputc('\n', stderr);
}

int enregistre(const QImage& img, const QString& fichier)
{
    if (!img.save(fichier, "PNG")) {
        ecrit_erreur(QStringLiteral("Impossible d'écrire l'image « %1 ».").arg(fichier));
        return 1;
    }
    return 0;
}

void applique_zone(const Commande& c)
{
    if (!c.zone)
        return;
    Viewport& vp = viewport();
    vp.lat_nord = c.nord;
    vp.lat_sud = c.sud;
    vp.long_ouest = c.ouest;
    vp.long_est = c.est;
}

// The chart alone.
int rend_carte(const Commande& c)
{
    TMercator carte(nullptr, true);
    carte.information = ecrit_erreur;
    carte.avertissement = ecrit_erreur;
    carte.charge_cartes();
    applique_zone(c);
    return enregistre(carte.rend(c.largeur, c.hauteur), c.fichier_png);
}

// The race picture of a day, as the window shows it.
int rend_jour(const Commande& c)
{
    TFPosConc carte(nullptr, QCoreApplication::applicationDirPath(), QDir::currentPath());
    carte.information = ecrit_erreur;
    carte.avertissement = ecrit_erreur;
    carte.resize(c.largeur, c.hauteur);
    carte.FormCreate();
    carte.charge_cartes();
    carte.fond_initial = false;
    carte.ToolBar1->hide();
    EtatDate& d = etat_date();
    montre_mois(d, c.mois, c.annee);
    valide_date(d, c.jour, c.mois, c.annee);
    if (!carte.Charge_donnees_coureurs()) {
        ecrit_erreur(QStringLiteral("Non disponible : autre date ?"));
        return 1;
    }
    applique_zone(c);
    return enregistre(carte.rend(c.largeur, c.hauteur), c.fichier_png);
}

int classement(const Commande& c)
{
    EtatDate& d = etat_date();
    montre_mois(d, c.mois, c.annee);
    valide_date(d, c.jour, c.mois, c.annee);
    JourCourse& j = jour_course();
    if (!charge_donnees_coureurs(j, QCoreApplication::applicationDirPath(), d.code_jour, d.date_en_clair)) {
        ecrit_erreur(QStringLiteral("Non disponible : autre date ?"));
        return 1;
    }
    for (const QString& l : table_classement(j, separateur_decimal_utilisateur()))
        std::printf("%s\n", l.toUtf8().constData());
    return 0;
}

// The program's start: main window, date dialog, splash window with its
// sound, about box; the maps load while the splash is up; two seconds
// later the splash goes and the user meets the welcome picture.
int fenetre(int argc, char** argv)
{
    QElapsedTimer chrono;
    chrono.start();
    QApplication app(argc, argv);
    const QString rep_programme = QCoreApplication::applicationDirPath();

    QMainWindow cadre;
    auto* carte = new TFPosConc(&cadre, rep_programme, QDir::currentPath());
    cadre.setCentralWidget(carte);
    if (qEnvironmentVariableIsSet("ORVALIS_CHRONO"))
        carte->apres_premiere_peinture = [&chrono] {
            std::fprintf(stderr, "premiere peinture : %lld ms\n", static_cast<long long>(chrono.elapsed()));
        };
    const int hauteur = 566 + cadre.menuBar()->sizeHint().height() + cadre.statusBar()->sizeHint().height();
    cadre.resize(804, hauteur);
    if (QScreen* e = cadre.screen())
        cadre.move(1, e->availableGeometry().center().y() - hauteur / 2);
    carte->FormCreate();

    TFCalend calendrier(&cadre);
    carte->calendrier = &calendrier;
    TFintro intro(&calendrier, rep_programme);
    TFApropos apropos(&cadre);
    carte->apropos = &apropos;

    if (QScreen* e = intro.screen())
        intro.move(e->availableGeometry().center() - QPoint(intro.width() / 2, intro.height() / 2));
    intro.show();
    intro.repaint();
    carte->charge_cartes();

    QEventLoop attente;
    QTimer::singleShot(2000, &attente, &QEventLoop::quit);
    attente.exec();
    intro.hide();

    const int r = app.exec();
    intro.attend_fin_chargement();
    return r;
}

}  // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const Commande c = analyse_commande(args);
    switch (c.type) {
    case Commande::Erreur:
        ecrit_erreur(c.message);
        ecrit_erreur(usage());
        return 2;
    case Commande::Distance:
        for (const QString& l : lignes_distance(c.lat1, c.lon1, c.lat2, c.lon2))
            std::printf("%s\n", l.toUtf8().constData());
        return 0;
    case Commande::Classement: {
        QCoreApplication app(argc, argv);
        return classement(c);
    }
    case Commande::Png: {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return c.date ? rend_jour(c) : rend_carte(c);
    }
    case Commande::Fenetre:
        break;
    }
    return fenetre(argc, argv);
}
