// The whole race entrant by entrant: the assembly of the archive, the
// day-by-day stepping of a replay, the fix times and the GPX/KML exports
// (read back by gpsbabel and ogrinfo).
#include "calendrier.h"
#include "aide_cartes.h"
#include "ecriture.h"
#include "texte.h"
#include "trajets.h"
#include "viewport.h"
#include "exports.h"
#include "fichier_jour.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <cmath>
#include <functional>
#include <unistd.h>
#include <gtest/gtest.h>

using namespace orv;

namespace {

// A block of a day file for entrant `nom` (a surname of the table).
QStringList bloc(int rang, const QString& nom, const QString& lat, const QString& lon,
                 const QString& statut = QStringLiteral("le 10/11/2000 à 20h00"))
{
    return {QString::number(rang), QStringLiteral("Bateau (%1)").arg(nom), statut, lat, lon, "12", "200", "9.5", "2D-3D"};
}

void ecrit_jour(const QString& rep, const QString& code, const QStringList& lignes)
{
    QStringList l{QStringLiteral("Classement"), QString()};
    l += lignes;
    ASSERT_TRUE(ecrit_lignes(rep + u'/' + code + QStringLiteral(".txt"), l));
}

// 10, 11 and 13 November: Arvelin every day, Baudrinec missing on the 11th,
// Bocquarel retired on the 13th, Cadorien only on the 10th.
void petite_archive(const QString& rep)
{
    ecrit_jour(rep, "101100",
               bloc(1, "Arvelin", "46.00", "3.00") + bloc(2, "Baudrinec", "45.30", "4.00") +
                   bloc(3, "Bocquarel", "45.00", "5.00") + bloc(4, "Cadorien", "44.30", "6.00"));
    ecrit_jour(rep, "111100",
               bloc(1, "Arvelin", "44.00", "8.00", "le 11/11/2000 à 20h00") +
                   bloc(2, "Bocquarel", "43.30", "9.00", "le 11/11/2000 à 20h00"));
    ecrit_jour(rep, "131100",
               bloc(1, "Arvelin", "40.00", "12.00", "le 13/11/2000 à 19h30") +
                   bloc(2, "Baudrinec", "39.00", "13.00", "le 13/11/2000 à 20h00") +
                   bloc(3, "Bocquarel", "46.28", "1.47", "Abandon - démâtage"));
}

SelectionTrajets choix(std::initializer_list<int> concurrents)
{
    SelectionTrajets s;
    for (int i : concurrents)
        s.concurrents.set(size_t(i));
    return s;
}

}  // namespace

TEST(Trajets, AssemblageParJour)
{
    QTemporaryDir d;
    petite_archive(d.path());
    ArchiveJours a;
    QString err;
    ASSERT_TRUE(constitue_trajets(course_livree(), a, d.path(), err)) << err.toStdString();

    ASSERT_EQ(a.nb_jours(), 3);
    EXPECT_EQ(a.jours[2], QDate(2000, 11, 13));
    // The day step's long date: "NOVEMBRE" with its blank, then two more.
    EXPECT_EQ(a.dates_depuis, QStringList({"Vendredi 10 novembre 2000", "Samedi 11 NOVEMBRE   2000",
                                           "Lundi 13 NOVEMBRE   2000"}));
    EXPECT_EQ(a.dates_jusqua[0], "--------------");
    EXPECT_EQ(a.dates_jusqua[1], a.dates_depuis[1]);
    EXPECT_EQ(a.indice_du_jour(QDate(2000, 11, 12)), -1);
    // Baudrinec has two records, on the first and the third day.
    const TDonnees_conc* b = a.tete_traj[2];
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->jour, 0);
    ASSERT_NE(b->suivant, nullptr);
    EXPECT_EQ(b->suivant->jour, 2);
    EXPECT_EQ(b->suivant->suivant, nullptr);
}

