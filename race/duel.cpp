#include "duel.h"

#include "convers.h"
#include "geometrie.h"
#include "statistiques.h"

#include <QDateTime>
#include <QtGlobal>
#include <cmath>

namespace orv {

namespace {
constexpr double DEG = 180 / M_PI;

// Great-circle miles between two positions in decimal degrees (East positive).
double milles(double lat1, double lon1, double lat2, double lon2)
{
    return double(dist_ortho(deg_vers_ddmm(ext(lat1)), deg_vers_ddmm(ext(-lon1)), deg_vers_ddmm(ext(lat2)),
                             deg_vers_ddmm(ext(-lon2))));
}

// The initial course of the great circle from 1 to 2, degrees 0 to 360.
double relevement(double lat1, double lon1, double lat2, double lon2)
{
    const double p1 = lat1 / DEG, p2 = lat2 / DEG, dl = (lon2 - lon1) / DEG;
    const double r = std::atan2(std::sin(dl) * std::cos(p2), std::cos(p1) * std::sin(p2) - std::sin(p1) * std::cos(p2) * std::cos(dl)) * DEG;
    return r < 0 ? r + 360 : r;
}
}  // namespace

std::vector<PasDuel> duel(const Chronologie& c, int i1, int i2, Instant debut, Instant fin, Instant pas)
{
    std::vector<PasDuel> l;
    if (pas <= 0)
        return l;
    const Course& course = c.course();
    const double lat_f = double(ddmm_vers_deg(course.arrivee.latitude)), lon_f = -double(ddmm_vers_deg(course.arrivee.longitude));
    bool origine = false;
    double ecart0 = 0;
    for (Instant t = debut; t <= fin; t += pas) {
        PasDuel p;
        p.t = t;
        p.a = c.position(i1, t);
        p.b = c.position(i2, t);
        p.deux = p.a.montre && p.b.montre;
        if (p.deux) {
            p.ecart = milles(p.a.lat, p.a.lon, p.b.lat, p.b.lon);
            p.releve = relevement(p.a.lat, p.a.lon, p.b.lat, p.b.lon);
            if (course.arrivee_connue) {
                const double avance = milles(p.b.lat, p.b.lon, lat_f, lon_f) - milles(p.a.lat, p.a.lon, lat_f, lon_f);
                if (!origine) {
                    origine = true;
                    ecart0 = avance;
                }
                p.gain_connu = true;
                p.gain = avance - ecart0;
            }
        }
        l.push_back(p);
    }
    return l;
}

std::vector<QStringList> lignes_duel(const Chronologie& c, int i1, int i2, Instant debut, Instant fin, Instant pas,
                                     QChar sep)
{
    // The headings French (the CSV's), marked for the table printed on
    // screen; 1 and 2 the boats in the order given.
    std::vector<QStringList> l{{}};
    for (const char* t : {QT_TRANSLATE_NOOP("Orvalis", "Instant"), QT_TRANSLATE_NOOP("Orvalis", "Latitude 1"),
                          QT_TRANSLATE_NOOP("Orvalis", "Longitude 1"), QT_TRANSLATE_NOOP("Orvalis", "Position 1"),
                          QT_TRANSLATE_NOOP("Orvalis", "Latitude 2"), QT_TRANSLATE_NOOP("Orvalis", "Longitude 2"),
                          QT_TRANSLATE_NOOP("Orvalis", "Position 2"), QT_TRANSLATE_NOOP("Orvalis", "Écart (milles)"),
                          QT_TRANSLATE_NOOP("Orvalis", "Relèvement (°)"), QT_TRANSLATE_NOOP("Orvalis", "Gain (milles)")})
        l[0] << QString::fromUtf8(t);
    const auto position = [&](const PositionFilm& p, QStringList& r) {
        if (p.montre)
            r << nombre_decimal(p.lat, 4, sep) << nombre_decimal(p.lon, 4, sep) << texte_nature(p.nature);
        else
            r << QString() << QString() << QStringLiteral("sans position");
    };
    for (const PasDuel& p : duel(c, i1, i2, debut, fin, pas)) {
        QStringList r{date_de(p.t).toString(QStringLiteral("dd/MM/yyyy HH'h'mm"))};
        position(p.a, r);
        position(p.b, r);
        if (p.deux)
            r << nombre_decimal(p.ecart, 1, sep) << QString::number(std::lround(p.releve) % 360)
              << (p.gain_connu ? nombre_decimal(p.gain, 1, sep) : QString());
        else
            r << QString() << QString() << QString();
        l.push_back(r);
    }
    return l;
}

std::pair<Instant, Instant> periode_commune(const Chronologie& c, int i1, int i2)
{
    const std::vector<Fixe>&a = c.fixes(i1), &b = c.fixes(i2);
    if (a.empty() || b.empty())
        return {1, 0};
    return {std::max(a.front().t, b.front().t), std::min(a.back().t, b.back().t)};
}

}  // namespace orv
