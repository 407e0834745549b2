#include "trajets.h"

#include "calendrier.h"
#include "convers.h"
#include "ecriture.h"
#include "traduction.h"
#include "viewport.h"

#include <QFile>
#include <QFileInfo>
#include <QXmlStreamWriter>
#include <algorithm>
#include <cmath>

namespace orv {

int ArchiveJours::indice_du_jour(const QDate& d) const
{
    for (int k = 0; k < nb_jours(); ++k)
        if (jours[size_t(k)] == d)
            return k;
    return -1;
}

void ArchiveJours::vide()
{
    jours.clear();
    dates_depuis.clear();
    dates_jusqua.clear();
    heures_classement.clear();
    fichiers_illisibles.clear();
    fichiers_douteux.clear();
    listes.vide(nb_concurrents());
    tete_traj.assign(size_t(nb_concurrents()) + 1, nullptr);
    constituee = false;
}

bool constitue_trajets(const Course& c, ArchiveJours& a, const Emplacements& e, QString& erreur)
{
    a.course = &c;
    a.vide();
    // A date state and a reading buffer of the assembly's own: the day on
    // display keeps its records and its date.
    EtatDate date;
    date.jour_choisi = c.premier_jour.day();
    date.mois_choisi = c.premier_jour.month();
    date.annee_choisie = c.premier_jour.year();
    date.code_jour = code_du_jour(date.jour_choisi, date.mois_choisi, date.annee_choisie);
    JourCourse tampon;
    for (QDate d = c.premier_jour; d <= c.dernier_jour; d = d.addDays(1)) {
        if (d != c.premier_jour)
            jour_suivant(date);
        const QString nom = date.code_jour + QStringLiteral(".txt");
        const QString chemin = chemin_jour_nomme(e, nom);
        const QFileInfo fi(chemin);
        if (!fi.exists()) {
            if (d != c.premier_jour)
                continue;
            erreur = Texte::tr("Lecture impossible du fichier « %1 » : les trajets ne sont pas constitués.")
                         .arg(fi.absoluteFilePath());
            a.vide();
            return false;
        }
        QByteArray contenu;
        const size_t avant = a.listes.elements.size();
        if (lit_fichier(chemin, contenu))
            relit_jour(c, tampon, a.listes, contenu, nom, a.nb_jours());
        // Unreadable, or no entrant in it: skipped, and said.
        if (a.listes.elements.size() == avant) {
            a.fichiers_illisibles << nom;
            continue;
        }
        if (tampon.valeurs_hors_bornes > 0)
            a.fichiers_douteux << nom;
        a.heures_classement.push_back(tampon.heure_classement);
        // The "depuis le" list starts with the race's first day, the
        // "jusqu'au" list with no end.
        a.dates_depuis << (a.jours.empty() && d == c.premier_jour ? date_du_depart(d) : date.date_en_clair);
        a.dates_jusqua << (a.jours.empty() ? QStringLiteral("--------------") : date.date_en_clair);
        a.jours.push_back(d);
    }
    for (int i = 1; i <= c.nb(); ++i)
        a.tete_traj[size_t(i)] = a.listes.liste_traj[size_t(i)];
    a.constituee = true;
    return true;
}

QStringList ArchiveJours::avis() const
{
    QStringList l;
    if (!fichiers_illisibles.isEmpty())
        l << Texte::tr("Fichiers du jour illisibles, laissés de côté : %1.").arg(fichiers_illisibles.join(QStringLiteral(", ")));
    if (!fichiers_douteux.isEmpty())
        l << valeurs_impossibles(fichiers_douteux.join(QStringLiteral(", ")));
    return l;
}

int SelectionTrajets::dernier(int n) const
{
    for (int i = n; i >= 1; --i)
        if (concurrents.test(size_t(i)))
            return i;
    return 0;
}

Film::Film(const ArchiveJours& a, const SelectionTrajets& s) : a_(&a), s_(s)
{
    const int n = a.nb_concurrents();
    curseur_.assign(size_t(n) + 1, nullptr);
    debut_liste_.assign(size_t(n) + 1, nullptr);
    if (s.toute_course) {
        debut_ = 0;
        // Until the last record of any chosen entrant.
        fin_ = -1;
        for (int i = 1; i <= n; ++i) {
            if (!s.concurrents.test(size_t(i)))
                continue;
            for (const TDonnees_conc* e = a.tete_traj[size_t(i)]; e; e = e->suivant)
                if (releve_reel(*e))
                    fin_ = std::max(fin_, int(e->jour));
        }
    } else {
        debut_ = std::clamp(std::min(s.debut, s.fin), 0, std::max(0, a.nb_jours() - 1));
        fin_ = std::clamp(std::max(s.debut, s.fin), 0, a.nb_jours() - 1);
    }
    jour_ = debut_;
    for (int i = 1; i <= n; ++i) {
        const TDonnees_conc* e = s.concurrents.test(size_t(i)) ? a.tete_traj[size_t(i)] : nullptr;
        while (e && e->jour < debut_)
            e = e->suivant;
        curseur_[size_t(i)] = e;
        debut_liste_[size_t(i)] = e;
    }
}

bool Film::reste() const { return a_ && jour_ <= fin_; }

std::vector<const TDonnees_conc*> Film::courant() const
{
    std::vector<const TDonnees_conc*> r(curseur_.size(), nullptr);
    if (!reste())
        return r;
    for (size_t i = 1; i < curseur_.size(); ++i) {
        // A record without a real position (a retired boat's) is no fix.
        const TDonnees_conc* e = curseur_[i];
        if (e && e->jour == jour_ && releve_reel(*e))
            r[i] = e;
    }
    return r;
}

std::vector<const TDonnees_conc*> Film::pas()
{
    auto r = courant();
    if (!reste())
        return r;
    for (size_t i = 1; i < curseur_.size(); ++i) {
        const TDonnees_conc*& e = curseur_[i];
        while (e && e->jour <= jour_)
            e = e->suivant;
    }
    ++jour_;
    return r;
}

bool cadre_sur_trajets(const ArchiveJours& a, const SelectionTrajets& s, Viewport& v, int32_t larg_client)
{
    std::vector<double> lons;  // degrees, West positive
    double nord = -90, sud = 90;
    Film f(a, s);
    while (f.reste())
        for (const TDonnees_conc* e : f.pas())
            if (e) {
                const double la = double(ddmm_vers_deg(e->elem.latitude));
                nord = std::max(nord, la);
                sud = std::min(sud, la);
                lons.push_back(double(ddmm_vers_deg(e->elem.longitude)));
            }
    if (lons.empty())
        return false;
    v.cadre_longitudes(std::move(lons), larg_client);
    v.lat_nord = deg_vers_ddmm(nord);
    v.lat_sud = deg_vers_ddmm(sud - 1);
    return true;
}

bool releve_reel(const TDonnees_conc& r)
{
    if (r.sans_position || (r.non_classe && r.elem.latitude == 0 && r.elem.longitude == 0))
        return false;
    if (r.date_txt.startsWith(u'A'))
        return r.date_txt.startsWith(QStringLiteral("Arrivé"));
    return true;
}

QDateTime heure_du_releve(const TDonnees_conc& r, const QDate& premier_jour, const QDate& jour)
{
    // A time beyond the day after the file's, or before the start, is a
    // typo: noon of the file's day instead.
    if (const auto t = heure_du_texte(r.date_txt); t && heure_croyable(*t, premier_jour, jour))
        return *t;
    return QDateTime(jour, QTime(12, 0), Qt::UTC);
}

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
    Film f(a, un);
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

}  // namespace orv
