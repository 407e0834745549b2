// The program on the command line, as a user runs it: each command line
// with its exit code and what it prints, and the files it writes read back.
#include "aide_fichiers.h"

#include <QImage>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

namespace {

struct Sortie {
    int code = -1;
    QString out, err;
};

Sortie lance(const QStringList& args, const QProcessEnvironment& env = QProcessEnvironment::systemEnvironment())
{
    QProcess p;
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(ORVALIS_PROGRAMME), args);
    p.waitForFinished(60000);
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, QString::fromUtf8(p.readAllStandardOutput()),
            QString::fromUtf8(p.readAllStandardError())};
}

QString contenu(const QString& chemin)
{
    QFile f(chemin);
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

}  // namespace

// Command lines refused as bad arguments: exit code 2, a French message and
// the usage text on stderr, nothing written.
TEST(LigneDeCommande, ArgumentsRefuses)
{
    QTemporaryDir d;
    const QString x = d.filePath("x.png");
    const struct {
        QStringList args;
        const char* message;
    } cas[] = {
        {{"--png"}, "--png : valeur manquante"},
        {{"--png", x, "--size", "12"}, "--size : dimensions invalides"},
        {{"--png", x, "--size", "0x10"}, "--size : dimensions invalides"},
        {{"--png", x, "--zone", "1", "2", "3"}, "--zone : quatre limites attendues"},
        {{"--png", x, "--zone", "95", "0", "0", "1"}, "--zone : latitude hors de -90..90"},
        {{"--png", x, "--zone", "10", "0", "181", "1"}, "--zone : longitude hors de -180..180"},
        {{"--png", x, "--zone", "10.75", "0", "0", "1"}, "--zone : minutes au-delà de 60"},
        {{"--png", x, "--zone", "4a", "0", "0", "1"}, "« 4a » n'est pas un nombre"},
        {{"--png", x, "--date", "30/02/2001"}, "--date : date invalide"},
        {{"--png", x, "--route"}, "--route ne s'emploie pas avec --png (carte seule) ; elle s'emploie avec --png --date ou --pdf --date."},
        {{"--png", x, "--png", "y.png"}, "--png : donnée plusieurs fois"},
        {{"--png", x, "--style", "sombre"}, "--style : « sombre » (classique ou moderne)."},
        {{"--video", "v.mp4", "--qualite", "haute"}, "--qualite : « haute » (rapide ou soignee)."},
        {{"--png", x, "--sans-cartons"}, "--sans-cartons ne s'emploie pas avec --png (carte seule)"},
        {{"--pdf", x, "--ecarts"}, "--ecarts s'emploie avec --png --ecarts."},
        {{"--pdf", x, "--instant", "01/01/2001 12:00", "--incrustations"}, "--incrustations ne s'emploie pas avec --pdf --instant"},
        {{"--pdf", x, "--png", x}, "ne se combinent pas"},
        {{"--size", "10x10"}, "--size s'emploie avec --png, --pdf ou --video."},
        {{"--zone", "1", "2", "3", "4"}, "--zone s'emploie avec --png (carte seule), --png --date, --pdf (carte seule) ou --pdf --date."},
        {{"--inconnu"}, "Argument inconnu : « --inconnu »"},
        {{"extra"}, "Argument inconnu : « extra »"},
        {{"--distance"}, "--distance : valeur manquante"},
        {{"--distance", "1", "2", "3"}, "quatre valeurs attendues"},
        {{"--distance", "1", "2", "3", "x"}, "« x » n'est pas un nombre"},
        {{"--distance", "91", "0", "0", "0"}, "--distance : latitude hors de -90..90"},
        {{"--distance", "0", "0", "-90.5", "0"}, "--distance : latitude hors de -90..90"},
        {{"--distance", "0", "361", "0", "0"}, "--distance : longitude hors de -360..360"},
        {{"--distance", "89.99", "0", "0", "0"}, "--distance : minutes au-delà de 60"},
        {{"--distance", "1", "2", "3", "4", "5"}, "Argument inconnu : « 5 »"},
        {{"--distance", "1", "2", "3", "4", "--classement", "12/11/2000"}, "ne se combinent pas"},
        {{"--classement"}, "--classement : valeur manquante"},
        {{"--classement", "31/11/2000"}, "--classement : date invalide"},
        {{"--classement", "29/02/2001"}, "date invalide"},
        {{"--classement", "29/02/2100"}, "date invalide"},
        {{"--classement", "1/13/2000"}, "date invalide"},
        {{"--classement", "10-11-2000"}, "date invalide"},
        {{"--classement", "10/11/00"}, "date invalide"},
        {{"--classement", "01/01/0000"}, "date invalide"},
        {{"--actualiser", "--date", "31/02/2001"}, "--date : date invalide"},
        {{"--actualiser", "--date", "10/11/2100"}, "--date : 10/11/2100 n'est pas un jour de la course (du 10/11/2000 au 15/04/2001)"},
        {{"--actualiser", "--date", "09/11/2000"}, "n'est pas un jour de la course"},
        {{"--classement", "06/12/2100"}, "--classement : 06/12/2100 n'est pas un jour de la course"},
        {{"--png", x, "--date", "06/12/2100"}, "--date : 06/12/2100 n'est pas un jour de la course"},
        {{"--png", x, "--instant", "15/12/2000 10h00", "--incrustations", "--du", "01/01/1999"}, "--du : 01/01/1999 n'est pas un jour"},
        {{"--actualiser", "--source", ""}, "--source : adresse ou fichier manquant"},
        {{"--actualiser", "--zone", "1", "2", "3", "4"}, "--zone ne s'emploie pas avec --actualiser"},
        {{"--source", "x.html"}, "--source s'emploie avec --actualiser"},
        {{"--statistiques", "--csv", ""}, "--csv : nom de fichier manquant"},
        {{"--statistiques", "--size", "10x10"}, "--size ne s'emploie pas avec --statistiques"},
        {{"--csv", "b.csv"}, "--csv s'emploie avec --statistiques, --positions ou --duel."},
        {{"--duel", "Arvelin"}, "--duel : deux noms attendus"},
        {{"--duel", "Arvelin", "Inconnu"}, "--duel : concurrent inconnu « Inconnu »"},
        {{"--duel", "Arvelin", "arvelin"}, "--duel : deux fois le même concurrent (Arvelin)"},
        {{"--duel", "Arvelin", "Marvelle", "--pas", "0"}, "--pas : « 0 » (de 1 à 240 heures)."},
        {{"--png", x, "--scale", "5"}, "--scale : échelle invalide « 5 »"},
        {{"--png", x, "--scale", "0.5"}, "--scale : échelle invalide"},
        {{"--png", x, "--scale", "1,5"}, "--scale : échelle invalide"},
        {{"--png", x, "--size", "9000x10", "--scale", "2"}, "--scale : image de 18000x20 pixels, plus de 16384 de côté"},
        {{"--scale", "2"}, "--scale s'emploie avec --png"},
        {{"--positions", "31/02/2001 10:00"}, "--positions : instant invalide « 31/02/2001 10:00 »"},
        {{"--positions", "15/12/2000", "25:00"}, "--positions : instant invalide"},
        {{"--positions", "15/12/2000"}, "--positions : instant invalide"},
        {{"--positions", "01/01/1999 10:00"}, "Instant hors des archives : « 01/01/1999 10:00 » (du 10/11/2000 20:00 au"},
        {{"--positions", "15/12/2000 10:00", "--size", "10x10"}, "--size ne s'emploie pas avec --positions"},
        {{"--instant", "15/12/2000 10:00"}, "--instant s'emploie avec --png"},
        {{"--png", x, "--instant", "15/12/2000 10h00", "--trainee", "2"}, "--trainee : « 2 » (0, 1, 3, 7 ou tout)"},
        {{"--png", x, "--instant", "15/12/2000 10h00", "--suivre", "Personne"}, "--suivre : concurrent inconnu « Personne »"},
        {{"--png", x, "--instant", "15/12/2000 10h00", "--date", "15/12/2000"}, "--date ne s'emploie pas avec --png --instant ; elle s'emploie avec --png --date, --pdf --date ou --actualiser."},
        {{"--png", x, "--trainee", "3"}, "--trainee ne s'emploie pas avec --png (carte seule) ; elle s'emploie avec --png --instant, --pdf --instant ou --video."},
        {{"--ecarts"}, "--ecarts s'emploie avec --png"},
        {{"--trajets", "tous"}, "--trajets s'emploie avec --png --trajets, --pdf --trajets, --gpx ou --kml."},
        {{"--du", "12/11/2000"}, "--du s'emploie avec --png --trajets, --png --instant, --pdf --trajets, --gpx, --kml, --duel ou --video."},
        {{"--png", x, "--trajets", "Inconnu"}, "--trajets : concurrent inconnu « Inconnu »"},
        {{"--png", x, "--trajets", ",,"}, "--trajets : aucun concurrent"},
        {{"--png", x, "--trajets", "tous", "--du", "32/11/2000"}, "--du : date invalide « 32/11/2000 »"},
        {{"--png", x, "--trajets", "tous", "--au", "01/01/1999"}, "Pas de fichier du jour le 01/01/1999"},
        {{"--png", x, "--trajets", "tous", "--date", "12/11/2000"}, "--date ne s'emploie pas avec --png --trajets"},
        {{"--gpx", d.filePath("t.kml")}, "--gpx : le nom du fichier doit finir par .gpx"},
        {{"--kml", d.filePath("t.gpx")}, "--kml : le nom du fichier doit finir par .kml"},
        {{"--gpx", d.filePath("t.gpx"), "--size", "10x10"}, "--size ne s'emploie pas avec --gpx ; elle s'emploie avec --png, --pdf ou --video."},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        const Sortie s = lance(c.args);
        EXPECT_EQ(s.code, 2) << s.err;
        EXPECT_TRUE(s.err.contains(QString::fromUtf8(c.message))) << s.err;
        EXPECT_TRUE(s.err.contains("Usage :")) << s.err;
    }
    EXPECT_TRUE(QDir(d.path()).isEmpty());
}

