#include "exports.h"

#include "ecriture.h"
#include "traduction.h"

#include <QFileInfo>
#include <QXmlStreamWriter>

namespace orv {

namespace {
// One entrant's exported points: a real position, later than the last one.
struct Point {
    double lat, lon;  // decimal degrees, East positive
    QDateTime quand;
};

std::vector<Point> points_exportes(const ArchiveJours& a, const SelectionTrajets& s, int i)
{
    std::vector<Point> r;
    SelectionTrajets un = s;
    un.concurrents.reset();
    un.concurrents.set(size_t(i));
    Etapes f(a, un);
    while (f.reste()) {
        const int jour = f.jour();
        const TDonnees_conc* e = f.pas()[size_t(i)];
        if (!e || !releve_reel(*e))
            continue;
        const QDateTime t = heure_du_releve(*e, a.course->premier_jour, a.jours[size_t(jour)]);
        if (!r.empty() && t <= r.back().quand)
            continue;  // an arrival repeated on the following days
        r.push_back({double(ddmm_vers_deg(e->elem.latitude)), -double(ddmm_vers_deg(e->elem.longitude)), t});
    }
    return r;
}

QString nom_piste(const ArchiveJours& a, int i)
{
    QString bateau;
    for (const TDonnees_conc* e = a.tete_traj[size_t(i)]; e; e = e->suivant)
        if (!e->bateau.trimmed().isEmpty()) {
            bateau = e->bateau.trimmed();
            break;
        }
    const QString& nom = a.course->nom_conc(i);
    return bateau.isEmpty() ? nom : QStringLiteral("%1 (%2)").arg(nom, bateau);
}

QString nombre(double v) { return QString::number(v, 'f', 6); }
}  // namespace

namespace {
// The tracks of the file: per entrant (1..n) its name and points, empty
// when it is not exported.
struct Traces {
    QString course;
    std::vector<QString> noms;
    std::vector<std::vector<Point>> points;
};

bool ecrit_traces(const Traces& t, const QString& chemin, const std::vector<uint32_t>& couleurs, QString& erreur)
{
    const QString suffixe = QFileInfo(chemin).suffix().toLower();
    if (suffixe != QLatin1String("gpx") && suffixe != QLatin1String("kml")) {
        erreur = Texte::tr("Extension inconnue : le fichier doit finir par .gpx ou .kml.");
        return false;
    }
    const int n = int(t.points.size()) - 1;
    bool un = false;
    for (int i = 1; i <= n; ++i)
        un = un || !t.points[size_t(i)].empty();
    if (!un) {
        erreur = aucune_position();
        return false;
    }
    QByteArray xml;
    QXmlStreamWriter x(&xml);
    x.setAutoFormatting(true);
    x.writeStartDocument();
    if (suffixe == QLatin1String("gpx")) {
        x.writeStartElement(QStringLiteral("gpx"));
        x.writeDefaultNamespace(QStringLiteral("http://www.topografix.com/GPX/1/1"));
        x.writeAttribute(QStringLiteral("version"), QStringLiteral("1.1"));
        x.writeAttribute(QStringLiteral("creator"), QStringLiteral("Orvalis"));
        for (int i = 1; i <= n; ++i) {
            if (t.points[size_t(i)].empty())
                continue;
            x.writeStartElement(QStringLiteral("trk"));
            x.writeTextElement(QStringLiteral("name"), t.noms[size_t(i)]);
            x.writeStartElement(QStringLiteral("trkseg"));
            for (const Point& p : t.points[size_t(i)]) {
                x.writeStartElement(QStringLiteral("trkpt"));
                x.writeAttribute(QStringLiteral("lat"), nombre(p.lat));
                x.writeAttribute(QStringLiteral("lon"), nombre(p.lon));
                x.writeTextElement(QStringLiteral("time"), p.quand.toString(Qt::ISODate));
                x.writeEndElement();
            }
            x.writeEndElement();
            x.writeEndElement();
        }
        x.writeEndElement();
    } else {
        x.writeStartElement(QStringLiteral("kml"));
        x.writeDefaultNamespace(QStringLiteral("http://www.opengis.net/kml/2.2"));
        x.writeNamespace(QStringLiteral("http://www.google.com/kml/ext/2.2"), QStringLiteral("gx"));
        x.writeStartElement(QStringLiteral("Document"));
        x.writeTextElement(QStringLiteral("name"), t.course);
        for (int i = 1; i <= n; ++i) {
            if (t.points[size_t(i)].empty())
                continue;
            // KML colours are aabbggrr, as ours with an opaque alpha.
            x.writeStartElement(QStringLiteral("Style"));
            x.writeAttribute(QStringLiteral("id"), QStringLiteral("c%1").arg(i));
            x.writeStartElement(QStringLiteral("LineStyle"));
            x.writeTextElement(QStringLiteral("color"),
                               QStringLiteral("ff%1").arg(couleurs[size_t(i)] & 0xFFFFFF, 6, 16, QLatin1Char('0')));
            x.writeTextElement(QStringLiteral("width"), QStringLiteral("2"));
            x.writeEndElement();
            x.writeEndElement();
        }
        for (int i = 1; i <= n; ++i) {
            const std::vector<Point>& pts = t.points[size_t(i)];
            if (pts.empty())
                continue;
            x.writeStartElement(QStringLiteral("Placemark"));
            x.writeTextElement(QStringLiteral("name"), t.noms[size_t(i)]);
            x.writeTextElement(QStringLiteral("styleUrl"), QStringLiteral("#c%1").arg(i));
            x.writeStartElement(QStringLiteral("http://www.google.com/kml/ext/2.2"), QStringLiteral("Track"));
            for (const Point& p : pts)
                x.writeTextElement(QStringLiteral("when"), p.quand.toString(Qt::ISODate));
            for (const Point& p : pts)
                x.writeTextElement(QStringLiteral("http://www.google.com/kml/ext/2.2"), QStringLiteral("coord"),
                                   nombre(p.lon) + u' ' + nombre(p.lat) + QStringLiteral(" 0"));
            x.writeEndElement();
            x.writeEndElement();
        }
        x.writeEndElement();
        x.writeEndElement();
    }
    x.writeEndDocument();
    return ecrit_fichier(chemin, xml, erreur);
}
}  // namespace

bool exporte_trajets(const ArchiveJours& a, const SelectionTrajets& s, const QString& chemin,
                     const std::vector<uint32_t>& couleurs, QString& erreur)
{
    const int n = a.nb_concurrents();
    Traces t{a.course->nom, std::vector<QString>(size_t(n) + 1), std::vector<std::vector<Point>>(size_t(n) + 1)};
    for (int i = 1; i <= n; ++i)
        if (s.concurrents.test(size_t(i))) {
            t.noms[size_t(i)] = nom_piste(a, i);
            t.points[size_t(i)] = points_exportes(a, s, i);
        }
    return ecrit_traces(t, chemin, couleurs, erreur);
}

bool exporte_pistes(const Chronologie& c, const EnsembleConcurrents& choisis, Instant debut, Instant fin,
                    const QString& chemin, const std::vector<uint32_t>& couleurs, QString& erreur)
{
    const int n = c.nb();
    Traces t{c.course().nom, std::vector<QString>(size_t(n) + 1), std::vector<std::vector<Point>>(size_t(n) + 1)};
    for (int i = 1; i <= n; ++i) {
        if (!choisis.test(size_t(i)))
            continue;
        const Concurrent& k = c.course().concurrents[size_t(i)];
        t.noms[size_t(i)] = k.bateau.isEmpty() ? k.skipper : QStringLiteral("%1 (%2)").arg(k.skipper, k.bateau);
        for (const Fixe& f : c.fixes(i))
            if (f.t >= debut && f.t <= fin)
                t.points[size_t(i)].push_back({f.lat, f.lon, date_de(f.t)});
    }
    return ecrit_traces(t, chemin, couleurs, erreur);
}

bool ecrit_csv_bilan(const StatistiquesCourse& s, const QString& chemin, QString& erreur)
{
    return ecrit_fichier(chemin, csv_bilan(s), erreur);
}

}  // namespace orv
