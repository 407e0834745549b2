// Races of tracks: the GPX, KML/KMZ and CSV readers agree with an
// interpolation of their own on the same fleet, refuse what they must with
// the file, the line and the boat named, and our exports open again as the
// same race.
#include "chronologie.h"
#include "courses_recentes.h"
#include "exports.h"
#include "flotte.h"
#include "lecteurs.h"
#include "reglages.h"
#include "reglages_utilisateur.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>
#include <tuple>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

using namespace orv;

namespace {
void ecrit(const QString& chemin, const QByteArray& octets)
{
    QFile f(chemin);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(octets);
}

// A fleet: three boats, one crossing 180° westwards to eastwards, fixes
// 10 minutes to 31 hours apart (instants from 2024-03-02 00:00 UTC).
struct Pt {
    int boat;
    Instant t;
    double lat, lon;
};
const Instant T0 = 1709337600;  // 2024-03-02T00:00:00Z
const std::vector<Pt> FLOTTE = {
    {0, T0, 18.0, 178.5},          {0, T0 + 600, 18.01, 178.62},  {0, T0 + 6 * 3600, 18.2, 179.7},
    {0, T0 + 37 * 3600, 18.9, -176.4}, {1, T0 + 3600, -12.5, 20.25}, {1, T0 + 7200, -12.6, 20.5},
    {2, T0, 46.5, -3.25},          {2, T0 + 3 * 3600, 46.2, -3.5},
};
const char* NOMS[] = {"Ael Penmirel (Alizé Vif)", "Bleuenn Kordalen (Houle)", "Corentin Trévezic"};

QString iso(Instant t) { return date_de(t).toString(Qt::ISODate); }

// Degrees and decimal minutes with a hemisphere, as a scraper writes them.
QString dm(double v, bool lat)
{
    const double a = std::abs(v);
    const int d = int(a);
    return QStringLiteral("%1°%2'%3").arg(d).arg((a - d) * 60, 0, 'f', 4).arg(lat ? (v < 0 ? 'S' : 'N') : (v < 0 ? 'W' : 'E'));
}

QByteArray gpx()
{
    QByteArray x = "<?xml version=\"1.0\"?>\n<gpx version=\"1.1\"><wpt lat=\"1\" lon=\"2\"/>\n";
    for (int b = 0; b < 3; ++b) {
        x += "<trk><name>" + QByteArray(NOMS[b]) + "</name>";
        // Segments in reverse order: joined in time order.
        for (auto p = FLOTTE.rbegin(); p != FLOTTE.rend(); ++p)
            if (p->boat == b)
                x += QStringLiteral("<trkseg><trkpt lat=\"%1\" lon=\"%2\"><time>%3</time></trkpt></trkseg>\n")
                         .arg(p->lat, 0, 'f', 6).arg(p->lon, 0, 'f', 6).arg(iso(p->t)).toUtf8();
        x += "</trk>\n";
    }
    return x + "</gpx>\n";
}

QByteArray kml()
{
    QByteArray x = "<kml xmlns=\"http://www.opengis.net/kml/2.2\" xmlns:gx=\"http://www.google.com/kml/ext/2.2\"><Document>\n";
    for (int b = 0; b < 2; ++b) {
        x += "<Placemark><name>" + QByteArray(NOMS[b]) + "</name><gx:MultiTrack><gx:Track>";
        for (const Pt& p : FLOTTE)
            if (p.boat == b)
                x += "<when>" + iso(p.t).toUtf8() + "</when>";
        for (const Pt& p : FLOTTE)
            if (p.boat == b)
                x += QStringLiteral("<gx:coord>%1 %2 0</gx:coord>").arg(p.lon, 0, 'f', 6).arg(p.lat, 0, 'f', 6).toUtf8();
        x += "</gx:Track></gx:MultiTrack></Placemark>\n";
    }
    // The third boat as timed points, with an offset.
    for (const Pt& p : FLOTTE)
        if (p.boat == 2)
            x += QStringLiteral("<Placemark><name>%1</name><TimeStamp><when>%2</when></TimeStamp>"
                                "<Point><coordinates>%3,%4</coordinates></Point></Placemark>\n")
                     .arg(QString::fromUtf8(NOMS[2]), date_de(p.t).toOffsetFromUtc(7200).toString(Qt::ISODateWithMs))
                     .arg(p.lon, 0, 'f', 6).arg(p.lat, 0, 'f', 6).toUtf8();
    return x + "</Document></kml>\n";
}

QByteArray csv()
{
    // Rows in any order, a repeated fix, times in both forms, positions in
    // both forms, a name and a boat in two columns.
    QByteArray x = "Heure;Nom;Bateau;Lat;Lon\r\n";
    for (size_t k = FLOTTE.size(); k-- > 0;) {
        const Pt& p = FLOTTE[k];
        const QString n = QString::fromUtf8(NOMS[p.boat]);
        const qsizetype o = n.indexOf(QLatin1String(" ("));
        const QString h = k % 2 ? iso(p.t) : date_de(p.t).toString(QStringLiteral("dd/MM/yyyy HH:mm"));
        const QString lat = k % 3 ? dm(p.lat, true) : QString::number(p.lat, 'f', 6);
        const QString lon = k % 3 ? dm(p.lon, false) : QString::number(p.lon, 'f', 6);
        x += QStringLiteral("%1;%2;%3;%4;%5\r\n")
                 .arg(h, o > 0 ? n.left(o) : n, o > 0 ? n.mid(o + 2).chopped(1) : QString(), lat, lon)
                 .toUtf8();
        if (k == 2)
            x += QStringLiteral("%1;%2;%3;%4;%5\r\n").arg(iso(p.t), n.left(o), n.mid(o + 2).chopped(1), lat, lon).toUtf8();
    }
    return x;
}

// The expected position: the great circle between the fixes around t, at
// the fraction of the time, computed here on its own.
bool attendu(int boat, Instant t, double& lat, double& lon)
{
    const Pt *a = nullptr, *b = nullptr;
    for (const Pt& p : FLOTTE)
        if (p.boat == boat) {
            if (p.t <= t)
                a = &p;
            else if (!b)
                b = &p;
        }
    if (!a)
        return false;
    // Within the minute of a fix, the fix itself.
    if (!b || t - a->t < 60) {
        lat = a->lat;
        lon = a->lon;
        return b || t < a->t + 86400;
    }
    auto v = [](double la, double lo) {
        const double p = la * M_PI / 180, l = lo * M_PI / 180;
        return std::array<double, 3>{std::cos(p) * std::cos(l), std::cos(p) * std::sin(l), std::sin(p)};
    };
    const auto u = v(a->lat, a->lon), w = v(b->lat, b->lon);
    const double om = std::acos(std::clamp(u[0] * w[0] + u[1] * w[1] + u[2] * w[2], -1.0, 1.0));
    const double x = double(t - a->t) / double(b->t - a->t);
    std::array<double, 3> r{};
    for (int k = 0; k < 3; ++k)
        r[size_t(k)] = om < 1e-12 ? u[size_t(k)] : (std::sin((1 - x) * om) * u[size_t(k)] + std::sin(x * om) * w[size_t(k)]) / std::sin(om);
    lat = std::atan2(r[2], std::hypot(r[0], r[1])) * 180 / M_PI;
    lon = std::atan2(r[1], r[0]) * 180 / M_PI;
    return true;
}

// Race `o` holds the fleet: names, and every position at instants across
// its fixes, to 1e-4 degree.
void verifie_flotte(const CourseOuverte& o)
{
    ASSERT_EQ(o.course.nb(), 3);
    ASSERT_FALSE(o.course.fichiers_jour);
    EXPECT_EQ(o.course.nom_conc(1), QStringLiteral("Ael Penmirel"));
    EXPECT_EQ(o.course.concurrents[1].bateau, QStringLiteral("Alizé Vif"));
    EXPECT_EQ(o.course.nom_conc(3), QStringLiteral("Corentin Trévezic"));
    const Chronologie c(o.course, o.pistes);
    for (int b = 0; b < 3; ++b) {
        EXPECT_EQ(c.fixes(b + 1).size(), size_t(std::count_if(FLOTTE.begin(), FLOTTE.end(), [&](const Pt& p) { return p.boat == b; })));
        for (Instant t = T0 - 1800; t < T0 + 64 * 3600; t += 1234) {
            double lat = 0, lon = 0;
            const bool montre = attendu(b, t, lat, lon);
            const PositionFilm p = c.position(b + 1, t);
            ASSERT_EQ(p.montre, montre) << b << " " << t - T0;
            if (!montre)
                continue;
            EXPECT_NEAR(p.lat, lat, 1e-4);
            EXPECT_NEAR(std::remainder(p.lon - lon, 360.0), 0, 1e-4) << b << " " << t - T0;
        }
    }
    // Beyond 30 hours between fixes: an estimate; after the last, known.
    EXPECT_EQ(c.position(1, T0 + 20 * 3600).nature, Nature::Estime);
    EXPECT_EQ(c.position(2, T0 + 5 * 3600).nature, Nature::DerniereConnue);
}
}  // namespace