// What the commands print, and their exit codes when nothing can be done.
TEST(LigneDeCommande, ReponsesEtCodes)
{
    for (const char* aide : {"--help", "-h"}) {
        const Sortie s = lance({aide});
        EXPECT_EQ(s.code, 0);
        EXPECT_TRUE(s.out.startsWith("Usage :") && s.out.contains("--classement") && s.err.isEmpty());
    }
    Sortie s = lance({"--distance", "46.30", "1.47", "40.00", "60.00"});
    EXPECT_EQ(s.code, 0);
    for (const char* ligne : {"Distance orthodromique : 2515.6 milles\n", "Distance loxodromique : 2570.18 milles\n",
                              "Cap loxodromique : 261.272°\n", "Points intermédiaires : 16\n", "Point 1 : 46.4965 4.0000 cap ",
                              "Point 16 : 40.3520 58.3469 cap ", "Arrivée : 40.0000 60.0000 cap "})
        EXPECT_TRUE(s.out.contains(QString::fromUtf8(ligne))) << ligne;
    // One meridian in two spellings: no point, no nan; the long way round
    // taken the short way in both orders.
    for (const QStringList& a : {QStringList{"0", "10.6", "0", "11"}, QStringList{"10", "5", "20", "5.000000000000001"}}) {
        s = lance(QStringList{"--distance"} + a);
        EXPECT_TRUE(s.code == 0 && !s.out.contains("nan") && s.out.contains("Points intermédiaires : 0")) << s.out;
    }
    for (const QStringList& a : {QStringList{"40.00", "-94.00", "40.00", "14.00"}, QStringList{"40.00", "14.00", "40.00", "-94.00"}}) {
        s = lance(QStringList{"--distance"} + a);
        EXPECT_TRUE(s.out.contains("Distance loxodromique : 4963.97 milles")) << s.out;
        EXPECT_FALSE(s.out.contains(QRegularExpression(" -[2-9][0-9]\\.[0-9]+ [0-9.-]+ cap"))) << s.out;
    }

    s = lance({"--classement", "06/12/2000"});
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(s.out.count('\n'), 26);
    for (const char* t : {"Pos  Skipper    Bateau", "=========", "\n1  ", "\nNC Marvelle", "Abandon - d"})
        EXPECT_TRUE(s.out.contains(QString::fromUtf8(t))) << t;
    for (const char* jour : {"25/11/2000", "29/02/2000"}) {
        s = lance({"--classement", jour});
        EXPECT_EQ(s.code, 1);
        EXPECT_TRUE(s.err.contains("Non disponible : autre date ?")) << s.err;
    }
    // The decimal separator of the user's regional settings.
    QProcessEnvironment fr = QProcessEnvironment::systemEnvironment();
    fr.insert("LC_ALL", "fr_FR.UTF-8");
    fr.insert("LANG", "fr_FR.UTF-8");
    s = lance({"--classement", "12/11/2000"}, fr);
    EXPECT_TRUE(s.code == 0 && s.out.contains(QRegularExpression("[0-9],[0-9] +nds"))) << s.out;
    // No note from Qt about XDG_RUNTIME_DIR on the command line.
    QProcessEnvironment sans = QProcessEnvironment::systemEnvironment();
    sans.remove("XDG_RUNTIME_DIR");
    QTemporaryDir d;
    s = lance({"--png", d.filePath("petit.png"), "--size", "80x60"}, sans);
    EXPECT_EQ(s.code, 0);
    EXPECT_FALSE(s.err.contains("XDG_RUNTIME_DIR")) << s.err;
}

