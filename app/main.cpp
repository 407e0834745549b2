// Orvalis: the race-archive viewer. Without arguments it opens the window;
// with --png, --distance or --classement it answers on the command line.
#include "calend.h"
#include "calendrier.h"
#include "classement.h"
#include "dialogues.h"
#include "donnees.h"
#include "etat_avx.h"
#include "geometrie.h"
#include "ligne_commande.h"
#include "posconc.h"
#include "reglages.h"
#include "reglages_utilisateur.h"
#include "ecriture.h"
#include "emplacements.h"
#include "fenetre_statistiques.h"
#include "mise_a_jour.h"
#include "statistiques.h"
#include "traduction.h"
#include "trajets.h"
#include "images_course.h"
#include "langue.h"
#include "video.h"
#include "etat_programme.h"

#include <QApplication>
#include <QGuiApplication>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QEventLoop>
#include <QImage>
#include <QLocale>
#include <QMainWindow>
#include <QMenuBar>
#include <QScreen>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <atomic>
#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>

using namespace orv;

namespace {

// Once the application object exists: where the data and the day files are
// (portable, or installed), and the language of the texts (the command
// line's, else the one kept in the settings, else the system's).
void prepare(const Commande& c)
{
    emplacements() = determine_emplacements(QCoreApplication::applicationDirPath(),
                                            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation));
    installe_langue(choisit_langue(c.langue, langue_enregistree(), QLocale::system().uiLanguages()));
}

void ecrit_erreur(const QString& s)
{
    std::fputs(s.toUtf8().constData(), stderr);
    if (!s.endsWith(u'\n'))
        std::fputc('\n', stderr);
}

// Lines on the standard output, checked: 0, or 1 with the reason said.
int sortie(const QStringList& lignes)
{
    QString erreur;
    if (ecrit_sortie(lignes, erreur))
        return 0;
    ecrit_erreur(erreur);
    return 1;
}

int enregistre(const QImage& img, const QString& fichier)
{
    QString erreur;
    if (!ecrit_png(fichier, img, erreur)) {
        ecrit_erreur(erreur);
        return 1;
    }
    return 0;
}

// What a picture is made from: the program's directory, its settings (the
// current directory's first), messages on stderr.
SourceImage source_image(double echelle)
{
    return {emplacements().rep_programme,
            reglages_du_programme(QDir::currentPath(), emplacements().rep_programme), ecrit_erreur, echelle};
}

std::optional<Zone> zone(const Commande& c)
{
    if (!c.zone)
        return std::nullopt;
    return Zone{c.nord, c.sud, c.ouest, c.est};
}

// The archive assembled into `e`; false with the reason said.
bool archive(EtatProgramme& e)
{
    QString erreur;
    if (constitue_trajets(e.archive, emplacements().rep_programme, erreur)) {
        // Day files left aside are named once; the command goes on.
        for (const QString& l : e.archive.avis())
            ecrit_erreur(l);
        return true;
    }
    ecrit_erreur(erreur);
    return false;
}

// The archive assembled and the command's selection over it; the exit
// code when it cannot be made (0 when it can).
int selection_commande(const Commande& c, EtatProgramme& e, SelectionTrajets& s)
{
    if (!archive(e))
        return 1;
    const ArchiveJours& a = e.archive;
    s.concurrents = c.concurrents;
    s.toute_course = c.du.isNull() && c.au.isNull();
    s.debut = 0;
    s.fin = a.nb_jours() - 1;
    for (auto [d, indice] : {std::pair{c.du, &s.debut}, std::pair{c.au, &s.fin}}) {
        if (d.isNull())
            continue;
        *indice = a.indice_du_jour(d);
        if (*indice < 0) {
            ecrit_erreur(Texte::tr("Pas de fichier du jour le %1 dans les archives.").arg(d.toString(QStringLiteral("dd/MM/yyyy"))));
            ecrit_erreur(usage());
            return 2;
        }
    }
    if (s.debut > s.fin)
        std::swap(s.debut, s.fin);
    return 0;
}

// The pictures of --png: the chart alone, a day, the tracks.
int commande_png(const Commande& c)
{
    EtatProgramme e;
    const SourceImage source = source_image(c.echelle);
    const QSize taille(c.largeur, c.hauteur);
    QString erreur;
    QImage image;
    if (c.trajets) {
        SelectionTrajets s;
        if (const int r = selection_commande(c, e, s))
            return r;
        image = image_trajets(e, source, s, taille, erreur);
    } else if (c.date) {
        image = image_jour(e, source, QDate(c.annee, c.mois, c.jour), c.route, zone(c), taille, erreur);
    } else {
        image = image_carte(e, source, zone(c), taille);
    }
    if (image.isNull()) {
        ecrit_erreur(erreur);
        return 1;
    }
    return enregistre(image, c.fichier_png);
}

