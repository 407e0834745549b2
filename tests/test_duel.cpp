// Two boats compared: the separation, the bearing and the gain checked
// against an independent computation on a fleet whose fixes lie along
// great circles (the equator, a meridian), so that its positions between
// fixes are known exactly.
#include "chronologie.h"
#include "duel.h"
#include "lecteurs.h"

#include <QDateTime>
#include <QFile>
#include <QTemporaryDir>
#include <cmath>
#include <gtest/gtest.h>

using namespace orv;

namespace {
constexpr double R = M_PI / 180;
const Instant T0 = instant_de(QDateTime(QDate(2024, 3, 1), QTime(0, 0), Qt::UTC));

// A on the equator from 0° to 10° E, B on the 5° E meridian from 1° to
// 11° N, both over ten days; a third boat starting later.
double lon_a(Instant t) { return 10.0 * double(t - T0) / (10.0 * UN_JOUR); }
double lat_b(Instant t) { return 1 + 10.0 * double(t - T0) / (10.0 * UN_JOUR); }

// Unit vectors, and the angle between them in minutes of arc (miles).
std::array<double, 3> u(double lat, double lon)
{
    return {std::cos(lat * R) * std::cos(lon * R), std::cos(lat * R) * std::sin(lon * R), std::sin(lat * R)};
}
double milles(const std::array<double, 3>& a, const std::array<double, 3>& b)
{
    const std::array<double, 3> x{a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
    return std::atan2(std::hypot(x[0], x[1], x[2]), a[0] * b[0] + a[1] * b[1] + a[2] * b[2]) / R * 60;
}

Chronologie* flotte(QTemporaryDir& d, CourseOuverte& o)
{
    QByteArray csv = "nom;heure;lat;lon\n";
    for (int h = 0; h <= 240; h += 12) {
        const Instant t = T0 + h * 3600;
        const QByteArray quand = date_de(t).toString(Qt::ISODate).toLatin1();
        csv += "Alpha;" + quand + ";0;" + QByteArray::number(lon_a(t), 'f', 6) + "\n";
        csv += "Bravo;" + quand + ";" + QByteArray::number(lat_b(t), 'f', 6) + ";5\n";
        if (h >= 120)
            csv += "Charlie;" + quand + ";-3;" + QByteArray::number(h / 24.0, 'f', 6) + "\n";
    }
    for (const auto& [nom, contenu] : {std::pair{"f.csv", csv}, std::pair{"f.course", QByteArray("[course]\nnom=Essai\narrivee=Fin;0.00;-20.00\n")}}) {
        QFile f(d.filePath(nom));
        if (!f.open(QIODevice::WriteOnly))
            return nullptr;
        f.write(contenu);
    }
    QString e;
    if (!ouvre_course(d.filePath("f.csv"), o, e))
        return nullptr;
    return new Chronologie(o.course, o.pistes);
}
}  // namespace

TEST(Duel, EcartReleventEtGainCalculesAutrement)
{
    QTemporaryDir d;
    CourseOuverte o;
    const std::unique_ptr<Chronologie> c(flotte(d, o));
    ASSERT_TRUE(c);
    const int a = o.course.indice(QStringLiteral("Alpha")), b = o.course.indice(QStringLiteral("Bravo"));
    const std::vector<PasDuel> l = duel(*c, a, b, T0 + 3 * 3600, T0 + 9 * UN_JOUR, 7 * 3600);
    ASSERT_FALSE(l.empty());
    const auto fin = u(0, 20);
    double avance0 = 0;
    for (size_t k = 0; k < l.size(); ++k) {
        const PasDuel& p = l[k];
        SCOPED_TRACE(k);
        ASSERT_TRUE(p.deux);
        EXPECT_NEAR(p.a.lat, 0, 1e-6);
        EXPECT_NEAR(p.a.lon, lon_a(p.t), 1e-6);
        EXPECT_NEAR(p.b.lat, lat_b(p.t), 1e-6);
        const auto ua = u(0, lon_a(p.t)), ub = u(lat_b(p.t), 5);
        EXPECT_NEAR(p.ecart, milles(ua, ub), 0.05);
        // The bearing: B's direction in A's local frame (east, north).
        const std::array<double, 3> est{-std::sin(lon_a(p.t) * R), std::cos(lon_a(p.t) * R), 0};
        const double e = est[0] * ub[0] + est[1] * ub[1], n = ub[2];
        EXPECT_NEAR(p.releve, std::fmod(std::atan2(e, n) / R + 360, 360), 0.01);
        const double avance = milles(ub, fin) - milles(ua, fin);
        if (k == 0)
            avance0 = avance;
        ASSERT_TRUE(p.gain_connu);
        EXPECT_NEAR(p.gain, avance - avance0, 0.1);
    }
    // A boat not yet in the race: its rows say so, and the common period
    // starts on its first day.
    const int ch = o.course.indice(QStringLiteral("Charlie"));
    const std::vector<QStringList> t = lignes_duel(*c, a, ch, T0, T0 + 6 * UN_JOUR, UN_JOUR, u'.');
    EXPECT_EQ(t[1][6], "sans position");
    EXPECT_TRUE(t[1][7].isEmpty());
    EXPECT_EQ(t.back()[6], "relevé");
    EXPECT_EQ(periode_commune(*c, a, ch).first, T0 + 5 * UN_JOUR);
}
