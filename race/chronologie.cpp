#include "chronologie.h"

#include "statistiques.h"
#include "traduction.h"

#include <QLocale>

#include <algorithm>
#include <cmath>

namespace orv {

namespace {
constexpr double DEG = 180 / M_PI;
constexpr double RAD = M_PI / 180;

std::array<double, 3> vecteur(double lat, double lon)
{
    const double p = lat * RAD, l = lon * RAD;
    return {std::cos(p) * std::cos(l), std::cos(p) * std::sin(l), std::sin(p)};
}

double scalaire(const std::array<double, 3>& a, const std::array<double, 3>& b)
{
    return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// The angle between two unit vectors, exact near 0 and π as an arc cosine
// is not.
double angle(const std::array<double, 3>& a, const std::array<double, 3>& b)
{
    const double cx = a[1] * b[2] - a[2] * b[1], cy = a[2] * b[0] - a[0] * b[2], cz = a[0] * b[1] - a[1] * b[0];
    return std::atan2(std::sqrt(cx * cx + cy * cy + cz * cz), scalaire(a, b));
}

// The initial great-circle course from unit vector p towards b, degrees
// from North (0 at a pole, where North has no direction).
double cap_vers(const std::array<double, 3>& p, const std::array<double, 3>& b)
{
    const double cos_phi = std::hypot(p[0], p[1]);
    if (cos_phi < 1e-12)
        return 0;
    const double cl = p[0] / cos_phi, sl = p[1] / cos_phi, sp = p[2];
    const double est = -sl * b[0] + cl * b[1];
    const double nord = -sp * cl * b[0] - sp * sl * b[1] + cos_phi * b[2];
    const double c = std::atan2(est, nord) * DEG;
    return c < 0 ? c + 360 : c;
}
}  // namespace

Instant instant_de(const QDateTime& t) { return t.toSecsSinceEpoch(); }
QDateTime date_de(Instant t) { return QDateTime::fromSecsSinceEpoch(t, Qt::UTC); }

void Chronologie::prepare_legs(int i)
{
    std::vector<Fixe>& f = fixes_[size_t(i)];
    if (temps_.size() < fixes_.size())
        temps_.resize(fixes_.size());
    if (index_.size() < fixes_.size())
        index_.resize(fixes_.size());
    if (index64_.size() < fixes_.size())
        index64_.resize(fixes_.size());
    std::vector<Instant>& ix64 = index64_[size_t(i)];
    ix64.clear();
    std::vector<Instant>& tt = temps_[size_t(i)];
    std::vector<Instant>& ix = index_[size_t(i)];
    tt.resize(f.size());
    ix.clear();
    for (size_t k = 0; k < f.size(); ++k) {
        tt[k] = f[k].t;
        if (k % BLOC == 0)
            ix.push_back(f[k].t);
        if (k % (BLOC * BLOC) == 0)
            ix64.push_back(f[k].t);
    }
    for (size_t k = 0; k + 1 < f.size(); ++k) {
        Fixe& x = f[k];
        x.omega = angle(x.u, f[k + 1].u);
        x.sin_omega = std::sin(x.omega);
        x.vitesse = x.omega * DEG * 60 / (double(f[k + 1].t - x.t) / UNE_HEURE);
        if (x.sin_omega > 1e-12)
            x.cap = float(cap_vers(x.u, f[k + 1].u));
        else if (k > 0)
            x.cap = f[k - 1].cap;
    }
    if (f.size() >= 2)
        f.back().cap = f[f.size() - 2].cap;
    if (!f.empty()) {
        premier_ = std::min(premier_, f.front().t);
        dernier_ = std::max(dernier_, f.back().t);
    }
}

Chronologie::Chronologie(const Course& c, const std::vector<Piste>& pistes) : c_(&c), fin_de_piste_(true)
{
    fixes_.assign(pistes.size() + 1, {});
    abandons_.assign(pistes.size() + 1, 0);
    for (size_t i = 1; i <= pistes.size(); ++i) {
        const Piste& p = pistes[i - 1];
        std::vector<Fixe>& f = fixes_[i];
        f.reserve(p.points.size());
        for (const PointPiste& q : p.points) {
            Fixe x;
            x.t = q.t;
            x.lat = q.lat;
            x.lon = q.lon;
            x.u = vecteur(q.lat, q.lon);
            f.push_back(x);
        }
        if (p.arrivee && !f.empty())
            f.back().arrivee = true;
        abandons_[i] = p.abandon;
        prepare_legs(int(i));
    }
}

namespace {
const char* nature_fr(Nature n)
{
    switch (n) {
    case Nature::Releve: return QT_TRANSLATE_NOOP("Orvalis", "relevé");
    case Nature::Interpole: return QT_TRANSLATE_NOOP("Orvalis", "interpolé");
    case Nature::Estime: return QT_TRANSLATE_NOOP("Orvalis", "estimé");
    case Nature::Arrive: return QT_TRANSLATE_NOOP("Orvalis", "arrivé");
    case Nature::Abandon: return QT_TRANSLATE_NOOP("Orvalis", "abandon");
    case Nature::DerniereConnue: return QT_TRANSLATE_NOOP("Orvalis", "dernière position connue");
    }
    return "";
}
}  // namespace

QString texte_nature(Nature n) { return QString::fromUtf8(nature_fr(n)); }
QString texte_nature_traduit(Nature n) { return Texte::tr(nature_fr(n)); }

TPos_elem pos_elem_de(const PositionFilm& p, const QString& nom)
{
    return cree_pos_elem(nom, deg_vers_ddmm(p.lat), deg_vers_ddmm(-p.lon));
}

Chronologie::Chronologie(const ArchiveJours& a) : a_(&a), c_(a.course)
{
    const int n = a.nb_jours(), nb = a.nb_concurrents();
    fixes_.assign(size_t(nb) + 1, {});
    abandons_.assign(size_t(nb) + 1, 0);
    classements_.resize(size_t(n));
    lignes_.assign(size_t(n), std::vector<const TDonnees_conc*>(size_t(nb) + 1, nullptr));
    publications_.resize(size_t(n));
    // The latest fix time of each day's file: its ranking is not published
    // before the fixes it ranks.
    std::vector<Instant> dernier_releve(size_t(n), INT64_MIN);

    for (int i = 1; i <= nb; ++i) {
        std::vector<Fixe>& f = fixes_[size_t(i)];
        for (const TDonnees_conc* e = a.tete_traj[size_t(i)]; e; e = e->suivant) {
            if (e->jour < 0 || e->jour >= n)
                continue;
            // A record repeated in one file ranks once.
            if (lignes_[size_t(e->jour)][size_t(i)])
                continue;
            lignes_[size_t(e->jour)][size_t(i)] = e;
            classements_[size_t(e->jour)].push_back({i, e});
            if (!abandons_[size_t(i)] && e->date_txt.startsWith(QLatin1String("Abandon")))
                abandons_[size_t(i)] = instant_de(QDateTime(a.jours[size_t(e->jour)], QTime(12, 0), Qt::UTC));
            // Nothing moves a boat that has arrived.
            if (!releve_reel(*e) || (!f.empty() && f.back().arrivee))
                continue;
            Fixe x;
            x.t = instant_de(heure_du_releve(*e, a.course->premier_jour, a.jours[size_t(e->jour)]));
            dernier_releve[size_t(e->jour)] = std::max(dernier_releve[size_t(e->jour)], x.t);
            // An arrival repeated on the following days counts once; a time
            // going back is not a later fix either.
            if (!f.empty() && x.t <= f.back().t)
                continue;
            x.lat = double(ddmm_vers_deg(e->elem.latitude));
            x.lon = -double(ddmm_vers_deg(e->elem.longitude));
            x.u = vecteur(x.lat, x.lon);
            x.r = e;
            x.cap = float(e->cap);
            x.arrivee = e->date_txt.startsWith(QStringLiteral("Arrivé"));
            f.push_back(x);
        }
        // The course of a fix is the file's own (prepare_legs computes
        // it for tracks only).
        std::vector<float> caps(f.size());
        for (size_t k = 0; k < f.size(); ++k)
            caps[k] = f[k].cap;
        prepare_legs(i);
        for (size_t k = 0; k < f.size(); ++k)
            f[k].cap = caps[k];
    }
    for (auto& c : classements_)
        std::stable_sort(c.begin(), c.end(), [](const Ligne& x, const Ligne& y) { return x.r->rang < y.r->rang; });

    for (int d = 0; d < n; ++d) {
        // The header's time when it is of the file's day or the next, else
        // 20h00 UTC of the day; never before the file's latest fix.
        const QDate jour = a.jours[size_t(d)];
        const QDateTime h = size_t(d) < a.heures_classement.size() ? a.heures_classement[size_t(d)] : QDateTime();
        const qint64 ecart = h.isValid() ? jour.daysTo(h.date()) : -1;
        const bool croyable = ecart == 0 || ecart == 1;
        publications_[size_t(d)] =
            std::max(instant_de(croyable ? h : QDateTime(jour, QTime(20, 0), Qt::UTC)), dernier_releve[size_t(d)]);
        // A file that ranks nobody is no published ranking.
        if (!classements_[size_t(d)].empty())
            par_publication_.push_back({publications_[size_t(d)], d});
    }
    std::stable_sort(par_publication_.begin(), par_publication_.end(),
                     [](const auto& x, const auto& y) { return x.first < y.first; });
}

size_t Chronologie::super_bloc_de(int i, Instant t) const
{
    const std::vector<Instant>& ix = index64_[size_t(i)];
    if (ix.empty() || t < ix.front())
        return SIZE_MAX;
    return size_t(std::upper_bound(ix.begin(), ix.end(), t) - ix.begin()) - 1;
}

size_t Chronologie::bloc_dans(int i, Instant t, size_t super_bloc) const
{
    // The last block of the eight starting at or before t.
    const std::vector<Instant>& ix = index_[size_t(i)];
    size_t b = super_bloc * BLOC + 1;
    const size_t fin = std::min(ix.size(), super_bloc * BLOC + BLOC);
    while (b < fin && ix[b] <= t)
        ++b;
    return b - 1;
}

size_t Chronologie::bloc_de(int i, Instant t) const
{
    const size_t sb = super_bloc_de(i, t);
    return sb == SIZE_MAX ? SIZE_MAX : bloc_dans(i, t, sb);
}

size_t Chronologie::suivant_dans(int i, Instant t, size_t bloc) const
{
    // The first time after t in the block (or the next block's first).
    const std::vector<Instant>& tt = temps_[size_t(i)];
    size_t s = bloc * BLOC + 1;
    const size_t fin = std::min(tt.size(), bloc * BLOC + BLOC);
    while (s < fin && tt[s] <= t)
        ++s;
    return s;
}

PositionFilm Chronologie::position(int i, Instant t) const
{
    const size_t bloc = bloc_de(i, t);
    return bloc == SIZE_MAX ? PositionFilm() : position_avant(i, t, suivant_dans(i, t, bloc));
}

void Chronologie::positions(Instant t, const EnsembleConcurrents& choisis, std::vector<PositionFilm>& p) const
{
    // In three passes, each fetching ahead what the next reads, so that the
    // memory's delays of every entrant overlap instead of adding up.
    const int n = nb();
    p.assign(size_t(n) + 1, PositionFilm());
    std::vector<size_t> k(size_t(n) + 1, SIZE_MAX);
    for (int i = 1; i <= n; ++i)
        if (choisis.test(size_t(i)) && (k[size_t(i)] = super_bloc_de(i, t)) != SIZE_MAX) {
            const Instant* b = index_[size_t(i)].data() + k[size_t(i)] * BLOC;
            __builtin_prefetch(b);
            __builtin_prefetch(b + BLOC - 1);
        }
    for (int i = 1; i <= n; ++i)
        if (k[size_t(i)] != SIZE_MAX) {
            k[size_t(i)] = bloc_dans(i, t, k[size_t(i)]);
            const Instant* b = temps_[size_t(i)].data() + k[size_t(i)] * BLOC;
            __builtin_prefetch(b);
            __builtin_prefetch(b + BLOC - 1);
        }
    for (int i = 1; i <= n; ++i)
        if (k[size_t(i)] != SIZE_MAX) {
            k[size_t(i)] = suivant_dans(i, t, k[size_t(i)]);
            const Fixe* f = fixes_[size_t(i)].data() + k[size_t(i)];
            __builtin_prefetch(f - 1);
            __builtin_prefetch(reinterpret_cast<const char*>(f) - 1);
            if (k[size_t(i)] < fixes_[size_t(i)].size())
                __builtin_prefetch(reinterpret_cast<const char*>(f) + sizeof(Fixe) - 1);
        }
    for (int i = 1; i <= n; ++i)
        if (k[size_t(i)] != SIZE_MAX)
            p[size_t(i)] = position_avant(i, t, k[size_t(i)]);
}

PositionFilm Chronologie::position_avant(int i, Instant t, size_t s) const
{
    PositionFilm p;
    const std::vector<Fixe>& f = fixes_[size_t(i)];
    const auto suivant = f.begin() + std::ptrdiff_t(s);
    const size_t k = size_t(suivant - f.begin()) - 1;
    const Fixe& a = f[k];
    p.montre = true;
    p.fixe = int(k);
    if (suivant != f.end()) {
        const Fixe& b = *suivant;
        const Instant dt = b.t - a.t;
        const double x = double(t - a.t) / double(dt);
        std::array<double, 3> u = a.u;
        if (a.sin_omega > 1e-12) {
            // Along the great circle, at the fraction of the leg's time.
            const double s1 = std::sin((1 - x) * a.omega) / a.sin_omega, s2 = std::sin(x * a.omega) / a.sin_omega;
            for (int c = 0; c < 3; ++c)
                u[size_t(c)] = s1 * a.u[size_t(c)] + s2 * b.u[size_t(c)];
        }
        p.nature = t - a.t < 60 ? Nature::Releve : dt <= ECART_INTERPOLATION_MAX ? Nature::Interpole : Nature::Estime;
        // Within the minute of a fix, the fix itself.
        p.lat = p.nature == Nature::Releve ? a.lat : std::atan2(u[2], std::hypot(u[0], u[1])) * DEG;
        p.lon = p.nature == Nature::Releve ? a.lon : std::atan2(u[1], u[0]) * DEG;
        p.en_route = true;
        p.vitesse = a.vitesse;
        p.cap = a.sin_omega > 1e-12 ? cap_vers(u, b.u) : double(a.cap);
        return p;
    }
    // Past its last fix.
    p.lat = a.lat;
    p.lon = a.lon;
    const Instant ab = abandons_[size_t(i)];
    if (a.arrivee) {
        p.nature = Nature::Arrive;
    } else if (ab && t >= ab) {
        // Shown retired for a day, then gone.
        p.nature = Nature::Abandon;
        p.montre = t < std::max(ab, a.t) + UN_JOUR;
    } else {
        p.nature = t - a.t < 60 ? Nature::Releve : Nature::DerniereConnue;
        // A track that stops without saying why: its last known position
        // for a day, then nothing.
        if (fin_de_piste_)
            p.montre = t < a.t + UN_JOUR;
    }
    return p;
}

int Chronologie::jour_publie(Instant t) const
{
    const auto k = std::upper_bound(par_publication_.begin(), par_publication_.end(), t,
                                    [](Instant v, const std::pair<Instant, int>& x) { return v < x.first; });
    return k == par_publication_.begin() ? -1 : std::prev(k)->second;
}

PeriodeFilm periode_film(const Chronologie& c, const SelectionTrajets& s)
{
    PeriodeFilm p{c.premier(), c.dernier()};
    const ArchiveJours* a = c.archive();
    if (s.toute_course || !a || a->nb_jours() == 0)
        return p;
    const int n = a->nb_jours() - 1;
    const QDate d1 = a->jours[size_t(std::clamp(std::min(s.debut, s.fin), 0, n))];
    const QDate d2 = a->jours[size_t(std::clamp(std::max(s.debut, s.fin), 0, n))];
    p.debut = std::max(p.debut, instant_de(QDateTime(d1, QTime(0, 0), Qt::UTC)));
    p.fin = std::min(p.fin, instant_de(QDateTime(d2, QTime(23, 59), Qt::UTC)));
    if (p.fin < p.debut)
        p.fin = p.debut;
    return p;
}

std::vector<Chronologie::Calcule> Chronologie::ordre_calcule(Instant t) const
{
    const Course& c = course();
    const bool distance = c.arrivee_connue;
    const std::array<double, 3> but = vecteur(double(ddmm_vers_deg(c.arrivee.latitude)),
                                              -double(ddmm_vers_deg(c.arrivee.longitude)));
    std::vector<Calcule> l;
    std::vector<Instant> arrivees;
    for (int i = 1; i <= nb(); ++i) {
        const PositionFilm p = position(i, t);
        if (!p.montre)
            continue;
        l.push_back({i, distance ? angle(vecteur(p.lat, p.lon), but) * DEG * 60 : -1});
        arrivees.push_back(p.nature == Nature::Arrive ? fixes_[size_t(i)][size_t(p.fixe)].t : INT64_MAX);
    }
    std::vector<size_t> k(l.size());
    for (size_t j = 0; j < k.size(); ++j)
        k[j] = j;
    std::stable_sort(k.begin(), k.end(), [&](size_t a, size_t b) {
        if (arrivees[a] != arrivees[b])
            return arrivees[a] < arrivees[b];
        if (distance && l[a].distance != l[b].distance)
            return l[a].distance < l[b].distance;
        return c.nom_conc(l[a].i).compare(c.nom_conc(l[b].i), Qt::CaseInsensitive) < 0;
    });
    std::vector<Calcule> r;
    r.reserve(l.size());
    for (size_t j : k)
        r.push_back(l[j]);
    return r;
}

std::vector<QStringList> lignes_positions(const Chronologie& c, Instant t, QChar sep)
{
    // The headings French (the CSV's), marked for the table printed on screen.
    std::vector<QStringList> l{{QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Rang")), QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Skipper")), QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Bateau")),
                                QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Latitude")), QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Longitude")), QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Position"))}};
    const int jour = c.jour_publie(t);
    std::vector<int> ordre;
    std::vector<bool> vu(size_t(c.nb()) + 1, false);
    if (jour >= 0)
        for (const Chronologie::Ligne& r : c.classement(jour))
            if (!vu[size_t(r.i)]) {
                vu[size_t(r.i)] = true;
                ordre.push_back(r.i);
            }
    if (!c.publie())
        for (const Chronologie::Calcule& k : c.ordre_calcule(t)) {
            vu[size_t(k.i)] = true;
            ordre.push_back(k.i);
        }
    for (int i = 1; i <= c.nb(); ++i)
        if (!vu[size_t(i)])
            ordre.push_back(i);
    int rang_calcule = 0;
    for (const int i : ordre) {
        const PositionFilm p = c.position(i, t);
        if (!p.montre)
            continue;
        const TDonnees_conc* r = jour >= 0 ? c.ligne(jour, i) : nullptr;
        const TDonnees_conc* dernier = c.fixes(i)[size_t(p.fixe)].r;
        ++rang_calcule;
        // A computed rank only where the distance to a finish gives one.
        const QString rang = r ? (r->non_classe ? QStringLiteral("NC") : QString::number(r->rang))
                             : !c.publie() && c.course().arrivee_connue ? QString::number(rang_calcule)
                                                                        : QStringLiteral("NC");
        l.push_back({rang, c.course().nom_conc(i),
                     (dernier ? dernier->bateau : c.course().concurrents[size_t(i)].bateau).trimmed(),
                     nombre_decimal(p.lat, 4, sep),
                     nombre_decimal(p.lon, 4, sep), texte_nature(p.nature)});
    }
    return l;
}

