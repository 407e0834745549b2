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

bool exporte_trajets(const ArchiveJours& a, const SelectionTrajets& s, const QString& chemin,
                     const std::vector<uint32_t>& couleurs, QString& erreur)
{
    const QString suffixe = QFileInfo(chemin).suffix().toLower();
    if (suffixe != QLatin1String("gpx") && suffixe != QLatin1String("kml")) {
        erreur = Texte::tr("Extension inconnue : le fichier doit finir par .gpx ou .kml.");
        return false;
    }
    // The tracks that have a point; none at all is nothing to export.
    const int n = a.nb_concurrents();
    std::vector<std::vector<Point>> points(size_t(n) + 1);
    SelectionTrajets avec_points = s;
    for (int i = 1; i <= n; ++i)
        if (s.concurrents.test(size_t(i))) {
            points[size_t(i)] = points_exportes(a, s, i);
            avec_points.concurrents.set(size_t(i), !points[size_t(i)].empty());
        }
    if (avec_points.concurrents.none()) {
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
            if (!avec_points.concurrents.test(size_t(i)))
                continue;
            x.writeStartElement(QStringLiteral("trk"));
            x.writeTextElement(QStringLiteral("name"), nom_piste(a, i));
            x.writeStartElement(QStringLiteral("trkseg"));
            for (const Point& p : points[size_t(i)]) {
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
        x.writeTextElement(QStringLiteral("name"), a.course->nom);
        for (int i = 1; i <= n; ++i) {
            if (!avec_points.concurrents.test(size_t(i)))
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
            if (!avec_points.concurrents.test(size_t(i)))
                continue;
            x.writeStartElement(QStringLiteral("Placemark"));
            x.writeTextElement(QStringLiteral("name"), nom_piste(a, i));
            x.writeTextElement(QStringLiteral("styleUrl"), QStringLiteral("#c%1").arg(i));
            x.writeStartElement(QStringLiteral("http://www.google.com/kml/ext/2.2"), QStringLiteral("Track"));
            const std::vector<Point>& pts = points[size_t(i)];
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

bool ecrit_csv_bilan(const StatistiquesCourse& s, const QString& chemin, QString& erreur)
{
    return ecrit_fichier(chemin, csv_bilan(s), erreur);
}

}  // namespace orv