// The pictures and the tracks: the period in either order, the files read
// back; a period without any fix said, nothing written.
TEST(LigneDeCommande, TrajetsPeriodesEtExports)
{
    QTemporaryDir d;
    Sortie s = lance({"--png", d.filePath("monde.png"), "--size", "400x300"});
    EXPECT_EQ(s.code, 0);
    EXPECT_TRUE(QImage(d.filePath("monde.png")).size() == QSize(400, 300));
    s = lance({"--png", d.filePath("zone.png"), "--zone", "50.00", "44.00", "6.00", "-3.00"});
    EXPECT_EQ(s.code, 0);
    EXPECT_EQ(QImage(d.filePath("zone.png")).size(), QSize(804, 585));
    s = lance({"--png", d.filePath("deux.png"), "--trajets", "arvelin,Darnoux", "--du", "12/11/2000", "--au", "20/11/2000",
               "--size", "640x480"});
    EXPECT_EQ(s.code, 0) << s.err;
    EXPECT_EQ(QImage(d.filePath("deux.png")).size(), QSize(640, 480));

    // 12 to 14 November: three fixes, whichever date comes first.
    for (const QStringList& periode : {QStringList{"--du", "12/11/2000", "--au", "14/11/2000"},
                                       QStringList{"--du", "14/11/2000", "--au", "12/11/2000"}}) {
        s = lance(QStringList{"--gpx", d.filePath("a.gpx"), "--trajets", "Arvelin"} + periode);
        EXPECT_EQ(s.code, 0) << s.err;
        const QString gpx = contenu(d.filePath("a.gpx"));
        EXPECT_EQ(gpx.count("<trkpt "), 3);
        EXPECT_EQ(gpx.count("<trk>"), 1);
        EXPECT_TRUE(gpx.contains("<time>2000-11-12T") && gpx.contains("<time>2000-11-14T")) << gpx;
    }
    // --du alone runs to the end, --au alone from the start; all entrants
    // by default.
    s = lance({"--kml", d.filePath("t.kml"), "--au", "11/11/2000"});
    EXPECT_EQ(s.code, 0) << s.err;
    const QString kml = contenu(d.filePath("t.kml"));
    EXPECT_EQ(kml.count("<Placemark>"), 24);
    EXPECT_FALSE(kml.contains("<when>2000-11-12"));
    s = lance({"--gpx", d.filePath("fin.gpx"), "--trajets", "Arvelin", "--du", "03/03/2001"});
    EXPECT_EQ(s.code, 0) << s.err;
    EXPECT_FALSE(contenu(d.filePath("fin.gpx")).contains("<time>2001-03-02"));

    // The moment as a table in the ranking's order, and as CSV; the film's
    // picture, at twice the density.
    s = lance({"--positions", "15/12/2000", "14:30"});
    EXPECT_EQ(s.code, 0) << s.err;
    const QStringList lignes = s.out.split(u'\n', Qt::SkipEmptyParts);
    EXPECT_EQ(lignes.size(), 1 + 23) << s.out;  // Darnoux retired on 21 November
    EXPECT_TRUE(lignes[0].startsWith("Rang  Skipper")) << s.out;
    EXPECT_TRUE(lignes[1].startsWith("   1  Sauvrelin") && lignes[1].endsWith("interpolé")) << s.out;
    s = lance({"--positions", "15/12/2000 20h00", "--csv", d.filePath("p.csv")});
    EXPECT_EQ(s.code, 0) << s.err;
    const QStringList csv = contenu(d.filePath("p.csv")).split("\r\n", Qt::SkipEmptyParts);
    EXPECT_EQ(csv.value(0).remove(QChar(0xFEFF)), "Rang;Skipper;Bateau;Latitude;Longitude;Position");
    EXPECT_TRUE(csv.value(1).endsWith(";relevé")) << csv.value(1);
    // Two boats compared every 6 hours over two days, a name with a blank;
    // the gain starts at zero; a boat retired has no position.
    s = lance({"--duel", "Le Bravic", "Sauvrelin", "--du", "14/12/2000", "--au", "15/12/2000", "--csv", d.filePath("d.csv")});
    EXPECT_EQ(s.code, 0) << s.err;
    const QStringList duel = contenu(d.filePath("d.csv")).split("\r\n", Qt::SkipEmptyParts);
    ASSERT_EQ(duel.size(), 1 + 8);
    EXPECT_TRUE(duel[0].endsWith(";Écart (milles);Relèvement (°);Gain (milles)")) << duel[0];
    EXPECT_TRUE(duel[1].startsWith("14/12/2000 00h00;") && duel[1].endsWith(";0,0")) << duel[1];
    s = lance({"--duel", "Darnoux", "Arvelin", "--du", "20/11/2000", "--au", "23/11/2000", "--pas", "24"});
    EXPECT_EQ(s.code, 0) << s.err;
    EXPECT_TRUE(s.out.contains("sans position")) << s.out;
    s = lance({"--png", d.filePath("i.png"), "--instant", "25/12/2000 08:00", "--suivre", "tete", "--trainee", "tout",
               "--size", "400x300", "--scale", "2"});
    EXPECT_EQ(s.code, 0) << s.err;
    EXPECT_EQ(QImage(d.filePath("i.png")).size(), QSize(800, 600));

    // Darnoux retired on 21 November: no fix afterwards.
    s = lance({"--png", d.filePath("rien.png"), "--trajets", "Darnoux", "--du", "26/11/2000", "--au", "30/11/2000"});
    EXPECT_EQ(s.code, 1);
    EXPECT_TRUE(s.err.contains("Aucune position pour ces concurrents sur cette période.")) << s.err;
    EXPECT_FALSE(QFile::exists(d.filePath("rien.png")));
    for (const char* f : {"gpx", "kml"}) {
        s = lance({QStringLiteral("--") + f, d.filePath(QStringLiteral("rien.") + f), "--trajets", "Darnoux", "--du",
                   "26/11/2000", "--au", "30/11/2000"});
        EXPECT_EQ(s.code, 1) << f;
        EXPECT_TRUE(s.err.contains("Aucune position pour ces concurrents sur cette période.")) << s.err;
        EXPECT_FALSE(QFile::exists(d.filePath(QStringLiteral("rien.") + f)));
    }
}

