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
#include <QCloseEvent>
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
#include <functional>

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
    if (c.route) {
        carte.route_affichee = carte.construit_route();
        if (!carte.route_affichee)
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

// The main window's frame: closing it ends the program at any moment, the
// splash's wait included.
class Cadre : public QMainWindow {
public:
    std::function<void()> a_la_fermeture;

protected:
    void closeEvent(QCloseEvent* e) override
    {
        QMainWindow::closeEvent(e);
        if (e->isAccepted() && a_la_fermeture)
            a_la_fermeture();
    }
};

// The program's start: main window, date dialog, splash window with its
// sound, about box; the maps load while the splash is up; two seconds
// later the splash goes and the user meets the welcome picture.
int fenetre(int argc, char** argv)
{
    QElapsedTimer chrono;
    chrono.start();
    QApplication app(argc, argv);
    const QString rep_programme = QCoreApplication::applicationDirPath();

    Cadre cadre;
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
    intro.setAttribute(Qt::WA_QuitOnClose, false);
    TFApropos apropos(&cadre);
    carte->apropos = &apropos;

    // The splash's wait ends early when the user quits; a press on the
    // welcome picture during it is kept for after the splash.
    QEventLoop attente;
    bool ferme = false;
    cadre.a_la_fermeture = [&] {
        ferme = true;
        attente.quit();
        QCoreApplication::quit();
    };
    carte->attente_intro = true;

    if (QScreen* e = intro.screen())
        intro.move(e->availableGeometry().center() - QPoint(intro.width() / 2, intro.height() / 2));
    intro.show();
    intro.repaint();
    carte->charge_cartes();

    if (!ferme) {
        QTimer::singleShot(2000, &attente, &QEventLoop::quit);
        attente.exec();
    }
    intro.hide();
    carte->attente_intro = false;
    int r = 0;
    if (!ferme) {
        if (carte->entree_differee)
            QTimer::singleShot(0, carte, [carte] { carte->entre_dans_la_course(); });
        r = app.exec();
    }
    intro.attend_fin_chargement();
    return r;
}

// Qt's notes that mean nothing to a user of the command line.
void filtre_messages(QtMsgType type, const QMessageLogContext& ctx, const QString& msg)
{
    if (msg.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")) ||
        msg.contains(QLatin1String("propagateSizeHints")))
        return;
    std::fputs(qFormatLogMessage(type, ctx, msg).toLocal8Bit().constData(), stderr);
    std::fputc('\n', stderr);
}

int commande_distance(const Commande& c)
{
    for (const QString& l : lignes_distance(c.lat1, c.lon1, c.lat2, c.lon2))
        std::printf("%s\n", l.toUtf8().constData());
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const Commande c = analyse_commande(args);
    if (c.type != Commande::Fenetre)
        qInstallMessageHandler(filtre_messages);
    switch (c.type) {
    case Commande::Erreur:
        ecrit_erreur(c.message);
        ecrit_erreur(usage());
        return 2;
    case Commande::Aide:
        std::fputs(usage().toUtf8().constData(), stdout);
        return 0;
    case Commande::Distance:
        return commande_distance(c);
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