TEST(Flotte, TroisFormatsUneMemeCourse)
{
    QTemporaryDir d;
    QByteArray kmz;
    {
        ecrit(d.filePath("f.kml"), kml());
        QuaZip z(d.filePath("f.kmz"));
        ASSERT_TRUE(z.open(QuaZip::mdCreate));
        QuaZipFile f(&z);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly, QuaZipNewInfo(QStringLiteral("doc.kml"))));
        f.write(kml());
    }
    ecrit(d.filePath("f.gpx"), gpx());
    ecrit(d.filePath("f.csv"), csv());
    // A spreadsheet's UTF-16, and lines ended by CR alone.
    const QString texte = QString::fromUtf8(csv());
    ecrit(d.filePath("f16.csv"), "\xFF\xFE" + QByteArray(reinterpret_cast<const char*>(texte.utf16()), texte.size() * 2));
    ecrit(d.filePath("fcr.csv"), QByteArray(csv()).replace("\r\n", "\r").replace('\n', '\r'));
    // The GPX saved under another suffix is still found by its content.
    ecrit(d.filePath("f.xml"), gpx());
    // Its description opened alone opens the fleet it describes.
    ecrit(d.filePath("f.course"), "[course]\r\nnom=F\r\n");
    for (const char* nom : {"f.gpx", "f.kml", "f.kmz", "f.csv", "f16.csv", "fcr.csv", "f.xml", "f.course"}) {
        SCOPED_TRACE(nom);
        CourseOuverte o;
        QString erreur;
        ASSERT_TRUE(ouvre_course(d.filePath(QString::fromLatin1(nom)), o, erreur)) << erreur.toStdString();
        verifie_flotte(o);
        EXPECT_EQ(o.avis.size(), QByteArray(nom).endsWith("gpx") || QByteArray(nom).endsWith("xml") ||
                                         QByteArray(nom).endsWith("course") ? 1 : 0);
    }
}

