// The film as a video: the frames' plan, a short video checked with
// ffprobe and decoded back against the still frame of the command line,
// a cancelled export and a missing ffmpeg.
#include "aide_fenetre.h"
#include "video.h"

#include <QApplication>
#include <QComboBox>
#include <QDateEdit>
#include <QDateTime>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QStandardPaths>
#include <QProcess>
#include <QTest>
#include <QToolButton>
#include <cmath>
#include <sys/resource.h>

namespace {

TEST(Video, ImagesTaillesEtParametres)
{
    ParametresVideo p;
    p.periode = {1000, 1000 + 2 * UN_JOUR};
    p.vitesse = UN_JOUR;
    p.fps = 30;
    EXPECT_EQ(nb_images(p), 61);
    EXPECT_EQ(instant_image(p, 60), p.periode.fin);
    // A speed that no frame rate divides: frame k lands exactly at
    // k × vitesse / fps, however many frames before it.
    p.vitesse = 7 * UNE_HEURE + 13;
    p.fps = 7;
    p.periode.fin = p.periode.debut + 100 * UN_JOUR;
    for (int64_t k : {int64_t(7), int64_t(2000), nb_images(p) - 1})
        EXPECT_EQ(instant_image(p, k), p.periode.debut + k * p.vitesse / 7) << k;
    EXPECT_LE(instant_image(p, nb_images(p) - 1), p.periode.fin);
    EXPECT_GT(instant_image(p, nb_images(p) - 1) + p.vitesse / 7 + 1, p.periode.fin);

    const struct {
        QSize taille;
        double ratio;
        QSize physique;
    } tailles[] = {{{1281, 721}, 1, {1280, 720}}, {{1920, 1080}, 2, {3840, 2160}}, {{805, 585}, 1.5, {1208, 878}}};
    for (const auto& t : tailles) {
        p.taille = t.taille;
        p.echelle = t.ratio;
        EXPECT_EQ(taille_physique(p), t.physique);
    }
    // Frames taller than 720 drawn at the density that keeps their names
    // legible, their size unchanged; others left as they are.
    const struct {
        QSize taille;
        double ratio;
        QSize logique;
        double lisible;
    } densites[] = {{{1920, 1080}, 1, {1280, 720}, 1.5}, {{3840, 2160}, 1, {1280, 720}, 3},
                    {{1280, 720}, 1, {1280, 720}, 1}, {{1920, 1080}, 2, {1920, 1080}, 2}};
    for (const auto& d : densites) {
        p.taille = d.taille;
        p.echelle = d.ratio;
        const QSize avant = taille_physique(p);
        densite_lisible(p);
        EXPECT_EQ(std::pair(p.taille, p.echelle), std::pair(d.logique, d.lisible));
        EXPECT_EQ(taille_physique(p), avant);
    }
    p.taille = {1280, 720};
    p.echelle = 1;
    EXPECT_TRUE(verifie_parametres(p).isEmpty());
    for (auto change : std::initializer_list<std::function<void(ParametresVideo&)>>{
             [](ParametresVideo& q) { q.fps = 0; }, [](ParametresVideo& q) { q.taille = {3841, 2160}; },
             [](ParametresVideo& q) { q.taille = {8, 8}; }, [](ParametresVideo& q) { q.vitesse = 0; }}) {
        ParametresVideo q = p;
        change(q);
        EXPECT_FALSE(verifie_parametres(q).isEmpty());
    }
}

struct Sortie {
    int code;
    QString out, err;
};

Sortie lance(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment(),
             const QString& programme = QStringLiteral(ORVALIS_PROGRAMME))
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(programme, args);
    p.waitForFinished(120000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

// Mean absolute difference of two pictures of one size, per channel (0-255).
double ecart_moyen(const QImage& a, const QImage& b)
{
    const QImage x = a.convertToFormat(QImage::Format_RGB32), y = b.convertToFormat(QImage::Format_RGB32);
    double somme = 0;
    for (int j = 0; j < x.height(); ++j)
        for (int i = 0; i < x.width(); ++i) {
            const QRgb u = x.pixel(i, j), v = y.pixel(i, j);
            somme += std::abs(qRed(u) - qRed(v)) + std::abs(qGreen(u) - qGreen(v)) + std::abs(qBlue(u) - qBlue(v));
        }
    return somme / (3.0 * x.width() * x.height());
}

QByteArray contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool avec_ffmpeg() { return !QStandardPaths::findExecutable("ffmpeg").isEmpty(); }

TEST(Video, CourteVideoRelueEtImageDeLaLigneDeCommande)
{
    if (!avec_ffmpeg())
        GTEST_SKIP() << "ffmpeg absent";
    QTemporaryDir d;
    // Two race days at a day per second, 10 frames a second: 2 s, between
    // an opening and a closing card of 2 s each.
    const QStringList periode{"--du", "12/11/2000", "--au", "13/11/2000"};
    Sortie s = lance(QStringList{"--video", d.filePath("a.mp4"), "--vitesse", "24", "--fps", "10", "--size", "480x270"} +
                     periode);
    ASSERT_EQ(s.code, 0) << s.err.toStdString();
    EXPECT_EQ(s.out.trimmed(), d.filePath("a.mp4"));
    QProcess sonde;
    sonde.start("ffprobe", {"-v", "error", "-count_frames", "-select_streams", "v:0", "-show_entries",
                            "stream=codec_name,width,height,r_frame_rate,pix_fmt,nb_read_frames", "-of",
                            "default=noprint_wrappers=1", d.filePath("a.mp4")});
    ASSERT_TRUE(sonde.waitForFinished(30000));
    const QString info = QString::fromUtf8(sonde.readAllStandardOutput());
    for (const char* attendu : {"codec_name=h264", "width=480", "height=270", "r_frame_rate=10/1", "pix_fmt=yuv420p",
                                "nb_read_frames=60"})
        EXPECT_TRUE(info.contains(attendu)) << attendu << "\n" << info.toStdString();
    EXPECT_TRUE(QDir(d.path()).entryList({".*partiel*"}, QDir::Files | QDir::Hidden).isEmpty());

    // Frame 5 after the card is 12/11 12:00 (5 × 24 h / 10); the still of that instant,
    // and one of the next day for contrast. H.264 at its default quality
    // halves the colour resolution (yuv420p) and blurs 1-pixel lines: a
    // matching frame stays within a few levels on average, a frame a day
    // away does not.
    QProcess extrait;
    extrait.start("ffmpeg", {"-v", "error", "-i", d.filePath("a.mp4"), "-vf", "select=eq(n\\,25)", "-vframes", "1",
                             d.filePath("k5.png")});
    ASSERT_TRUE(extrait.waitForFinished(30000));
    for (const auto& [instant, nom] : {std::pair{"12/11/2000 12:00", "meme.png"}, std::pair{"13/11/2000 12:00", "autre.png"}})
        ASSERT_EQ(lance(QStringList{"--png", d.filePath(nom), "--instant", instant, "--incrustations", "--size", "480x270"} +
                        periode)
                      .code,
                  0);
    const QImage video(d.filePath("k5.png")), meme(d.filePath("meme.png")), autre(d.filePath("autre.png"));
    ASSERT_EQ(video.size(), QSize(480, 270));
    ASSERT_EQ(meme.size(), video.size());
    const double e_meme = ecart_moyen(video, meme), e_autre = ecart_moyen(video, autre);
    EXPECT_LT(e_meme, 6.0);
    EXPECT_LT(e_meme * 2, e_autre) << e_meme << " " << e_autre;
}

// ffmpeg absent, or not to be believed: one that stops at once, fails
// after taking every frame, says it succeeded without writing or writing
// garbage, stops reading, never finishes, or talks without end. Each time:
// exit code 1, said, the existing video untouched, no temporary file left,
// and what is kept of its talk bounded.
TEST(Video, FfmpegAbsentOuMenteur)
{
    QTemporaryDir d;
    QDir().mkpath(d.filePath("faux"));
    const QString cible = d.filePath("a.mp4");
    // Without ffprobe (its own tools only): a video is believed when it
    // grew while its frames were written.
    QDir().mkpath(d.filePath("sans_sonde"));
    for (const char* outil : {"cat", "head", "tr", "sleep"})
        QFile::link(QStandardPaths::findExecutable(outil), d.filePath(QStringLiteral("sans_sonde/") + outil));
    QFile::link(d.filePath("faux/ffmpeg"), d.filePath("sans_sonde/ffmpeg"));
    // Partial files a killed export left: a video's removed once ten
    // minutes old, anything else kept.
    for (const char* n : {".a.mp4.Abc123.partiel", ".notes.txt.qwerty.partiel"}) {
        ecrit(d.filePath(n), "x");
        QFile f(d.filePath(n));
        f.open(QIODevice::ReadWrite);
        f.setFileTime(QDateTime::currentDateTime().addSecs(-1200), QFileDevice::FileModificationTime);
    }
    const struct {
        const char* script;  // empty: no ffmpeg at all
        const char* dit;
        const char* delai = "30";  // ORVALIS_DELAI_FFMPEG
        bool sans_sonde = false;
    } cas[] = {
        {"", "paquet"},
        {"echo 'Unknown encoder' >&2; exit 1", "Unknown encoder"},
        {"cat >/dev/null; echo x >\"$sortie\"; echo 'muxer failed' >&2; exit 1", "muxer failed"},
        {"cat >/dev/null; exit 0", "rien écrit"},
        {"cat >/dev/null; echo n_importe_quoi >\"$sortie\"; exit 0", "tient 0 images"},
        {"exec sleep 60", "ne prend plus les images depuis 1 s", "1"},
        {"cat >/dev/null; exec sleep 60", "n'a pas fini 1 s après", "1"},
        {"exec 3<&0; cat <&3 >/dev/null & head -c 150000000 /dev/zero | tr '\\0' x >&2; exit 1", "xxxx"},
        {"cat >/dev/null; printf x >\"$sortie\"; exit 0", "rien écrit pendant", "30", true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.script);
        ecrit(cible, "ancienne");
        QFile faux(d.filePath("faux/ffmpeg"));
        ASSERT_TRUE(faux.open(QIODevice::WriteOnly | QIODevice::Truncate));
        faux.write(QByteArray("#!/bin/sh\nfor a; do sortie=$a; done\n") + c.script + "\n");
        faux.close();
        faux.setPermissions(QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("PATH", c.sans_sonde ? d.filePath("sans_sonde")
                           : *c.script ? d.filePath("faux") + ":/usr/bin:/bin"
                                       : d.filePath("vide"));
        env.insert("ORVALIS_DELAI_FFMPEG", c.delai);
        const Sortie s = lance({"--video", cible, "--du", "12/11/2000", "--au", "12/11/2000", "--size", "160x90"}, env);
        EXPECT_EQ(s.code, 1);
        EXPECT_TRUE(s.err.contains("ffmpeg") && s.err.contains(QString::fromUtf8(c.dit))) << s.err.left(2000).toStdString();
        EXPECT_EQ(contenu(cible), "ancienne");
        QStringList fichiers = QDir(d.path()).entryList(QDir::Files | QDir::Hidden);
        fichiers.removeAll(".a.mp4.Abc123.partiel");
        fichiers.removeAll(".notes.txt.qwerty.partiel");
        EXPECT_EQ(fichiers, QStringList{"a.mp4"});
    }
    EXPECT_FALSE(QFile::exists(d.filePath(".a.mp4.Abc123.partiel")));
    EXPECT_TRUE(QFile::exists(d.filePath(".notes.txt.qwerty.partiel")));
    // 150 MB of talk, of which orvalis kept the end: no child of this test
    // grew anywhere near it. The figure covers every child the test
    // process waited for, and an AddressSanitizer build holds freed memory
    // back, so it only means something run alone and unsanitized.
#if defined(__has_feature)
#if __has_feature(address_sanitizer)
#define ORVALIS_ASAN 1
#endif
#endif
#if !defined(__SANITIZE_ADDRESS__) && !defined(ORVALIS_ASAN)
    rusage r{};
    getrusage(RUSAGE_CHILDREN, &r);
    EXPECT_LT(r.ru_maxrss, 140 * 1024);
#endif
}

// Through a symbolic link the file it names becomes the video, the link
// stays; a period given backwards is the same period.
TEST(Video, LienEtPeriodeALEnvers)
{
    if (!avec_ffmpeg())
        GTEST_SKIP() << "ffmpeg absent";
    QTemporaryDir d;
    ecrit(d.filePath("vraie.mp4"), "ancienne");
    ASSERT_TRUE(QFile::link(d.filePath("vraie.mp4"), d.filePath("lien.mp4")));
    const Sortie s = lance({"--video", d.filePath("lien.mp4"), "--du", "13/11/2000", "--au", "12/11/2000", "--vitesse", "24",
                            "--fps", "2", "--size", "64x36", "--sans-cartons"});
    ASSERT_EQ(s.code, 0) << s.err.toStdString();
    EXPECT_TRUE(QFileInfo(d.filePath("lien.mp4")).isSymLink());
    QProcess sonde;
    sonde.start("ffprobe", {"-v", "error", "-count_packets", "-show_entries", "stream=nb_read_packets", "-of", "csv=p=0",
                            d.filePath("vraie.mp4")});
    ASSERT_TRUE(sonde.waitForFinished(30000));
    // Two days at a day a second, two frames a second: 00:00 to 23:59 of
    // the 13th is 1.999 s, frames 0 to 3.
    EXPECT_EQ(sonde.readAllStandardOutput().trimmed(), "4");
}

// What a video cannot be, refused before any frame (exit code 2); a
// protected file kept (exit code 1).
TEST(Video, DemandesRefusees)
{
    QTemporaryDir d;
    const QString v = d.filePath("a.mp4");
    ecrit(d.filePath("protege.mp4"), "ancien");
    QFile::setPermissions(d.filePath("protege.mp4"), QFileDevice::ReadOwner);
    const struct {
        QStringList args;
        int code;
        const char* message;
    } cas[] = {
        {{"--video", v, "--du", "02/04/2001", "--au", "05/04/2001"}, 2, "aucune position"},
        {{"--png", d.filePath("a.png"), "--instant", "15/12/2000 12:00", "--incrustations", "--size", "5000x3000"}, 2,
         "3840"},
        {{"--video", d.filePath("protege.mp4"), "--du", "12/11/2000", "--au", "12/11/2000"}, 1, "protégé"},
    };
    for (const auto& c : cas) {
        const Sortie s = lance(c.args);
        EXPECT_EQ(s.code, c.code) << c.args.join(' ').toStdString();
        EXPECT_TRUE(s.err.contains(QString::fromUtf8(c.message))) << s.err.toStdString();
    }
    EXPECT_FALSE(QFile::exists(v));
    EXPECT_FALSE(QFile::exists(d.filePath("a.png")));
    QFile::setPermissions(d.filePath("protege.mp4"), QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    EXPECT_EQ(contenu(d.filePath("protege.mp4")), "ancien");
}

// From the film bar: the export runs in the event loop's slices; cancelled,
// it leaves nothing; complete, the video is there.
TEST_F(FenetrePrincipale, ExportDepuisLeFilm)
{
    if (!avec_ffmpeg())
        GTEST_SKIP() << "ffmpeg absent";
    choisit(12, 11, 2000);
    carte->Validmenu();
    cadre->show();
    action(carte, "Filmcontinu1")->trigger();
    FilmContinu& f = carte->film;
    QTemporaryDir d;
    for (const bool annule : {true, false}) {
        SCOPED_TRACE(annule);
        const QString nom = d.filePath(annule ? "annule.webm" : "fini.mp4");
        f.choisit_video = [&](DialogueVideo& dialogue) {
            dialogue.du->setDate(QDate(2000, 11, 12));
            // Cancelled: long enough (9 days at an hour a second) to be
            // cancelled midway.
            dialogue.au->setDate(QDate(2000, 11, annule ? 20 : 12));
            dialogue.vitesse->setCurrentIndex(annule ? 0 : 4);
            dialogue.taille->setCurrentIndex(1);
            dialogue.fichier->setText(nom);
            return std::optional<ChoixVideo>(dialogue.choix(*f.chronologie));
        };
        messages.clear();
        f.barre->exporter->click();
        ASSERT_TRUE(f.export_video) << messages.join('\n').toStdString();
        EXPECT_FALSE(f.barre->exporter->isEnabled());
        if (annule) {
            QTRY_VERIFY(f.export_video->images_ecrites() >= 3);
            ASSERT_GE(f.export_video->images_ecrites(), 3);  // QTRY reports to Qt's log, not to the test
            QPushButton* annuler = f.export_video->progres->findChild<QPushButton*>();
            ASSERT_NE(annuler, nullptr);
            EXPECT_EQ(annuler->text(), "Annuler");
            annuler->click();
        }
        QTRY_VERIFY_WITH_TIMEOUT(f.barre->exporter->isEnabled(), 60000);
        ASSERT_TRUE(f.barre->exporter->isEnabled());
        ASSERT_EQ(messages.size(), 1);
        EXPECT_EQ(QFile::exists(nom), !annule) << messages[0].toStdString();
        EXPECT_TRUE(messages[0].startsWith(annule ? "Exportation annulée" : "Vidéo enregistrée")) << messages[0].toStdString();
    }
    EXPECT_EQ(QDir(d.path()).entryList(QDir::Files | QDir::Hidden), QStringList{"fini.mp4"});
}

}  // namespace
