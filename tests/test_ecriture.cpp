// The one writer of the program's files: a write that fails says so, and
// the previous file survives a failure, a file-size limit or a kill at any
// step of the write.
#include "aide_fichiers.h"
#include "ecriture.h"

#include <QDateTime>
#include <QProcess>
#include <QTemporaryDir>
#include <cerrno>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <thread>
#include <sys/wait.h>
#include <unistd.h>

using namespace orv;

namespace {
QByteArray contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QStringList temporaires(const QTemporaryDir& d)
{
    return QDir(d.path()).entryList({"cible.txt.*"}, QDir::Files | QDir::Hidden);
}

// A file-size limit for the time of a test, SIGXFSZ ignored as the program
// does: writes past it fail with EFBIG.
class LimiteDeTaille {
public:
    explicit LimiteDeTaille(rlim_t octets)
    {
        getrlimit(RLIMIT_FSIZE, &avant_);
        rlimit l = avant_;
        l.rlim_cur = octets;
        setrlimit(RLIMIT_FSIZE, &l);
        signal_ = std::signal(SIGXFSZ, SIG_IGN);
    }
    ~LimiteDeTaille()
    {
        setrlimit(RLIMIT_FSIZE, &avant_);
        std::signal(SIGXFSZ, signal_);
    }

private:
    rlimit avant_{};
    void (*signal_)(int) = nullptr;
};
}  // namespace

TEST(Ecriture, EchecsSignalesAncienFichierGarde)
{
    QTemporaryDir d;
    const QString cible = d.filePath("cible.txt");
    ecrit(cible, "ancien\r\n");
    QString err;
    {
        const LimiteDeTaille limite(1024);
        EXPECT_FALSE(ecrit_fichier(cible, QByteArray(2177, 'x'), err));
        EXPECT_TRUE(err.contains("fichier trop grand")) << err;
        EXPECT_TRUE(ecrit_fichier(d.filePath("petit.txt"), QByteArray(1000, 'x'), err)) << err;
    }
    EXPECT_EQ(contenu(cible), "ancien\r\n");
    EXPECT_TRUE(temporaires(d).isEmpty());
    EXPECT_FALSE(ecrit_fichier(d.filePath("absent/cible.txt"), "x", err));
    EXPECT_EQ(err, "Écriture impossible de « " + d.filePath("absent/cible.txt") + " » : dossier absent.");
    // A folder in the file's place.
    QDir().mkpath(d.filePath("dossier.txt"));
    EXPECT_FALSE(ecrit_fichier(d.filePath("dossier.txt"), "x", err));
    EXPECT_TRUE(QFileInfo(d.filePath("dossier.txt")).isDir());
    // Lines in code page 1252 with CR LF.
    ASSERT_TRUE(ecrit_lignes(cible, {QStringLiteral("Océane €"), "2D-3D"}, err));
    EXPECT_EQ(contenu(cible), "Oc\xE9" "ane \x80\r\n2D-3D\r\n");
}

// Through a symbolic link (to a file, to none yet) the file it names is
// written and the link stays; a FIFO is written as a FIFO.
TEST(Ecriture, LiensEtTubes)
{
    QTemporaryDir d;
    QDir().mkpath(d.filePath("reel"));
    ecrit(d.filePath("reel/bilan.csv"), "ancien");
    ASSERT_TRUE(QFile::link(d.filePath("reel/bilan.csv"), d.filePath("lien.csv")));
    ASSERT_TRUE(QFile::link(d.filePath("reel/nouveau.gpx"), d.filePath("pendant.gpx")));
    QString err;
    EXPECT_TRUE(ecrit_fichier(d.filePath("lien.csv"), "neuf", err)) << err;
    EXPECT_TRUE(ecrit_fichier(d.filePath("pendant.gpx"), "trace", err)) << err;
    EXPECT_TRUE(QFileInfo(d.filePath("lien.csv")).isSymLink());
    EXPECT_TRUE(QFileInfo(d.filePath("pendant.gpx")).isSymLink());
    EXPECT_EQ(contenu(d.filePath("reel/bilan.csv")), "neuf");
    EXPECT_EQ(contenu(d.filePath("reel/nouveau.gpx")), "trace");

    const QByteArray tube = QFile::encodeName(d.filePath("tube.kml"));
    ASSERT_EQ(::mkfifo(tube.constData(), 0600), 0);
    QByteArray lu;
    std::thread lecteur([&] {
        QFile f(QFile::decodeName(tube));
        if (f.open(QIODevice::ReadOnly))
            lu = f.readAll();
    });
    EXPECT_TRUE(ecrit_fichier(QFile::decodeName(tube), QByteArray(100000, 'k'), err)) << err;
    lecteur.join();
    EXPECT_EQ(lu.size(), 100000);
    struct stat st {};
    ASSERT_EQ(::stat(tube.constData(), &st), 0);
    EXPECT_TRUE(S_ISFIFO(st.st_mode));
}