int commande_export(const Commande& c)
{
    EtatProgramme e;
    SelectionTrajets s;
    if (const int r = selection_commande(c, e, s))
        return r;
    QString erreur;
    if (!exporte_trajets(e.archive, s, c.fichier_export, couleurs_conc_pour(clBlack), erreur)) {
        ecrit_erreur(erreur);
        return 1;
    }
    return 0;
}

// Today's day file (or --date's) from the official ranking.
int commande_actualiser(const Commande& c)
{
    const QString rep_programme = emplacements().rep_programme;
    const Reglages r = reglages_du_programme(QDir::currentPath(), rep_programme);
    const SourceClassement source = source_du_classement(c.source, r.url_classement, r.code_excel, QDir::currentPath());
    const QDate jour = c.date ? QDate(c.annee, c.mois, c.jour) : QDate::currentDate();
    QString erreur;
    const QString ecrit =
        actualise_classement(source, r.code_excel, jour, emplacements().rep_ecriture(), DELAI_CLASSEMENT_MS, erreur);
    if (ecrit.isEmpty()) {
        ecrit_erreur(erreur);
        return 1;
    }
    return sortie({QDir::toNativeSeparators(ecrit)});
}

// The statistics of the assembled archive: the record table, or its CSV.
int commande_statistiques(const Commande& c)
{
    EtatProgramme e;
    if (!archive(e))
        return 1;
    const StatistiquesCourse s = calcule_statistiques(e.archive);
    if (!c.fichier_csv.isEmpty()) {
        QString erreur;
        if (!ecrit_csv_bilan(s, c.fichier_csv, erreur)) {
            ecrit_erreur(erreur);
            return 1;
        }
        return 0;
    }
    return sortie(table_bilan(s, separateur_decimal_utilisateur()));
}

// The archive as continuous time, and the command's instant checked to lie
// within its fixes; the exit code when it cannot be (0 when it can).
int chronologie_commande(const Commande& c, EtatProgramme& e, std::unique_ptr<Chronologie>& chrono)
{
    if (!archive(e))
        return 1;
    chrono = std::make_unique<Chronologie>(e.archive);
    if (chrono->vide()) {
        ecrit_erreur(aucune_position());
        return 1;
    }
    const Instant t = instant_de(c.quand);
    if (t < chrono->premier() || t > chrono->dernier()) {
        const QString forme = QStringLiteral("dd/MM/yyyy HH:mm");
        ecrit_erreur(Texte::tr("Instant hors des archives : « %1 » (du %2 au %3, UTC).")
                         .arg(c.quand.toString(forme), date_de(chrono->premier()).toString(forme),
                              date_de(chrono->dernier()).toString(forme)));
        ecrit_erreur(usage());
        return 2;
    }
    return 0;
}

// The moment as a table, or its CSV.
int commande_positions(const Commande& c)
{
    EtatProgramme e;
    std::unique_ptr<Chronologie> chrono;
    if (const int r = chronologie_commande(c, e, chrono))
        return r;
    const Instant t = instant_de(c.quand);
    if (!c.fichier_csv.isEmpty()) {
        QString erreur;
        if (!ecrit_fichier(c.fichier_csv, csv_de(lignes_positions(*chrono, t, u',')), erreur)) {
            ecrit_erreur(erreur);
            return 1;
        }
        return 0;
    }
    std::vector<QStringList> lignes = lignes_positions(*chrono, t, separateur_decimal_utilisateur());
    for (QString& titre : lignes.front())
        titre = Texte::tr(titre.toUtf8().constData());
    return sortie(table_alignee(lignes, {true, false, false, true, true, false}));
}

// The video's settings from the command line.
ParametresVideo parametres_video(const Commande& c, const Chronologie& chrono)
{
    ParametresVideo p;
    p.periode = periode_des_dates(chrono, c.du, c.au);
    p.vitesse = std::max<Instant>(1, std::llround(c.vitesse * double(UNE_HEURE)));
    p.fps = c.fps;
    p.taille = {c.largeur, c.hauteur};
    p.echelle = c.echelle;
    p.trainee = c.trainee < 0 ? TRAINEE_TOUTE : c.trainee * UN_JOUR;
    p.suivre = c.suivre;
    return p;
}

// The maps, marks and places of the video's frames.
void prepare_images_video(EtatProgramme& e, const SourceImage& s)
{
    charge_cartes_programme(e, s);
    charge_lieux_programme(e, s);
}