TEST(Flotte, ExportsRelusCommeLaMemeCourse)
{
    QTemporaryDir d;
    ecrit(d.filePath("f.gpx"), gpx());
    // Its description beside it gives the name and the finish.
    ecrit(d.filePath("f.course"), "[course]\r\nnom=Essai\r\narrivee=Fin;18.00;170.00\r\n");
    CourseOuverte o;
    QString erreur;
    ASSERT_TRUE(ouvre_course(d.filePath("f.gpx"), o, erreur)) << erreur.toStdString();
    EXPECT_EQ(o.course.nom, QStringLiteral("Essai"));
    ASSERT_TRUE(o.course.arrivee_connue);
    const Chronologie c(o.course, o.pistes);
    EnsembleConcurrents tous(3);
    for (int i = 1; i <= 3; ++i)
        tous.set(size_t(i));
    for (const char* nom : {"r.gpx", "r.kml"}) {
        SCOPED_TRACE(nom);
        ASSERT_TRUE(exporte_pistes(c, tous, INT64_MIN, INT64_MAX, d.filePath(QString::fromLatin1(nom)),
                                   couleurs_conc_pour(clBlack, 3), erreur))
            << erreur.toStdString();
        CourseOuverte r;
        ASSERT_TRUE(ouvre_course(d.filePath(QString::fromLatin1(nom)), r, erreur)) << erreur.toStdString();
        verifie_flotte(r);
    }
    // Ordered by distance to the finish (West 170°): the boat near 180°
    // first, the one south of the Equator by Africa last.
    const std::vector<Chronologie::Calcule> ordre = c.ordre_calcule(T0 + 7200);
    ASSERT_EQ(ordre.size(), 3u);
    EXPECT_EQ(ordre.front().i, 1);
    EXPECT_EQ(ordre.back().i, 2);
    EXPECT_LT(ordre[0].distance, ordre[1].distance);
}