double meilleures_24h(const std::vector<Fixe>& f)
{
    if (f.size() < 2 || f.back().t - f.front().t < UN_JOUR)
        return -1;
    // Distance sailed from the first fix, at each fix, and at any instant
    // (constant speed along a leg): the run over [t, t + 24 h] changes
    // slope only where one end meets a fix, so its best starts or ends at
    // one.
    std::vector<double> d(f.size(), 0);
    for (size_t k = 1; k < f.size(); ++k)
        d[k] = d[k - 1] + f[k - 1].omega * DEG * 60;
    auto a_l_instant = [&](Instant t) {
        const auto s = std::upper_bound(f.begin(), f.end(), t, [](Instant v, const Fixe& x) { return v < x.t; });
        if (s == f.begin())
            return 0.0;
        if (s == f.end())
            return d.back();
        const size_t k = size_t(s - f.begin()) - 1;
        return d[k] + (d[k + 1] - d[k]) * double(t - f[k].t) / double(f[k + 1].t - f[k].t);
    };
    double best = 0;
    for (size_t k = 0; k < f.size(); ++k) {
        if (f[k].t + UN_JOUR <= f.back().t)
            best = std::max(best, a_l_instant(f[k].t + UN_JOUR) - d[k]);
        if (f[k].t - UN_JOUR >= f.front().t)
            best = std::max(best, d[k] - a_l_instant(f[k].t - UN_JOUR));
    }
    return best;
}

