#include "flotte.h"

#include "convers.h"
#include "description.h"
#include "geometrie.h"
#include "traduction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamReader>
#include <algorithm>
#include <cmath>

namespace orv {

namespace {
// Days since 1 January 1970 of a date of the Gregorian calendar.
int64_t jours_civils(int64_t a, int m, int j)
{
    a -= m <= 2;
    const int64_t ere = (a >= 0 ? a : a - 399) / 400;
    const int64_t ya = a - ere * 400;
    const int64_t jda = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + j - 1;
    const int64_t jde = ya * 365 + ya / 4 - ya / 100 + jda;
    return ere * 146097 + jde - 719468;
}

bool jour_valide(int a, int m, int j)
{
    static constexpr int longueurs[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (a < 1 || a > 9999 || m < 1 || m > 12 || j < 1)
        return false;
    const bool bissextile = (a % 4 == 0 && a % 100 != 0) || a % 400 == 0;
    return j <= longueurs[m - 1] + (m == 2 && bissextile);
}

// Reads n digits at s[k]; advances k.
bool chiffres(QStringView s, qsizetype& k, int n, int& v)
{
    v = 0;
    for (int i = 0; i < n; ++i, ++k) {
        if (k >= s.size() || s[k] < u'0' || s[k] > u'9')
            return false;
        v = v * 10 + (s[k].unicode() - u'0');
    }
    return true;
}

// "HH:MM[:SS[.fff]][Z|±HH[:]MM]" from s[k] to the end, added to the day.
bool heure_et_decalage(QStringView s, qsizetype k, int64_t jours, Instant& t)
{
    int h = 0, mi = 0, se = 0;
    if (!chiffres(s, k, 2, h) || k >= s.size() || s[k] != u':' || !chiffres(s, ++k, 2, mi))
        return false;
    if (k < s.size() && s[k] == u':') {
        if (!chiffres(s, ++k, 2, se))
            return false;
        if (k < s.size() && (s[k] == u'.' || s[k] == u',')) {
            ++k;
            const qsizetype d = k;
            while (k < s.size() && s[k] >= u'0' && s[k] <= u'9')
                ++k;
            if (k == d)
                return false;
        }
    }
    if (h > 24 || mi > 59 || se > 60 || (h == 24 && (mi || se)))
        return false;
    int64_t decalage = 0;
    if (k < s.size() && s[k] == u'Z') {
        ++k;
    } else if (k < s.size() && (s[k] == u'+' || s[k] == u'-')) {
        const int signe = s[k] == u'-' ? -1 : 1;
        int dh = 0, dm = 0;
        if (!chiffres(s, ++k, 2, dh))
            return false;
        if (k < s.size() && s[k] == u':')
            ++k;
        if (!chiffres(s, k, 2, dm) || dh > 23 || dm > 59)
            return false;
        decalage = signe * (dh * 3600 + dm * 60);
    }
    if (k != s.size())
        return false;
    t = jours * 86400 + h * 3600 + mi * 60 + se - decalage;
    return true;
}
}  // namespace

bool instant_iso(QStringView s, Instant& t)
{
    s = s.trimmed();
    qsizetype k = 0;
    int a = 0, m = 0, j = 0;
    if (!chiffres(s, k, 4, a) || k >= s.size() || s[k] != u'-' || !chiffres(s, ++k, 2, m) || k >= s.size() ||
        s[k] != u'-' || !chiffres(s, ++k, 2, j) || !jour_valide(a, m, j))
        return false;
    if (k >= s.size() || (s[k] != u'T' && s[k] != u' '))
        return false;
    return heure_et_decalage(s, k + 1, jours_civils(a, m, j), t);
}

bool instant_jjmmaaaa(QStringView s, Instant& t)
{
    s = s.trimmed();
    qsizetype k = 0;
    int a = 0, m = 0, j = 0;
    if (!chiffres(s, k, 2, j) || k >= s.size() || s[k] != u'/' || !chiffres(s, ++k, 2, m) || k >= s.size() ||
        s[k] != u'/' || !chiffres(s, ++k, 4, a) || !jour_valide(a, m, j))
        return false;
    if (k >= s.size() || s[k] != u' ')
        return false;
    while (k < s.size() && s[k] == u' ')
        ++k;
    return heure_et_decalage(s, k, jours_civils(a, m, j), t);
}

QString erreur_xml(const QXmlStreamReader& x)
{
    if (x.error() == QXmlStreamReader::PrematureEndOfDocumentError)
        return Texte::tr("fichier coupé avant sa fin");
    return Texte::tr("XML mal formé (%1)").arg(x.errorString());
}

bool ouvre_fichier_flotte(const QString& chemin, QFile& f, QString& erreur)
{
    f.setFileName(chemin);
    if (!QFileInfo(chemin).isFile() || !f.open(QIODevice::ReadOnly)) {
        erreur = Texte::tr("Course illisible : « %1 » (%2).")
                     .arg(chemin, QFileInfo::exists(chemin) ? Texte::tr("lecture impossible") : Texte::tr("fichier absent"));
        return false;
    }
    if (f.size() > TAILLE_FLOTTE_MAX) {
        erreur = Texte::tr("Course refusée : « %1 » fait plus de 1 Go.").arg(chemin);
        return false;
    }
    return true;
}

bool lit_fichier_flotte(const QString& chemin, QByteArray& contenu, QString& erreur)
{
    QFile f;
    if (!ouvre_fichier_flotte(chemin, f, erreur))
        return false;
    // A regular file within the limit: read in chunks, so that a file that
    // grows meanwhile stops at the limit (a read of the limit at once
    // would reserve it whole).
    contenu.clear();
    char tampon[1 << 16];
    for (;;) {
        const qint64 n = f.read(tampon, sizeof tampon);
        if (n < 0) {
            erreur = Texte::tr("Course illisible : « %1 » (lecture impossible).").arg(chemin);
            contenu.clear();
            return false;
        }
        if (n == 0)
            return true;
        if (contenu.size() + n > TAILLE_FLOTTE_MAX) {
            erreur = Texte::tr("Course refusée : « %1 » fait plus de 1 Go.").arg(chemin);
            contenu.clear();
            return false;
        }
        contenu.append(tampon, qsizetype(n));
    }
}

Flotte::Flotte(const QString& chemin) : chemin_(chemin) {}

bool Flotte::refuse(qint64 ligne, const QString& nom, const QString& quoi)
{
    erreur_ = nom.isEmpty() ? Texte::tr("Course illisible : « %1 », ligne %2 : %3.").arg(chemin_).arg(ligne).arg(quoi)
                            : Texte::tr("Course illisible : « %1 », ligne %2, « %3 » : %4.")
                                  .arg(chemin_)
                                  .arg(ligne)
                                  .arg(nom, quoi);
    return false;
}

bool Flotte::refuse(const QString& quoi)
{
    erreur_ = Texte::tr("Course illisible : « %1 » : %2.").arg(chemin_, quoi);
    return false;
}

int Flotte::piste(const QString& nom)
{
    const QString n = nom.simplified();
    if (const auto k = indices_.constFind(n); k != indices_.cend())
        return *k;
    if (int(noms_.size()) >= BATEAUX_MAX) {
        refuse(Texte::tr("plus de %1 bateaux").arg(BATEAUX_MAX));
        return -1;
    }
    const int k = int(noms_.size());
    indices_.insert(n, k);
    noms_.push_back(n);
    pistes_.emplace_back();
    return k;
}

bool Flotte::point(int k, Instant t, double lat, double lon, qint64 ligne)
{
    if (!std::isfinite(lat) || !std::isfinite(lon) || lat < -90 || lat > 90 || lon < -180 || lon > 180)
        return refuse(ligne, noms_[size_t(k)],
                      Texte::tr("position hors limites (%1, %2)").arg(lat, 0, 'g', 10).arg(lon, 0, 'g', 10));
    // Years 1900 to 2199: a stray zero date (year 1, 1970) is no fix of a race.
    if (t < -2208988800LL || t >= 7258118400LL)
        return refuse(ligne, noms_[size_t(k)], Texte::tr("heure hors des années 1900 à 2199 (%1)")
                                                    .arg(date_de(t).toString(Qt::ISODate)));
    if (++nb_points_ > POINTS_MAX)
        return refuse(Texte::tr("plus de %1 positions").arg(POINTS_MAX));
    pistes_[size_t(k)].points.push_back({t, lat, lon});
    return true;
}

bool Flotte::finit(Course& c, std::vector<Piste>& pistes)
{
    // Each track in time order, one fix per instant (the first given).
    std::vector<size_t> gardees;
    for (size_t k = 0; k < pistes_.size(); ++k) {
        std::vector<PointPiste>& p = pistes_[k].points;
        std::stable_sort(p.begin(), p.end(), [](const PointPiste& a, const PointPiste& b) { return a.t < b.t; });
        p.erase(std::unique(p.begin(), p.end(), [](const PointPiste& a, const PointPiste& b) { return a.t == b.t; }),
                p.end());
        if (!p.empty())
            gardees.push_back(k);
        // "Skipper (Bateau)", or a name alone.
        const QString& n = noms_[k];
        const qsizetype o = n.lastIndexOf(QLatin1String(" ("));
        if (o > 0 && n.endsWith(u')')) {
            pistes_[k].skipper = n.left(o).trimmed();
            pistes_[k].bateau = n.mid(o + 2, n.size() - o - 3).trimmed();
        } else {
            pistes_[k].skipper = n;
        }
    }
    if (gardees.empty())
        return refuse(Texte::tr("aucune position"));

    // The description beside the file, by its base name.
    const QFileInfo fi(chemin_);
    const QString beside = fi.dir().filePath(fi.completeBaseName() + QStringLiteral(".course"));
    Course course;
    if (QFileInfo(beside).isFile()) {
        if (!charge_course(beside, course, erreur_, true))
            return false;
    } else {
        course.nom = fi.completeBaseName();
        course.arrivee_connue = false;
    }
    // The entrants in the alphabetical order of their names; what the
    // description says of one taken from it.
    std::stable_sort(gardees.begin(), gardees.end(), [&](size_t a, size_t b) {
        return QString::compare(pistes_[a].skipper, pistes_[b].skipper, Qt::CaseInsensitive) < 0;
    });
    std::vector<Concurrent> decrits(course.concurrents.begin() + 1, course.concurrents.end());
    course.concurrents.resize(1);
    pistes.clear();
    Instant premier = INT64_MAX, dernier = INT64_MIN;
    for (size_t k : gardees) {
        Piste& p = pistes_[k];
        Concurrent e{p.skipper, p.bateau, {}, {}};
        for (const Concurrent& d : decrits)
            if (d.skipper.compare(p.skipper, Qt::CaseInsensitive) == 0) {
                e.carac = d.carac;
                e.photo = d.photo;
                if (e.bateau.isEmpty())
                    e.bateau = d.bateau;
            }
        course.concurrents.push_back(std::move(e));
        premier = std::min(premier, p.points.front().t);
        dernier = std::max(dernier, p.points.back().t);
        pistes.push_back(std::move(p));
    }
    if (!course.premier_jour.isValid()) {
        course.premier_jour = date_de(premier).date();
        course.dernier_jour = date_de(dernier).date();
    }
    if (course.depart.nom.isEmpty()) {
        // The earliest fix of the fleet.
        const PointPiste* d0 = &pistes.front().points.front();
        for (const Piste& p : pistes)
            if (p.points.front().t < d0->t)
                d0 = &p.points.front();
        const PointPiste& d = *d0;
        course.depart = cree_pos_elem(Texte::tr("Départ"), deg_vers_ddmm(ext(d.lat)), deg_vers_ddmm(ext(-d.lon)));
    }
    // A track that ends at the race's finish (within 3 miles) has arrived:
    // it stays there rather than fading as a track that stops at sea.
    if (course.arrivee_connue)
        for (Piste& p : pistes) {
            const PointPiste& d = p.points.back();
            p.arrivee = dist_ortho(deg_vers_ddmm(ext(d.lat)), deg_vers_ddmm(ext(-d.lon)), course.arrivee.latitude,
                                   course.arrivee.longitude) <= 3;
        }
    course.fichiers_jour = false;
    course.dossier = fi.absolutePath();
    c = std::move(course);
    return true;
}

}  // namespace orv