// The film's picture at an instant; with --incrustations, the video's frame.
int commande_instant(const Commande& c)
{
    EtatProgramme e;
    std::unique_ptr<Chronologie> chrono;
    if (const int r = chronologie_commande(c, e, chrono))
        return r;
    const SourceImage s = source_image(c.echelle);
    if (c.incrustations) {
        const ParametresVideo p = parametres_video(c, *chrono);
        if (const QString m = verifie_parametres(p); !m.isEmpty()) {
            ecrit_erreur(m);
            return 2;
        }
        prepare_images_video(e, s);
        ImagesVideo images(e.cartes, e.lieux, e.vue, s.reglages, *chrono, p);
        return enregistre(images.image(instant_de(c.quand)), c.fichier_png);
    }
    const Instant trainee = c.trainee < 0 ? TRAINEE_TOUTE : c.trainee * UN_JOUR;
    return enregistre(image_instant(e, s, *chrono, instant_de(c.quand), trainee, c.suivre,
                                    QSize(c.largeur, c.hauteur)),
                      c.fichier_png);
}

std::atomic<bool> video_interrompue{false};
void interrompt_video(int) { video_interrompue = true; }

// The film as a video through ffmpeg, its progress on stderr; the file
// carries its name only once complete.
int commande_video(const Commande& c)
{
    EtatProgramme e;
    if (!archive(e))
        return 1;
    const Chronologie chrono(e.archive);
    if (chrono.vide()) {
        ecrit_erreur(aucune_position());
        return 1;
    }
    for (const QDate& d : {c.du, c.au})
        if (d.isValid() && !jour_de_course(d)) {
            ecrit_erreur(Texte::tr("%1 n'est pas un jour de la course (du %2 au %3).")
                             .arg(d.toString(QStringLiteral("dd/MM/yyyy")),
                                  PREMIER_JOUR_COURSE.toString(QStringLiteral("dd/MM/yyyy")),
                                  DERNIER_JOUR_COURSE.toString(QStringLiteral("dd/MM/yyyy"))));
            return 2;
        }
    const ParametresVideo p = parametres_video(c, chrono);
    if (const QString m = verifie_parametres(p); !m.isEmpty()) {
        ecrit_erreur(m);
        return 2;
    }
    const SourceImage s = source_image(c.echelle);
    prepare_images_video(e, s);
    ImagesVideo images(e.cartes, e.lieux, e.vue, s.reglages, chrono, p);
    EncodeurVideo encodeur;
    // The delay after which a silent ffmpeg is given up (seconds; the
    // tests shorten it).
    if (const int d = qEnvironmentVariableIntValue("ORVALIS_DELAI_FFMPEG"); d > 0)
        encodeur.pose_delai(d * 1000);
    QString erreur;
    // Before ffmpeg starts: an interruption at any moment removes its file.
    std::signal(SIGINT, interrompt_video);
    std::signal(SIGTERM, interrompt_video);
    if (!encodeur.demarre(c.fichier_video, taille_physique(p), p.fps, erreur) || video_interrompue) {
        encodeur.annule();
        ecrit_erreur(video_interrompue ? Texte::tr("Vidéo interrompue : aucun fichier écrit.") : erreur);
        return 1;
    }
    const int64_t n = nb_images(p);
    QElapsedTimer duree;
    duree.start();
    int64_t dernier_avis = -1000;
    for (int64_t k = 0; k < n; ++k) {
        while (!encodeur.pret() && !video_interrompue) {
            encodeur.attend(100);
            if (encodeur.bloque(erreur)) {
                encodeur.annule();
                ecrit_erreur(erreur);
                return 1;
            }
        }
        if (video_interrompue) {
            encodeur.annule();
            ecrit_erreur(Texte::tr("Vidéo interrompue : aucun fichier écrit."));
            return 1;
        }
        if (!encodeur.ecrit(images.image(instant_image(p, k)), erreur)) {
            encodeur.annule();
            ecrit_erreur(erreur);
            return 1;
        }
        if (duree.elapsed() - dernier_avis >= 500 || k + 1 == n) {
            dernier_avis = duree.elapsed();
            const qint64 reste = k > 0 ? duree.elapsed() * (n - k - 1) / (k + 1) / 1000 : 0;
            std::fprintf(stderr, "\r%s", Texte::tr("Vidéo : image %1 sur %2, encore %3 s environ   ")
                                             .arg(k + 1)
                                             .arg(n)
                                             .arg(reste)
                                             .toUtf8()
                                             .constData());
        }
    }
    encodeur.ferme();
    while (!encodeur.fini() && !video_interrompue) {
        encodeur.attend(100);
        if (encodeur.bloque(erreur)) {
            std::fputc('\n', stderr);
            encodeur.annule();
            ecrit_erreur(erreur);
            return 1;
        }
    }
    std::fputc('\n', stderr);
    if (video_interrompue) {
        encodeur.annule();
        ecrit_erreur(Texte::tr("Vidéo interrompue : aucun fichier écrit."));
        return 1;
    }
    const bool ok = encodeur.conclut(erreur);
    if (!ok) {
        ecrit_erreur(erreur);
        return 1;
    }
    return sortie({QDir::toNativeSeparators(QFileInfo(c.fichier_video).absoluteFilePath())});
}