// A day file that is there but yields no entrant (a folder, nothing,
// random bytes, beyond the size limit, unreadable) is skipped and named,
// for the day view as for the archive; one whose lines end in CR alone is
// read; impossible values are named and read as absent.
TEST(Trajets, JoursIllisiblesSautesEtNommes)
{
    QByteArray bruit;
    for (int i = 0; i < 5000; ++i)
        bruit += char((i * 7919) % 256);
    QByteArray cr = octets_cp1252(bloc(1, "Arvelin", "44.00", "8.00", "le 11/11/2000 à 20h00"));
    cr.replace("\r\n", "\r");
    const struct {
        const char* quoi;
        std::function<void(const QString&)> fabrique;
        bool lisible;
    } cas[] = {
        {"dossier", [](const QString& f) { QDir().mkpath(f); }, false},
        {"vide", [](const QString& f) { ecrit_lignes(f, {}); }, false},
        {"bruit", [&](const QString& f) { QString e; ecrit_fichier(f, bruit, e); }, false},
        {"trop grand", [](const QString& f) { QFile g(f); g.open(QIODevice::WriteOnly); g.resize(TAILLE_MAX_FICHIER_TEXTE + 1); }, false},
        {"illisible", [](const QString& f) { ecrit_lignes(f, bloc(1, "Arvelin", "1", "2")); QFile::setPermissions(f, {}); }, false},
        {"CR seuls", [&](const QString& f) { QString e; ecrit_fichier(f, cr, e); }, true},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.quoi);
        if (QByteArray(c.quoi) == "illisible" && ::geteuid() == 0)
            continue;  // root reads a file of any mode
        QTemporaryDir d;
        petite_archive(d.path());
        QFile::remove(d.filePath("111100.txt"));
        c.fabrique(d.filePath("111100.txt"));
        ArchiveJours a;
        QString err;
        ASSERT_TRUE(constitue_trajets(course_livree(), a, d.path(), err)) << err.toStdString();
        EXPECT_EQ(a.nb_jours(), c.lisible ? 3 : 2);
        EXPECT_EQ(a.fichiers_illisibles, c.lisible ? QStringList() : QStringList{"111100.txt"});
        EXPECT_EQ(avis_archive(a).join('\n').contains("111100.txt"), !c.lisible);
        JourCourse j(course_livree().nb());
        EXPECT_EQ(charge_donnees_coureurs(course_livree(), j, d.path(), "111100", "x"), c.lisible);
        EXPECT_EQ(j.fichier_illisible, !c.lisible);
        EXPECT_EQ(j.donnees_conc[1].elem.longitude, c.lisible ? 8 : 0);
    }
    // Impossible values: named, read as absent, the day kept.
    QTemporaryDir d;
    petite_archive(d.path());
    ecrit_jour(d.path(), "111100", {"1", "X (Arvelin)", "le 11/11/2000 à 20h00", "44", "8", "1e308", "90", "1e9", "2D-3D"});
    ArchiveJours a;
    QString err;
    ASSERT_TRUE(constitue_trajets(course_livree(), a, d.path(), err));
    EXPECT_EQ(a.nb_jours(), 3);
    EXPECT_EQ(a.fichiers_douteux, QStringList{"111100.txt"});
    EXPECT_TRUE(a.tete_traj[1]->suivant->distance_absente);
}

TEST(Trajets, JourIllisibleSauteEtPremierJourAbsent)
{
    QTemporaryDir d;
    petite_archive(d.path());
    ArchiveJours a;
    QString err;
    // The race's last day is read, the day after it is not.
    for (const char* apres : {"150401.txt", "160401.txt"})
        ASSERT_TRUE(QFile::copy(d.filePath("131100.txt"), d.filePath(apres)));
    ASSERT_TRUE(constitue_trajets(course_livree(), a, d.path(), err));
    EXPECT_EQ(a.nb_jours(), 4);
    EXPECT_EQ(a.jours.back(), QDate(2001, 4, 15));
    // No first day: the assembly stops, the lists emptied.
    QFile::remove(d.filePath("101100.txt"));
    EXPECT_FALSE(constitue_trajets(course_livree(), a, d.path(), err));
    EXPECT_TRUE(err.contains("101100.txt"));
    EXPECT_EQ(a.nb_jours(), 0);
    EXPECT_TRUE(a.dates_depuis.isEmpty());
    EXPECT_EQ(a.tete_traj[1], nullptr);
    EXPECT_FALSE(a.constituee);
}

