// Orvalis: the race-archive viewer. Without arguments it opens the window;
// with a command of the command line (cli/), it hands over to it.
#include "calend.h"
#include "commandes.h"
#include "courses_recentes.h"
#include "dialogues.h"
#include "etat_avx.h"
#include "fenetre_statistiques.h"
#include "fichier_jour.h"
#include "description.h"
#include "emplacements.h"
#include "lecteurs.h"
#include "posconc.h"
#include "statistiques.h"
#include "trajets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFileInfo>
#include <QMainWindow>
#include <QMenuBar>
#include <QMessageBox>
#include <QScreen>
#include <QStatusBar>
#include <QTimer>
#include <csignal>
#include <cstdio>
#include <functional>

using namespace orv;

namespace {

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
int fenetre(int argc, char** argv, const Commande& c)
{
    QElapsedTimer chrono;
    chrono.start();
    QApplication app(argc, argv);
    libere_etat_avx();  // Qt's start-up leaves the vector state dirty
    const Emplacements emplacements = prepare(c);
    const QString rep_programme = emplacements.rep_programme;

    EtatProgramme etat;
    QString erreur;
    if (!ouvre_course(QDir(emplacements.rep_programme).filePath(QString::fromLatin1(FICHIER_COURSE)), etat.course, erreur)) {
        QMessageBox::critical(nullptr, QStringLiteral("Orvalis"), erreur);
        return 1;
    }
    Cadre cadre;
    auto* carte = new TFPosConc(&cadre, etat, emplacements, QDir::currentPath());
    cadre.setCentralWidget(carte);
    if (qEnvironmentVariableIsSet("ORVALIS_CHRONO")) {
        carte->apres_premiere_peinture = [&chrono] {
            std::fprintf(stderr, "premiere peinture : %lld ms\n", static_cast<long long>(chrono.elapsed()));
        };
        carte->film.bilan_images = [](int n, int64_t duree, int64_t ecart) {
            std::fprintf(stderr, "film : %d images en %lld ms, %.1f images/s, ecart le plus long %lld ms\n", n,
                         static_cast<long long>(duree), duree > 0 ? 1000.0 * (n - 1) / double(duree) : 0.0,
                         static_cast<long long>(ecart));
        };
    }
    const int hauteur = 566 + cadre.menuBar()->sizeHint().height() + cadre.statusBar()->sizeHint().height();
    cadre.resize(804, hauteur);
    if (QScreen* e = cadre.screen())
        cadre.move(1, e->availableGeometry().center().y() - hauteur / 2);
    // Where the user left the program: the window (before it shows), the
    // race, the day shown (the calendar opens on it); what cannot be used
    // leaves today's start.
    const FenetreRetenue retenue = fenetre_retenue();
    if (!retenue.geometrie.isEmpty() && cadre.restoreGeometry(retenue.geometrie)) {
        cadre.restoreState(retenue.etat);
        carte->geometrie_rendue = true;
    }
    carte->FormCreate();

    if (!retenue.course.isEmpty() && QFileInfo::exists(retenue.course))
        carte->course_a_rouvrir = retenue.course;
    QDate premier = etat.course.premier_jour;
    if (const std::optional<VueRetenue> v = vue_retenue(QDir(emplacements.rep_programme).filePath(QString::fromLatin1(FICHIER_COURSE)));
        v && v->jour >= etat.course.premier_jour && v->jour <= etat.course.dernier_jour)
        premier = v->jour;
    TFCalend calendrier(&cadre);
    calendrier.date = &etat.date;
    carte->calendrier = &calendrier;
    TFintro intro(&calendrier, rep_programme, premier);
    intro.setAttribute(Qt::WA_QuitOnClose, false);
    TFApropos apropos(&cadre);
    carte->apropos = &apropos;

    // The splash's wait ends early when the user quits; a press on the
    // welcome picture during it is kept for after the splash.
    QEventLoop attente;
    bool ferme = false;
    cadre.a_la_fermeture = [&] {
        carte->retient_vue_course();
        retient_fenetre({cadre.saveGeometry(), cadre.saveState(), carte->chemin_course()});
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

// The race trace as a picture (Qt Charts: widgets).
int commande_ecarts(int& argc, char** argv, const Commande& c)
{
    QApplication app(argc, argv);
    libere_etat_avx();  // Qt's start-up leaves the vector state dirty
    const Emplacements emplacements = prepare(c);
    EtatProgramme e;
    if (!course_du_programme(emplacements, e.course))
        return 1;
    QString erreur;
    if (!constitue_trajets(e.course, e.archive, emplacements, erreur)) {
        ecrit_erreur(erreur);
        return 1;
    }
    for (const QString& l : avis_archive(e.archive))
        ecrit_erreur(l);
    return enregistre_png(image_des_ecarts(calcule_statistiques(e.archive), QSize(c.largeur, c.hauteur), c.echelle),
                          c.fichier);
}

}  // namespace

int main(int argc, char** argv)
{
#ifdef Q_OS_UNIX
    // Past a file-size limit a write fails (and says so) rather than kill
    // the program.
    std::signal(SIGXFSZ, SIG_IGN);
#endif
    // Its name gives the user's folders (~/.local/share/orvalis).
    QCoreApplication::setApplicationName(QStringLiteral("orvalis"));
    QStringList args;
    for (int i = 1; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    const Commande c = analyse_commande(args);
    if (c.type == Commande::Fenetre)
        return fenetre(argc, argv, c);
    ExtensionsCommandes x;
    x.image_des_ecarts = commande_ecarts;
    return lance_commande(argc, argv, args, c, x);
}