TEST(Flotte, FichiersRefuses)
{
    QTemporaryDir d;
    const QByteArray bombe = "<?xml version=\"1.0\"?><!DOCTYPE gpx [<!ENTITY a \"aaaaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>"
                             "<gpx><trk><name>&b;</name></trk></gpx>";
    const struct {
        const char* nom;
        QByteArray contenu;
        const char* dit;
    } cas[] = {
        {"a.gpx", "<gpx><trk><name>X</name><trkseg>\n<trkpt lat=\"1\" lon=\"2\"></trkpt></trkseg></trk></gpx>", "ligne 2, « X » : position sans heure"},
        {"b.gpx", "<gpx><trk><name>X</name><trkseg>\n<trkpt lat=\"95\" lon=\"2\"><time>2024-03-02T00:00Z</time></trkpt></trkseg></trk></gpx>", "hors limites"},
        {"c.gpx", gpx().left(gpx().size() - 40), "coupé"},
        {"d.gpx", bombe, "DTD"},
        {"e.gpx", "<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"2\"><time>2024-13-02T00:00Z</time></trkpt></trkseg></trk></gpx>", "heure illisible"},
        {"f.gpx", "<gpx></gpx>", "aucune position"},
        {"g.kml", "<kml xmlns:gx=\"x\"><Placemark><name>Y</name><gx:Track><when>2024-03-02T00:00:00Z</when></gx:Track></Placemark></kml>", "1 heures pour 0 positions"},
        {"h.kml", "<html></html>", "n'est pas un fichier KML"},
        {"i.csv", "nom;heure;lat;lon\nZ;2024-03-02T00:00Z;46°60.0'N;3°W\n", "ligne 2, « Z » : latitude illisible"},
        {"j.csv", "nom;heure;lat;lon\nZ;;46.5;-3\n", "« Z » : position sans heure"},
        {"k.csv", "name,time\nZ,2024-03-02T00:00Z\n", "l'en-tête doit nommer"},
        {"l.csv", "nom;heure;lat;lon\nZ;2024-03-02T00:00Z;46.5\n", "3 champs, 4 attendus"},
        {"m.kmz", "PK\x03\x04 not a zip .kml", "KMZ illisible"},
        {"o.csv", "nom;heure;lat;lon\nZ;2024-03-02T00:00Z;46 N;3 W\n", "latitude illisible « 46 N »"},
        {"p.csv", "nom,heure,lat,lon\nZ,2024-03-02T00:00Z,10,5,170\n", "5 champs, 4 attendus"},
        {"q.gpx", "<gpx><trk><trkseg><trkpt lat=\"1\" lon=\"2\"><time>0001-01-01T00:00Z</time></trkpt></trkseg></trk></gpx>", "hors des années 1900 à 2199"},
        {"n.txt", "rien", "n'est pas une course"},
        {"r.kml", "<kml><Placemark><name>" + QByteArray(17 << 20, 'a') + "</name></Placemark></kml>", "plus de 16 Mo"},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        ecrit(d.filePath(QString::fromLatin1(c.nom)), c.contenu);
        CourseOuverte o;
        o.course.nom = QStringLiteral("avant");
        QString erreur;
        EXPECT_FALSE(ouvre_course(d.filePath(QString::fromLatin1(c.nom)), o, erreur));
        EXPECT_TRUE(erreur.contains(QString::fromUtf8(c.dit)) && erreur.contains(QString::fromLatin1(c.nom)))
            << erreur.toStdString();
        EXPECT_EQ(o.course.nom, QStringLiteral("avant"));  // nothing half-read kept
    }
}

// What is not a fix of ours is left aside: another schema's elements in
// a GPX, a KML's "current position" Point beside its track.
TEST(Flotte, CeQuiNEstPasUnReleve)
{
    QTemporaryDir d;
    ecrit(d.filePath("e.gpx"), "<gpx><trk><name>A</name><extensions><x:name>Faux</x:name></extensions><trkseg>"
                               "<trkpt lat=\"1\" lon=\"2\"><time>2024-03-02T00:00:00Z</time><extensions>"
                               "<y:time>1999-01-01T00:00:00Z</y:time></extensions></trkpt></trkseg></trk></gpx>");
    ecrit(d.filePath("m.kml"), "<kml xmlns:gx=\"x\"><Placemark><name>B</name><MultiGeometry><Point><coordinates>171,11,0"
                               "</coordinates></Point><gx:Track><when>2024-03-05T00:00:00Z</when><when>2024-03-06T00:00:00Z"
                               "</when><gx:coord>170 10 0</gx:coord><gx:coord>171 11 0</gx:coord></gx:Track></MultiGeometry>"
                               "</Placemark></kml>");
    for (const auto& [nom, skipper, fixes, premier] : {std::tuple{"e.gpx", "A", 1, T0}, std::tuple{"m.kml", "B", 2, T0 + 3 * 86400}}) {
        CourseOuverte o;
        QString erreur;
        ASSERT_TRUE(ouvre_course(d.filePath(QString::fromLatin1(nom)), o, erreur)) << erreur.toStdString();
        EXPECT_EQ(o.course.nom_conc(1), QString::fromLatin1(skipper));
        ASSERT_EQ(o.pistes[0].points.size(), size_t(fixes)) << nom;
        EXPECT_EQ(o.pistes[0].points.front().t, premier) << nom;
    }
}