TEST(Trajets, FilmJourParJour)
{
    QTemporaryDir d;
    petite_archive(d.path());
    ArchiveJours a;
    QString err;
    ASSERT_TRUE(constitue_trajets(course_livree(), a, d.path(), err));

    // Arvelin and Baudrinec over the whole race: Baudrinec is absent on the
    // second step, and its second record comes on the third, with Arvelin's.
    Etapes f(a, choix({1, 2}));
    ASSERT_TRUE(f.reste());
    auto p = f.pas();
    EXPECT_EQ(p[1]->elem.latitude, 46.00L);
    EXPECT_EQ(p[2]->elem.latitude, 45.30L);
    EXPECT_TRUE(f.premier(2, p[2]));
    p = f.pas();
    EXPECT_NE(p[1], nullptr);
    EXPECT_EQ(p[2], nullptr);
    p = f.pas();
    EXPECT_EQ(p[1]->elem.latitude, 40.00L);
    EXPECT_EQ(p[2]->elem.latitude, 39.00L);
    EXPECT_FALSE(f.premier(2, p[2]));
    EXPECT_FALSE(f.reste());

    // The whole race goes on while any chosen entrant has a record left,
    // even when the highest one (Cadorien, index 4) ran out on day one.
    Etapes g(a, choix({1, 4}));
    EXPECT_EQ(choix({1, 4}).dernier(course_livree().nb()), 4);
    int pas = 0;
    while (g.reste()) {
        g.pas();
        ++pas;
    }
    EXPECT_EQ(pas, 3);

    // Bocquarel retired on the third day: its record there is no fix, and
    // the whole race for it alone ends on the second day.
    Etapes r(a, choix({3}));
    r.pas();
    EXPECT_NE(r.pas()[3], nullptr);
    EXPECT_FALSE(r.reste());
    Etapes r2(a, choix({1, 3}));
    r2.pas();
    r2.pas();
    EXPECT_EQ(r2.pas()[3], nullptr);

    // Between two dates, in either order; a one-day period is one step.
    SelectionTrajets s = choix({1, 2, 3});
    s.toute_course = false;
    s.debut = 2;
    s.fin = 1;
    Etapes h(a, s);
    EXPECT_EQ(h.nb_jours(), 2);
    p = h.pas();
    EXPECT_EQ(p[2], nullptr);
    EXPECT_EQ(p[3]->elem.latitude, 43.30L);
    EXPECT_TRUE(h.premier(1, p[1]));
    s.debut = s.fin = 0;
    Etapes un(a, s);
    EXPECT_EQ(un.nb_jours(), 1);
    un.pas();
    EXPECT_FALSE(un.reste());
}