// The race trace as a picture (Qt Charts: widgets).
int rend_ecarts(const Commande& c)
{
    EtatProgramme e;
    if (!archive(e))
        return 1;
    return enregistre(image_des_ecarts(calcule_statistiques(e.archive), QSize(c.largeur, c.hauteur), c.echelle),
                      c.fichier_png);
}

int classement(const Commande& c)
{
    EtatProgramme e;
    montre_mois(e.date, c.mois, c.annee);
    valide_date(e.date, c.jour, c.mois, c.annee);
    if (!charge_donnees_coureurs(e.jour, emplacements().rep_programme, e.date.code_jour, e.date.date_en_clair)) {
        ecrit_erreur(e.jour.fichier_illisible ? fichier_jour_illisible(e.jour.nom_fichier_jour)
                                              : Texte::tr("Non disponible : autre date ?"));
        return 1;
    }
    if (e.jour.valeurs_hors_bornes > 0)
        ecrit_erreur(valeurs_impossibles(e.jour.nom_fichier_jour));
    return sortie(table_classement(e.jour, separateur_decimal_utilisateur()));
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
int fenetre(int argc, char** argv, const Commande& c)
{
    QElapsedTimer chrono;
    chrono.start();
    QApplication app(argc, argv);
    libere_etat_avx();  // Qt's start-up leaves the vector state dirty
    prepare(c);
    const QString rep_programme = emplacements().rep_programme;

    EtatProgramme etat;
    Cadre cadre;
    auto* carte = new TFPosConc(&cadre, etat, rep_programme, QDir::currentPath());
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
    carte->FormCreate();

    TFCalend calendrier(&cadre);
    calendrier.date = &etat.date;
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
    return sortie(lignes_distance(c.lat1, c.lon1, c.lat2, c.lon2));
}

// A command's result, once the settings files that are not regular
// files have been said (once).
int avec_avis(int code)
{
    for (const QString& l : avis_reglages_utilisateur())
        ecrit_erreur(l);
    return code;
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
    Commande c = analyse_commande(args);
    // A command line refused still speaks the language it asked for.
    if (c.langue.isEmpty() && langue_connue(langue_des_arguments(args)))
        c.langue = langue_des_arguments(args);
    if (c.type != Commande::Fenetre)
        qInstallMessageHandler(filtre_messages);
    switch (c.type) {
    case Commande::Erreur:
    case Commande::Aide:
    case Commande::Distance: {
        // Read again once the language is installed: its messages in it.
        QCoreApplication app(argc, argv);
        prepare(c);
        c = analyse_commande(args);
        if (c.type == Commande::Distance)
            return commande_distance(c);
        if (c.type == Commande::Aide) {
            QString u = usage();
            if (u.endsWith(u'\n'))
                u.chop(1);
            return sortie({u});
        }
        ecrit_erreur(c.message);
        ecrit_erreur(usage());
        return 2;
    }
    case Commande::Classement: {
        QCoreApplication app(argc, argv);
        prepare(c);
        return avec_avis(classement(c));
    }
    case Commande::Png: {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        if (c.ecarts) {
            QApplication app(argc, argv);
            libere_etat_avx();  // Qt's start-up leaves the vector state dirty
            prepare(c);
            return avec_avis(rend_ecarts(c));
        }
        // The race picture needs no widget.
        QGuiApplication app(argc, argv);
        libere_etat_avx();  // Qt's start-up leaves the vector state dirty
        prepare(c);
        return avec_avis(c.instant ? commande_instant(c) : commande_png(c));
    }
    case Commande::Video: {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        libere_etat_avx();  // Qt's start-up leaves the vector state dirty
        prepare(c);
        return avec_avis(commande_video(c));
    }
    case Commande::Export: {
        QCoreApplication app(argc, argv);
        prepare(c);
        return avec_avis(commande_export(c));
    }
    case Commande::Positions: {
        QCoreApplication app(argc, argv);
        prepare(c);
        return avec_avis(commande_positions(c));
    }
    case Commande::Statistiques: {
        QCoreApplication app(argc, argv);
        prepare(c);
        return avec_avis(commande_statistiques(c));
    }
    case Commande::Actualiser: {
        QCoreApplication app(argc, argv);
        prepare(c);
        return avec_avis(commande_actualiser(c));
    }
    case Commande::Fenetre:
        break;
    }
    return fenetre(argc, argv, c);
}