// The update on the command line: the sample page of the day after the
// archive, read back; a missing page, nothing written.
// Hostile files around the program: an unreadable day file named (exit 1
// for its day, skipped by the whole race, said once), a full standard
// output a failure, settings files that are FIFOs said once and passed by.
TEST(LigneDeCommande, FichiersHostiles)
{
    QTemporaryDir d;
    const QString copie = copie_du_programme(d.path());
    for (const char* jour : {"101100.txt", "121100.txt"})
        ASSERT_TRUE(QFile::copy(QStringLiteral(ORVALIS_DONNEES "/") + jour, d.filePath(jour)));
    ecrit(d.filePath("111100.txt"), "");
    QDir().mkpath(d.filePath("conf/Orvalis"));
    for (const char* tube : {"conf/Orvalis/orvalis.conf", "posorvls.ini"})
        ASSERT_EQ(::mkfifo(QFile::encodeName(d.filePath(tube)).constData(), 0600), 0);
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", d.filePath("conf"));
    const struct {
        QStringList args;
        const char* sortie;  // the standard output's file, if not a pipe
        int code;
        QStringList dits;    // said once each on stderr
    } cas[] = {
        {{"--classement", "11/11/2000"}, nullptr, 1, {"« 111100.txt »", "orvalis.conf"}},
        {{"--statistiques"}, nullptr, 0, {"laissés de côté : 111100.txt", "orvalis.conf"}},
        {{"--statistiques"}, "/dev/full", 1, {"sortie standard : disque plein"}},
        {{"--png", d.filePath("a.png"), "--size", "40x30"}, nullptr, 0, {"posorvls.ini", "orvalis.conf"}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.args.join(' ').toStdString());
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(d.path());
        if (c.sortie)
            p.setStandardOutputFile(c.sortie);
        p.start(copie, c.args);
        ASSERT_TRUE(p.waitForFinished(20000));
        EXPECT_EQ(p.exitCode(), c.code);
        const QString err = QString::fromUtf8(p.readAllStandardError());
        for (const QString& dit : c.dits)
            EXPECT_EQ(err.count(dit), 1) << dit.toStdString() << "\n" << err.toStdString();
    }
}

