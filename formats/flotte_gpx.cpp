// The GPX reader (1.0 and 1.1): one track per boat, its segments joined in
// time order, every point with its time; routes and waypoints left aside.
#include "flotte.h"
#include "lecteurs.h"
#include "traduction.h"

#include <QFile>
#include <QXmlStreamReader>

namespace orv {

namespace {
// A point of the track being read, checked once its name is known (GPX
// gives the name first, but not always).
struct PointLu {
    Instant t;
    double lat, lon;
    qint64 ligne;
    bool heure;
};

bool lit_gpx(QIODevice& d, const QString& chemin, Flotte& f, QStringList& avis)
{
    QXmlStreamReader x(&d);
    std::vector<PointLu> points;
    QString nom;
    int nb_pistes = 0, ecartes = 0;
    bool dans_trk = false, dans_trkpt = false, gpx = false;
    PointLu p{};
    auto fin_de_piste = [&]() {
        ++nb_pistes;
        if (nom.trimmed().isEmpty())
            nom = Texte::tr("Piste %1").arg(nb_pistes);
        const int k = f.piste(nom);
        if (k < 0)
            return false;
        for (const PointLu& q : points) {
            if (!q.heure)
                return f.refuse(q.ligne, nom, Texte::tr("position sans heure"));
            if (!f.point(k, q.t, q.lat, q.lon, q.ligne))
                return false;
        }
        points.clear();
        nom.clear();
        return true;
    };
    while (!x.atEnd()) {
        switch (x.readNext()) {
        case QXmlStreamReader::DTD:
            return f.refuse(x.lineNumber(), QString(), Texte::tr("déclaration de type (DTD) refusée"));
        case QXmlStreamReader::StartElement: {
            const QStringView n = x.name();
            if (!gpx) {
                if (n != QLatin1String("gpx"))
                    return f.refuse(Texte::tr("ce n'est pas un fichier GPX"));
                gpx = true;
            } else if (n == QLatin1String("trk")) {
                dans_trk = true;
            } else if (dans_trk && n == QLatin1String("trkpt")) {
                bool ok1 = false, ok2 = false;
                p = {0, x.attributes().value(QLatin1String("lat")).toDouble(&ok1),
                     x.attributes().value(QLatin1String("lon")).toDouble(&ok2), x.lineNumber(), false};
                if (!ok1 || !ok2)
                    return f.refuse(x.lineNumber(), nom, Texte::tr("point sans latitude ou longitude lisible"));
                dans_trkpt = true;
            } else if (dans_trkpt && n == QLatin1String("time")) {
                const QString h = x.readElementText();
                if (x.hasError())
                    break;
                if (!instant_iso(h, p.t))
                    return f.refuse(x.lineNumber(), nom, Texte::tr("heure illisible « %1 »").arg(h.left(40)));
                p.heure = true;
            } else if (dans_trk && !dans_trkpt && n == QLatin1String("name")) {
                nom = x.readElementText();
            } else if (!dans_trk && (n == QLatin1String("rte") || n == QLatin1String("wpt"))) {
                ++ecartes;
                x.skipCurrentElement();
            }
            break;
        }
        case QXmlStreamReader::EndElement: {
            const QStringView n = x.name();
            if (dans_trkpt && n == QLatin1String("trkpt")) {
                dans_trkpt = false;
                points.push_back(p);
            } else if (dans_trk && n == QLatin1String("trk")) {
                dans_trk = false;
                if (!fin_de_piste())
                    return false;
            }
            break;
        }
        default:
            break;
        }
    }
    if (x.hasError())
        return f.refuse(x.lineNumber(), QString(), erreur_xml(x));
    if (ecartes)
        avis << Texte::tr("« %1 » : %2 routes ou points isolés laissés de côté (seules les traces font la course).")
                    .arg(chemin)
                    .arg(ecartes);
    return true;
}

class LecteurGpx : public LecteurCourse {
public:
    QString nom() const override { return Texte::tr("traces GPX"); }
    QStringList suffixes() const override { return {QStringLiteral("gpx")}; }
    bool reconnait(const QByteArray& debut) const override { return debut.contains("<gpx"); }
    bool ouvre_dossier(const QString&) const override { return false; }
    bool lit(const QString& chemin, CourseOuverte& o, QString& erreur) const override
    {
        QFile fichier;
        if (!ouvre_fichier_flotte(chemin, fichier, erreur))
            return false;
        Flotte f(chemin);
        if (!lit_gpx(fichier, chemin, f, o.avis) || !f.finit(o.course, o.pistes)) {
            erreur = f.erreur();
            return false;
        }
        return true;
    }
};
}  // namespace

const LecteurCourse& lecteur_gpx()
{
    static const LecteurGpx l;
    return l;
}

}  // namespace orv