TEST(Trajets, PositionsReellesEtHeures)
{
    TDonnees_conc r;
    r.date_txt = QStringLiteral("le 13/11/2000 à 19h30");
    EXPECT_EQ(heure_du_releve(r, course_livree().premier_jour, QDate(2000, 11, 13)), QDateTime(QDate(2000, 11, 13), QTime(19, 30), Qt::UTC));
    r.date_txt = QStringLiteral("Arrivé le 10/02/2001 à 08h29");
    EXPECT_TRUE(releve_reel(r));
    EXPECT_EQ(heure_du_releve(r, course_livree().premier_jour, QDate(2001, 2, 11)), QDateTime(QDate(2001, 2, 10), QTime(8, 29), Qt::UTC));
    // A typo year, or a time before the start, is not believed: noon of
    // the file's day. The day after the file's is (an arrival at night).
    const QDate jour(2000, 11, 25);
    for (const char* t : {"le 25/11/2091 à 20h00", "le 25/11/1999 à 20h00", "le 27/11/2000 à 01h00", "le 31/02/2001 à 20h00"}) {
        r.date_txt = QString::fromUtf8(t);
        EXPECT_EQ(heure_du_releve(r, course_livree().premier_jour, jour), QDateTime(jour, QTime(12, 0), Qt::UTC)) << t;
    }
    r.date_txt = QStringLiteral("le 26/11/2000 à 03h10");
    EXPECT_EQ(heure_du_releve(r, course_livree().premier_jour, jour), QDateTime(QDate(2000, 11, 26), QTime(3, 10), Qt::UTC));
    r.date_txt = QStringLiteral("Abandon - démâtage");
    EXPECT_FALSE(releve_reel(r));
    EXPECT_EQ(heure_du_releve(r, course_livree().premier_jour, QDate(2000, 11, 21)), QDateTime(QDate(2000, 11, 21), QTime(12, 0), Qt::UTC));
    r.date_txt = QStringLiteral("131100");  // no status line
    EXPECT_TRUE(releve_reel(r));
    r.non_classe = true;
    EXPECT_FALSE(releve_reel(r));  // unranked at 0° 0°
}

// The whole race framed on a client of 804 pixels: the widest view, the
// whole turn, every fix in it; one entrant's Atlantic descent, by two
// bounds.
TEST(Trajets, CadrageDeToutLeMonde)
{
    ArchiveJours a;
    QString err;
    ASSERT_TRUE(constitue_trajets(course_livree(), a, QStringLiteral(ORVALIS_DONNEES), err));
    SelectionTrajets tous;
    for (int i = 1; i <= course_livree().nb(); ++i)
        tous.concurrents.set(size_t(i));
    Viewport v;
    ASSERT_TRUE(cadre_sur_trajets(a, tous, v, 804));
    EXPECT_GT(v.largeur_large, 180);
    v.ajuste(804, 585);
    EXPECT_GE(v.larg_visible(), 360);
    Etapes f(a, tous);
    while (f.reste())
        for (const TDonnees_conc* e : f.pas())
            if (e) {
                const int x = v.pos_grX(ddmm_vers_rad(e->elem.longitude)), y = v.pos_grY(ddmm_vers_rad(e->elem.latitude));
                ASSERT_TRUE(x >= 0 && x <= 804 && y >= 0 && y <= 585) << x << " " << y;
            }
    SelectionTrajets debut = tous;
    debut.toute_course = false;
    debut.debut = 0;
    debut.fin = 10;
    ASSERT_TRUE(cadre_sur_trajets(a, debut, v, 804));
    EXPECT_EQ(v.largeur_large, 0);
}

TEST(Trajets, CadrageSurLesTrajets)
{
    QTemporaryDir d;
    petite_archive(d.path());
    ArchiveJours a;
    QString err;
    ASSERT_TRUE(constitue_trajets(course_livree(), a, d.path(), err));
    Viewport v;
    // Arvelin: 46° N to 40° N, 3° W to 12° W.
    ASSERT_TRUE(cadre_sur_trajets(a, choix({1}), v, 804));
    EXPECT_EQ(v.lat_nord, 46.00L);
    EXPECT_EQ(v.lat_sud, 39.00L);
    EXPECT_NEAR(double(ddmm_vers_deg(std::max(v.long_ouest, v.long_est))), 12, 1e-9);
    EXPECT_NEAR(double(ddmm_vers_deg(std::min(v.long_ouest, v.long_est))), 3, 1e-9);
    // Bocquarel: its retirement's placeholder (the harbour) frames nothing.
    ASSERT_TRUE(cadre_sur_trajets(a, choix({3}), v, 804));
    EXPECT_EQ(v.lat_nord, 45.00L);
    SelectionTrajets apres = choix({3});
    apres.toute_course = false;
    apres.debut = apres.fin = 2;
    EXPECT_FALSE(cadre_sur_trajets(a, apres, v, 804));
}