std::vector<QStringList> bilan_pistes(const Chronologie& c, QChar sep)
{
    std::vector<QStringList> l{{QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Skipper")),
                                QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Bateau")),
                                QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Distance parcourue (milles)")),
                                QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Temps de course (jours)")),
                                QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Vitesse moyenne (noeuds)")),
                                QString::fromUtf8(QT_TRANSLATE_NOOP("Orvalis", "Meilleures 24 h (milles)"))}};
    for (int i = 1; i <= c.nb(); ++i) {
        const std::vector<Fixe>& f = c.fixes(i);
        double d = 0;
        for (size_t k = 0; k + 1 < f.size(); ++k)
            d += f[k].omega * DEG * 60;
        const double heures = f.empty() ? 0 : double(f.back().t - f.front().t) / UNE_HEURE;
        const double m24 = meilleures_24h(f);
        const Concurrent& k = c.course().concurrents[size_t(i)];
        l.push_back({k.skipper, k.bateau, nombre_decimal(d, 1, sep), nombre_decimal(heures / 24, 2, sep),
                     heures > 0 ? nombre_decimal(d / heures, 2, sep) : QString(),
                     m24 >= 0 ? nombre_decimal(m24, 1, sep) : QString()});
    }
    return l;
}

QString titre_classement(Instant publication)
{
    const QDateTime d = date_de(publication);
    return Texte::tr("Classement du %1 à %2 UTC")
        .arg(d.toString(QStringLiteral("dd/MM/yyyy")), d.toString(Texte::tr("HH'h'mm", "Qt time format: 20h00")));
}

QString texte_horloge(const Course& c, Instant t)
{
    // The day and month names of the language installed ("Mardi 12 décembre
    // 2000", "Tuesday 12 December 2000").
    const QLocale l(Texte::tr("fr_FR", "locale of the dates"));
    const QDateTime d = date_de(t);
    QString jour = l.toString(d.date(), QStringLiteral("dddd d MMMM yyyy"));
    if (!jour.isEmpty())
        jour[0] = jour[0].toUpper();
    return Texte::tr("%1, %2h%3 UTC · jour %4")
        .arg(jour)
        .arg(d.time().hour(), 2, 10, QLatin1Char('0'))
        .arg(d.time().minute(), 2, 10, QLatin1Char('0'))
        .arg(c.jour_de_course(date_de(t).date()));
}

}  // namespace orv