TEST(Flotte, InstantsEtMeilleures24h)
{
    const struct {
        const char* texte;
        Instant attendu;  // 0: refused
    } cas[] = {
        {"2024-03-02T00:00:00Z", T0},        {"2024-03-02T00:00:00.750Z", T0}, {"2024-03-02T02:30+02:30", T0},
        {"2024-03-01T23:00:00-0100", T0},     {"2024-03-02 00:00", T0},          {"2024-02-30T00:00Z", 0},
        {"2024-03-02T24:01Z", 0},             {"2024-03-02", 0},                 {"2024-03-02T00:00Zjunk", 0},
    };
    for (const auto& c : cas) {
        Instant t = 0;
        EXPECT_EQ(instant_iso(QString::fromLatin1(c.texte), t) ? t : 0, c.attendu) << c.texte;
    }
    Instant t = 0;
    EXPECT_TRUE(instant_jjmmaaaa(QStringLiteral("02/03/2024 01:30+01:30"), t));
    EXPECT_EQ(t, T0);
    // 10 knots due East along the Equator for 3 days, then 20 knots for
    // 12 hours: the best 24 hours straddle the change (12 h at each).
    std::vector<PointPiste> p;
    for (int h = 0; h <= 72; h += 6)
        p.push_back({T0 + h * 3600, 0, h * 10 / 60.0});
    p.push_back({T0 + 84 * 3600, 0, 720 / 60.0 + 240 / 60.0});
    Course c;
    c.concurrents.push_back({QStringLiteral("A"), {}, {}, {}});
    const Chronologie chrono(c, std::vector<Piste>{{QStringLiteral("A"), {}, p}});
    EXPECT_NEAR(meilleures_24h(chrono.fixes(1)), 12 * 10 + 12 * 20, 0.05);
}

// Where a race was left: kept per race, read back as written; an entry
// that cannot be a view (cut, not numbers, out of the world) is none.
TEST(Flotte, VueRetenueParCourse)
{
    VueRetenue v{46.3, 44.5, -3.2, 5.1, 0, true, 1709769600, QDate(2024, 3, 7)};
    ASSERT_TRUE(retient_vue(QStringLiteral("/courses/a.gpx"), v));
    EXPECT_EQ(vue_retenue(QStringLiteral("/courses/a.gpx")), v);
    EXPECT_FALSE(vue_retenue(QStringLiteral("/courses/b.gpx")));
    auto s = reglages_utilisateur(QStringLiteral("Orvalis"), QStringLiteral("orvalis"));
    s->beginGroup(QStringLiteral("courses/vues"));
    const QString cle = s->childKeys().value(0);
    for (const QStringList& abime : {QStringList{"1", "2"}, QStringList{"x", "0", "0", "0", "0", "0", "", ""},
                                     QStringList{"95", "0", "0", "0", "0", "0", "", ""},
                                     QStringList{"1", "0", "0", "0", "0", "2", "", ""},
                                     QStringList{"1", "0", "0", "0", "0", "0", "", "31/02/2024"}}) {
        s->setValue(cle, abime);
        s->sync();
        EXPECT_FALSE(vue_retenue(QStringLiteral("/courses/a.gpx"))) << abime.join(',').toStdString();
    }
}

// Where the program was left: the window and the race open, read back.
TEST(Flotte, FenetreRetenue)
{
    const FenetreRetenue f{QByteArray("geo\x01\x02", 5), QByteArray("etat"), QStringLiteral("/courses/a.gpx")};
    ASSERT_TRUE(retient_fenetre(f));
    const FenetreRetenue l = fenetre_retenue();
    EXPECT_EQ(std::tie(l.geometrie, l.etat, l.course), std::tie(f.geometrie, f.etat, f.course));
}