namespace {
QString programme(const char* nom) { return QStandardPaths::findExecutable(QString::fromLatin1(nom)); }

QString lance(const QString& prog, const QStringList& args)
{
    QProcess p;
    p.start(prog, args);
    p.waitForFinished(60000);
    return QString::fromUtf8(p.readAllStandardOutput()).remove(u'\r');
}
}  // namespace

TEST(Trajets, ExportsRelusParGpsbabelEtOgrinfo)
{
    const QString gpsbabel = programme("gpsbabel"), ogrinfo = programme("ogrinfo");
    if (gpsbabel.isEmpty() || ogrinfo.isEmpty())
        GTEST_SKIP() << "gpsbabel or ogrinfo missing (./build.sh installs them)";
    ArchiveJours a;
    QString err;
    ASSERT_TRUE(constitue_trajets(course_livree(), a, QStringLiteral(ORVALIS_DONNEES), err));
    // Arvelin (finished), Darnoux (retired on 21 November), Marvelle (the
    // stop in harbour) over the whole race.
    const SelectionTrajets s = choix({1, 6, 15});
    QTemporaryDir d;
    std::vector<uint32_t> couleurs(size_t(course_livree().nb()) + 1);
    couleurs[1] = 0x85D07A;
    const QString gpx = d.filePath("course.gpx"), kml = d.filePath("course.kml");
    ASSERT_TRUE(exporte_trajets(a, s, gpx, couleurs, err)) << err.toStdString();
    ASSERT_TRUE(exporte_trajets(a, s, kml, couleurs, err)) << err.toStdString();
    EXPECT_FALSE(exporte_trajets(a, s, d.filePath("course.txt"), couleurs, err));

    // What we wrote, entrant by entrant: real positions only, times rising.
    struct Attendu {
        int n;
        double lat0, lon0, lat1, lon1;
    };
    std::vector<Attendu> attendus;
    for (int i : {1, 6, 15}) {
        Etapes f(a, choix({i}));
        Attendu at{0, 0, 0, 0, 0};
        QDateTime prec;
        while (f.reste()) {
            const int jour = f.jour();
            const TDonnees_conc* e = f.pas()[size_t(i)];
            if (!e || !releve_reel(*e))
                continue;
            const QDateTime t = heure_du_releve(*e, course_livree().premier_jour, a.jours[size_t(jour)]);
            if (at.n > 0 && t <= prec)
                continue;
            prec = t;
            const double la = double(ddmm_vers_deg(e->elem.latitude)), lo = -double(ddmm_vers_deg(e->elem.longitude));
            if (at.n == 0) {
                at.lat0 = la;
                at.lon0 = lo;
            }
            at.lat1 = la;
            at.lon1 = lo;
            ++at.n;
        }
        attendus.push_back(at);
    }
    EXPECT_GT(attendus[0].n, 80);
    EXPECT_LT(attendus[1].n, 15);  // retired early: the track ends there

    // gpsbabel: one line per track point (the tracks one after the other),
    // and as many tracks once written back as GPX.
    const int total = attendus[0].n + attendus[1].n + attendus[2].n;
    for (const QString& format : {QStringLiteral("gpx"), QStringLiteral("kml")}) {
        SCOPED_TRACE(format.toStdString());
        const QString fichier = format == QLatin1String("gpx") ? gpx : kml;
        QStringList lignes =
            lance(gpsbabel, {"-t", "-i", format, "-f", fichier, "-o", "unicsv,utc=0", "-F", "-"}).split('\n', Qt::SkipEmptyParts);
        ASSERT_GT(lignes.size(), 1);
        const QStringList entete = lignes.takeFirst().split(',');
        const int c_lat = int(entete.indexOf("Latitude")), c_lon = int(entete.indexOf("Longitude"));
        const int c_date = int(entete.indexOf("Date")), c_heure = int(entete.indexOf("Time"));
        ASSERT_GE(c_lat, 0);
        ASSERT_GE(c_heure, 0);
        ASSERT_EQ(int(lignes.size()), total);
        const QStringList premier = lignes.first().split(',');
        EXPECT_NEAR(premier.value(c_lat).toDouble(), attendus[0].lat0, 1e-6);
        EXPECT_NEAR(premier.value(c_lon).toDouble(), attendus[0].lon0, 1e-6);
        const QStringList dernier = lignes[attendus[0].n - 1].split(',');
        EXPECT_NEAR(dernier.value(c_lat).toDouble(), attendus[0].lat1, 1e-6);
        EXPECT_NEAR(dernier.value(c_lon).toDouble(), attendus[0].lon1, 1e-6);
        const QStringList fin = lignes.last().split(',');
        EXPECT_NEAR(fin.value(c_lat).toDouble(), attendus[2].lat1, 1e-6);
        EXPECT_NEAR(fin.value(c_lon).toDouble(), attendus[2].lon1, 1e-6);
        QString t_prec;
        for (int k = 0; k < attendus[0].n; ++k) {
            const QStringList c = lignes[k].split(',');
            const QString t = c.value(c_date) + u'T' + c.value(c_heure);
            EXPECT_LT(t_prec, t) << k;
            t_prec = t;
        }
        const QString relu = lance(gpsbabel, {"-t", "-i", format, "-f", fichier, "-o", "gpx", "-F", "-"});
        EXPECT_EQ(relu.count(QStringLiteral("<trk>")), 3);
    }

    // ogrinfo: the GPX's tracks layer holds three features; the KML, three
    // placemarks.
    const QString info_gpx = lance(ogrinfo, {"-ro", "-so", gpx, "tracks"});
    EXPECT_TRUE(info_gpx.contains("Feature Count: 3")) << info_gpx.toStdString();
    const QString info_pts = lance(ogrinfo, {"-ro", "-so", gpx, "track_points"});
    EXPECT_TRUE(info_pts.contains(QStringLiteral("Feature Count: %1").arg(attendus[0].n + attendus[1].n + attendus[2].n)))
        << info_pts.toStdString();
    const QString info_kml = lance(ogrinfo, {"-ro", "-al", "-so", kml});
    EXPECT_TRUE(info_kml.contains("Feature Count: 3")) << info_kml.toStdString();

    // The texts no reader above checks: the tracks' names, every time in
    // UTC, the KML line colours as aabbggrr.
    QFile fg(gpx), fk(kml);
    ASSERT_TRUE(fg.open(QIODevice::ReadOnly) && fk.open(QIODevice::ReadOnly));
    const QString tg = QString::fromUtf8(fg.readAll()), tk = QString::fromUtf8(fk.readAll());
    for (const QString& t : {tg, tk}) {
        QStringList noms;
        for (const auto& m : QRegularExpression("<(?:trk|Placemark)>\\s*<name>([^<]*)</name>").globalMatch(t))
            noms << m.captured(1);
        EXPECT_EQ(noms, QStringList({QStringLiteral("Arvelin (Goéland Céleste)"), QStringLiteral("Darnoux (Étoile du Ponant)"),
                                     QStringLiteral("Marvelle (Coquillage)")}));
        int heures = 0;
        for (const auto& m : QRegularExpression("<(?:time|when)>([^<]*)<").globalMatch(t)) {
            EXPECT_TRUE(QRegularExpression("^\\d{4}-\\d\\d-\\d\\dT\\d\\d:\\d\\d:00Z$").match(m.captured(1)).hasMatch())
                << m.captured(1).toStdString();
            ++heures;
        }
        EXPECT_EQ(heures, total);
    }
    QStringList couleurs_kml;
    for (const auto& m : QRegularExpression("<color>([^<]*)</color>").globalMatch(tk))
        couleurs_kml << m.captured(1);
    EXPECT_EQ(couleurs_kml, QStringList({"ff85d07a", "ff000000", "ff000000"}));
}