// The system's answers made hostile: short writes are continued from where
// they stopped, a failed flush to the disk fails the write (the old file
// kept), every write is flushed before its rename, and a replaced file
// keeps its permissions.
TEST(Ecriture, AppelsSystemeHostiles)
{
    QTemporaryDir d;
    const QString cible = d.filePath("cible.txt");
    QByteArray nouveau(100000, 'x');
    for (int k = 0; k < nouveau.size(); ++k)
        nouveau[k] = char('a' + k % 23);
    static int synchronisations;
    const AppelsEcriture systeme = appels_ecriture;
    const struct {
        const char* quoi;
        AppelsEcriture appels;
        bool reussit;
    } cas[] = {
        {"écritures courtes", {[](int fd, const void* p, unsigned long n) { return long(::write(fd, p, std::min(n, 997ul))); },
                               [](int fd) { ++synchronisations; return ::fsync(fd); }}, true},
        {"synchronisation en échec", {systeme.ecrit, [](int) { ++synchronisations; errno = EIO; return -1; }}, false},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quoi);
        ecrit(cible, "ancien");
        ASSERT_EQ(::chmod(QFile::encodeName(cible).constData(), 0640), 0);
        synchronisations = 0;
        appels_ecriture = c.appels;
        QString err;
        const bool ok = ecrit_fichier(cible, nouveau, err);
        appels_ecriture = systeme;
        EXPECT_EQ(ok, c.reussit) << err;
        EXPECT_EQ(synchronisations, 1);
        EXPECT_EQ(contenu(cible), c.reussit ? nouveau : QByteArray("ancien"));
        EXPECT_EQ(err.contains("erreur du disque"), !c.reussit) << err;
        struct stat st {};
        ASSERT_EQ(::stat(QFile::encodeName(cible).constData(), &st), 0);
        EXPECT_EQ(st.st_mode & 07777, 0640u);
        EXPECT_TRUE(temporaires(d).isEmpty());
    }
}

// A kill at each step of the write, made exact by the fault hook: before
// the rename the old file is whole, after it the new one; what is left
// behind is removed by a later clean-up once old enough.
TEST(Ecriture, TueAChaqueEtape)
{
    QTemporaryDir d;
    const QString cible = d.filePath("cible.txt");
    const QByteArray ancien = "ancien\r\n", nouveau = QByteArray(5000, 'n');
    for (EtapeEcriture etape : {EtapeEcriture::Ouvert, EtapeEcriture::Ecrit, EtapeEcriture::Synchronise,
                                EtapeEcriture::Renomme}) {
        SCOPED_TRACE(int(etape));
        ecrit(cible, ancien);
        static EtapeEcriture fatale;
        fatale = etape;
        const pid_t p = fork();
        ASSERT_GE(p, 0);
        if (p == 0) {
            crochet_ecriture = [](EtapeEcriture e, qint64) {
                if (e == fatale)
                    _exit(9);
            };
            QString err;
            ecrit_fichier(cible, nouveau, err);
            _exit(0);
        }
        int statut = 0;
        ASSERT_EQ(waitpid(p, &statut, 0), p);
        ASSERT_TRUE(WIFEXITED(statut) && WEXITSTATUS(statut) == 9);
        EXPECT_EQ(contenu(cible), etape == EtapeEcriture::Renomme ? nouveau : ancien);
    }
    // Three writes were stopped before their rename.
    ASSERT_EQ(temporaires(d).size(), 3);
    EXPECT_EQ(nettoie_temporaires(d.path(), "cible\\.txt", 60), 0);  // young: may be in progress
    for (const QString& t : temporaires(d)) {
        QFile f(d.filePath(t));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        f.setFileTime(QDateTime::currentDateTime().addSecs(-120), QFileDevice::FileModificationTime);
    }
    EXPECT_EQ(nettoie_temporaires(d.path(), "cible\\.txt", 60), 3);
    EXPECT_TRUE(temporaires(d).isEmpty());
}

// The program itself under a file-size limit: every command that writes
// says why in French, exits 1 and leaves the old file.
TEST(Ecriture, CommandesSousLimiteDeTaille)
{
    QTemporaryDir d;
    const QString prog = QStringLiteral(ORVALIS_PROGRAMME);
    const QString source = QStringLiteral(ORVALIS_SOURCES "/tests/donnees/classement97.html");
    const struct Cas {
        const char* fichier;
        QStringList args;
    } cas[] = {
        {"121100.txt", {"--actualiser", "--source", source, "--date", "12/11/2000"}},
        {"bilan.csv", {"--statistiques", "--csv", d.filePath("bilan.csv")}},
        {"monde.png", {"--png", d.filePath("monde.png"), "--size", "400x300"}},
        {"trajets.gpx", {"--gpx", d.filePath("trajets.gpx")}},
    };
    // A copy of the program with two days of the archive beside it: the
    // update writes there.
    const QString copie = copie_du_programme(d.path());
    for (const char* jour : {"101100.txt", "111100.txt"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORVALIS_DONNEES "/") + jour, d.filePath(jour)));
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.fichier);
        ecrit(d.filePath(c.fichier), "ancien");
        QProcess p;
        p.setWorkingDirectory(d.path());
        p.start("bash", QStringList{"-c", "ulimit -f 1; exec \"$0\" \"$@\"", copie} + c.args);
        ASSERT_TRUE(p.waitForFinished(60000));
        const QString err = QString::fromUtf8(p.readAllStandardError());
        EXPECT_EQ(p.exitCode(), 1) << err;
        EXPECT_TRUE(err.contains("fichier trop grand")) << err;
        EXPECT_EQ(contenu(d.filePath(c.fichier)), "ancien");
    }
}