TEST(LigneDeCommande, Actualiser)
{
    QTemporaryDir d;
    // A copy of the program beside which the day is written.
    const QString copie = copie_du_programme(d.path());
    QProcess p;
    p.start(copie, {"--actualiser", "--source", QStringLiteral(ORVALIS_DONNEES "/exemple-classement.html"), "--date",
                    "11/03/2001"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 0) << p.readAllStandardError().toStdString();
    EXPECT_EQ(QString::fromUtf8(p.readAllStandardOutput()).trimmed(), d.filePath("110301.txt"));
    p.start(copie, {"--classement", "11/03/2001"});
    ASSERT_TRUE(p.waitForFinished(60000));
    const QString table = QString::fromUtf8(p.readAllStandardOutput());
    EXPECT_TRUE(table.contains(QStringLiteral("Arrivé le 10/02/2001")) && table.contains("Abandon - safran")) << table;
    p.start(copie, {"--actualiser", "--source", d.filePath("absente.html"), "--date", "12/03/2001"});
    ASSERT_TRUE(p.waitForFinished(60000));
    EXPECT_EQ(p.exitCode(), 1);
    EXPECT_TRUE(p.readAllStandardError().contains("Classement introuvable"));
    EXPECT_FALSE(QFile::exists(d.filePath("120301.txt")));
}

// Another race with --course: the sample fleet answers the commands of
// continuous time; the commands of day files say it has none; another
// race's folder of day files reads its own days.
TEST(LigneDeCommande, AutreCourse)
{
    const QString flotte = QStringLiteral(ORVALIS_DONNEES "/exemples/alizes.gpx");
    QTemporaryDir d;
    Sortie s = lance({"--course", flotte, "--positions", "05/03/2024 12:00"});
    ASSERT_EQ(s.code, 0) << s.err;
    EXPECT_EQ(s.out.count('\n'), 41);
    // Ranked by distance to the finish; the boat with a long gap estimated.
    EXPECT_TRUE(s.out.contains(QRegularExpression("\\n +1  \\S")) && s.out.contains("estimé")) << s.out;
    // Later, the two retired have gone a day after their last fix, the
    // first home are at the finish.
    s = lance({"--course", flotte, "--positions", "09/03/2024 12:00"});
    EXPECT_TRUE(s.code == 0 && s.out.count('\n') == 39 && s.out.contains("arrivé")) << s.out;
    s = lance({"--course", flotte, "--statistiques", "--csv", d.filePath("b.csv")});
    EXPECT_EQ(s.code, 0) << s.err;
    EXPECT_EQ(contenu(d.filePath("b.csv")).count('\n'), 41);
    s = lance({"--course", flotte, "--png", d.filePath("i.png"), "--instant", "05/03/2024 12:00", "--incrustations",
               "--size", "320x180"});
    EXPECT_EQ(s.code, 0) << s.err;
    for (const QStringList& a : {QStringList{"--classement", "04/03/2024"}, QStringList{"--png", d.filePath("x.png"), "--date", "04/03/2024"},
                                 QStringList{"--actualiser"}}) {
        s = lance(QStringList{"--course", flotte} + a);
        EXPECT_EQ(s.code, 2) << a.join(' ').toStdString();
        EXPECT_TRUE(s.err.contains("n'a pas de fichiers du jour")) << s.err;
    }
    s = lance({"--course", d.filePath("absente.gpx"), "--positions", "05/03/2024 12:00"});
    EXPECT_TRUE(s.code == 1 && s.err.contains("absente.gpx")) << s.err;
    s = lance({"--course", flotte, "--distance", "0", "0", "1", "1"});
    EXPECT_EQ(s.code, 2);
    // A folder of day files with its description: two of the shipped days
    // under another race's name.
    QDir().mkpath(d.filePath("autre"));
    for (const char* j : {"121100.txt", "131100.txt"})
        QFile::copy(QStringLiteral(ORVALIS_DONNEES "/") + QLatin1String(j), d.filePath("autre/") + QLatin1String(j));
    QFile desc(QStringLiteral(ORVALIS_DONNEES "/orvalis.course"));
    ASSERT_TRUE(desc.open(QIODevice::ReadOnly));
    QByteArray texte = desc.readAll().replace("premier jour=10/11/2000", "premier jour=12/11/2000");
    texte.replace(QByteArray("marques=lstmp.txt\r\nlieux=lstlieux.txt\r\nroute=FIMPV.txt\r\n"), QByteArray());
    QFile autre(d.filePath("autre/autre.course"));
    ASSERT_TRUE(autre.open(QIODevice::WriteOnly));
    autre.write(texte);
    autre.close();
    s = lance({"--course", d.filePath("autre"), "--classement", "13/11/2000"});
    EXPECT_EQ(s.code, 0) << s.err;
    EXPECT_EQ(s.out, lance({"--classement", "13/11/2000"}).out);
}

// The picture as a vector page: its texts read back as text, the coast's
// dots one picture at most, the page the same picture as --png gives
// (anti-aliasing apart), in both styles; a day without a file writes nothing.
TEST(LigneDeCommande, PdfVectoriel)
{
    QTemporaryDir d;
    const auto sortie = [](const QString& programme, const QStringList& args) {
        QProcess p;
        p.start(programme, args);
        p.waitForFinished(60000);
        return QString::fromUtf8(p.readAllStandardOutput());
    };
    for (const char* style : {"classique", "moderne"}) {
        SCOPED_TRACE(style);
        const QStringList jour{"--date", "25/12/2000", "--size", "900x600", "--style", style};
        const QString pdf = d.filePath(QStringLiteral("j-%1.pdf").arg(style)), png = d.filePath("j.png");
        ASSERT_EQ(lance(QStringList{"--pdf", pdf} + jour).code, 0);
        ASSERT_EQ(lance(QStringList{"--png", png} + jour).code, 0);
        const QString texte = sortie("pdftotext", {pdf, "-"});
        for (const char* mot : {"Tasmanie", "Esquilan", "Fauvrelin", "40 S"})
            EXPECT_TRUE(texte.contains(QLatin1String(mot))) << mot << texte.toStdString();
        const QStringList images = sortie("pdfimages", {"-list", pdf}).split('\n', Qt::SkipEmptyParts).filter(QRegularExpression("^ *1 +[0-9]+ +image "));
        EXPECT_LE(images.size(), QLatin1String(style) == QLatin1String("moderne") ? 0 : 1) << images.join('\n').toStdString();
        sortie("pdftoppm", {"-r", "96", "-png", "-singlefile", pdf, d.filePath("rendu")});
        const QImage a(png), b(d.filePath("rendu.png"));
        ASSERT_EQ(a.size(), b.size());
        int differents = 0;
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QRgb u = a.pixel(x, y), v = b.pixel(x, y);
                differents += std::abs(qRed(u) - qRed(v)) + std::abs(qGreen(u) - qGreen(v)) + std::abs(qBlue(u) - qBlue(v)) > 96;
            }
        EXPECT_LT(differents, a.width() * a.height() / 20);
    }
    const Sortie s = lance({"--pdf", d.filePath("absent.pdf"), "--date", "25/11/2000"});
    EXPECT_EQ(s.code, 1);
    EXPECT_FALSE(QFile::exists(d.filePath("absent.pdf")));
    EXPECT_EQ(lance({"--pdf", d.filePath("non/la.pdf")}).code, 1);
}
