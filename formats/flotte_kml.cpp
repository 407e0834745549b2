// The KML reader (2.2) and its zipped form, KMZ: a Placemark per boat with
// a gx:Track (or a gx:MultiTrack of them), or Placemarks each holding a
// TimeStamp and a Point, grouped by their name.
#include "flotte.h"
#include "lecteurs.h"
#include "traduction.h"

#include <QFile>
#include <QXmlStreamReader>
#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

namespace orv {

namespace {
// "lon lat [alt]" (gx:coord) or "lon,lat[,alt]" (coordinates).
bool coordonnees(QStringView s, QChar sep, double& lat, double& lon)
{
    const QList<QStringView> p = s.trimmed().split(sep, Qt::SkipEmptyParts);
    bool ok1 = false, ok2 = false;
    if (p.size() < 2 || p.size() > 3)
        return false;
    lon = p[0].trimmed().toDouble(&ok1);
    lat = p[1].trimmed().toDouble(&ok2);
    return ok1 && ok2;
}

// The document as the XML reader reads it, refusing to give more than
// 16 MB past the point where its last token ended: the reader holds a
// token's text whole, so one text node of the size of the file would be
// held in memory twice over.
class LectureBornee : public QIODevice {
public:
    static constexpr qint64 JETON_MAX = qint64(1) << 24;
    explicit LectureBornee(QIODevice& d) : d_(d) { open(QIODevice::ReadOnly); }
    qint64 lus() const { return lus_; }
    qint64 repere = 0;  // where the last token ended
    bool depasse = false;
    bool isSequential() const override { return true; }

protected:
    qint64 readData(char* donnees, qint64 taille) override
    {
        const qint64 permis = repere + JETON_MAX - lus_;
        if (permis <= 0) {
            depasse = true;
            return -1;
        }
        const qint64 n = d_.read(donnees, std::min(taille, permis));
        if (n > 0)
            lus_ += n;
        return n;
    }
    qint64 writeData(const char*, qint64) override { return -1; }

private:
    QIODevice& d_;
    qint64 lus_ = 0;
};

bool lit_kml(QIODevice& source, const QString& chemin, Flotte& f, QStringList& avis)
{
    LectureBornee d(source);
    QXmlStreamReader x(&d);
    int jetons = 0;
    struct Lu {
        qint64 ligne;
        double lat = 0, lon = 0;
    };
    bool kml = false, dans_placemark = false, dans_point = false, dans_stamp = false;
    QString nom;
    std::vector<std::pair<Instant, qint64>> quand;  // a track's times, with their lines
    std::vector<Lu> ou;                              // its positions
    bool a_une_heure = false, a_un_point = false;
    Instant t_stamp = 0;
    Lu point{};
    int nb_placemarks = 0, ecartes = 0;
    while (!x.atEnd()) {
        d.repere = d.lus();
        // A KMZ's header may lie about the size its document unpacks to.
        if (++jetons % 4096 == 0 && d.lus() > TAILLE_FLOTTE_MAX)
            return f.refuse(Texte::tr("plus de 1 Go une fois décompressé"));
        switch (x.readNext()) {
        case QXmlStreamReader::DTD:
            return f.refuse(x.lineNumber(), QString(), Texte::tr("déclaration de type (DTD) refusée"));
        case QXmlStreamReader::StartElement: {
            const QStringView n = x.name();
            if (!kml) {
                if (n != QLatin1String("kml"))
                    return f.refuse(Texte::tr("ce n'est pas un fichier KML"));
                kml = true;
            } else if (n == QLatin1String("Placemark")) {
                dans_placemark = true;
                ++nb_placemarks;
                nom.clear();
                quand.clear();
                ou.clear();
                a_une_heure = a_un_point = dans_stamp = dans_point = false;
                t_stamp = 0;
            } else if (!dans_placemark) {
                break;
            } else if (n == QLatin1String("name") && quand.empty() && ou.empty() && !a_un_point) {
                nom = x.readElementText(QXmlStreamReader::IncludeChildElements);
            } else if (n == QLatin1String("when")) {
                const qint64 l = x.lineNumber();
                const QString h = x.readElementText();
                Instant t = 0;
                if (!x.hasError() && !instant_iso(h, t))
                    return f.refuse(l, nom, Texte::tr("heure illisible « %1 »").arg(h.left(40)));
                if (dans_stamp) {
                    t_stamp = t;
                    a_une_heure = true;
                } else {
                    quand.push_back({t, l});
                }
            } else if (n == QLatin1String("coord")) {
                Lu q{x.lineNumber()};
                const QString c = x.readElementText();
                if (!x.hasError() && !coordonnees(c, u' ', q.lat, q.lon))
                    return f.refuse(q.ligne, nom, Texte::tr("position illisible « %1 »").arg(c.left(60)));
                ou.push_back(q);
            } else if (n == QLatin1String("TimeStamp")) {
                dans_stamp = true;
            } else if (n == QLatin1String("Point")) {
                dans_point = true;
            } else if (dans_point && n == QLatin1String("coordinates")) {
                point.ligne = x.lineNumber();
                const QString c = x.readElementText();
                if (!x.hasError() && !coordonnees(c, u',', point.lat, point.lon))
                    return f.refuse(point.ligne, nom, Texte::tr("position illisible « %1 »").arg(c.left(60)));
                a_un_point = true;
            }
            break;
        }
        case QXmlStreamReader::EndElement: {
            const QStringView n = x.name();
            if (n == QLatin1String("TimeStamp")) {
                dans_stamp = false;
            } else if (n == QLatin1String("Point")) {
                dans_point = false;
            } else if (dans_placemark && n == QLatin1String("Placemark")) {
                dans_placemark = false;
                if (nom.trimmed().isEmpty())
                    nom = Texte::tr("Piste %1").arg(nb_placemarks);
                if (quand.empty() && ou.empty() && !a_un_point) {
                    ++ecartes;  // a line or a shape: no fix
                    break;
                }
                if (quand.size() != ou.size())
                    return f.refuse(x.lineNumber(), nom,
                                    ou.size() > quand.size() ? Texte::tr("position sans heure")
                                                             : Texte::tr("%1 heures pour %2 positions").arg(quand.size()).arg(ou.size()));
                if (a_un_point && !a_une_heure && quand.empty()) {
                    ++ecartes;  // a named place, not a fix
                    break;
                }
                const int k = f.piste(nom);
                if (k < 0)
                    return false;
                for (size_t j = 0; j < quand.size(); ++j)
                    if (!f.point(k, quand[j].first, ou[j].lat, ou[j].lon, ou[j].ligne))
                        return false;
                // A Point beside a track (its "current position" marker)
                // is a fix only with a time of its own.
                if (a_un_point && a_une_heure && !f.point(k, t_stamp, point.lat, point.lon, point.ligne))
                    return false;
            }
            break;
        }
        default:
            break;
        }
    }
    if (d.depasse)
        return f.refuse(x.lineNumber(), QString(), Texte::tr("balise ou texte de plus de 16 Mo"));
    if (x.hasError())
        return f.refuse(x.lineNumber(), QString(), erreur_xml(x));
    if (!kml)
        return f.refuse(Texte::tr("ce n'est pas un fichier KML"));
    if (ecartes)
        avis << Texte::tr("« %1 » : %2 repères sans heure laissés de côté (seules les traces font la course).")
                    .arg(chemin)
                    .arg(ecartes);
    return true;
}

// The KML document of a KMZ opened in `z`: its "doc.kml", else its first
// .kml, refused when its header says it unpacks to more than the limit.
bool kml_du_kmz(const QString& chemin, QuaZip& z, QuaZipFile& f, QString& erreur)
{
    if (!z.open(QuaZip::mdUnzip)) {
        erreur = Texte::tr("Course illisible : « %1 » : archive KMZ illisible.").arg(chemin);
        return false;
    }
    QString nom;
    for (const QString& n : z.getFileNameList())
        if (n.endsWith(QLatin1String(".kml"), Qt::CaseInsensitive) && (nom.isEmpty() || n == QLatin1String("doc.kml")))
            nom = n;
    if (nom.isEmpty() || !z.setCurrentFile(nom) || !f.open(QIODevice::ReadOnly)) {
        erreur = Texte::tr("Course illisible : « %1 » : pas de document KML dans l'archive.").arg(chemin);
        return false;
    }
    if (f.usize() > TAILLE_FLOTTE_MAX) {
        erreur = Texte::tr("Course refusée : « %1 » se décompresse en plus de 1 Go.").arg(chemin);
        return false;
    }
    return true;
}

class LecteurKml : public LecteurCourse {
public:
    QString nom() const override { return Texte::tr("traces KML"); }
    QStringList suffixes() const override { return {QStringLiteral("kml"), QStringLiteral("kmz")}; }
    bool reconnait(const QByteArray& debut) const override
    {
        return debut.contains("<kml") || (debut.startsWith("PK\x03\x04") && debut.contains(".kml"));
    }
    bool ouvre_dossier(const QString&) const override { return false; }
    bool lit(const QString& chemin, CourseOuverte& o, QString& erreur) const override
    {
        QFile fichier;
        if (!ouvre_fichier_flotte(chemin, fichier, erreur))
            return false;
        Flotte f(chemin);
        if (fichier.peek(4) == QByteArray("PK\x03\x04")) {
            fichier.close();
            QuaZip z(chemin);
            QuaZipFile kml(&z);
            if (!kml_du_kmz(chemin, z, kml, erreur))
                return false;
            return f.termine(lit_kml(kml, chemin, f, o.avis), o.course, o.pistes, erreur);
        }
        return f.termine(lit_kml(fichier, chemin, f, o.avis), o.course, o.pistes, erreur);
    }
};
}  // namespace

const LecteurCourse& lecteur_kml()
{
    static const LecteurKml l;
    return l;
}

}  // namespace orv
