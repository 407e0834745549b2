// The modern chart: land where there is land and sea where there is sea,
// in views across 180°, round the pole, at the start's full coast and at
// density 2; a damaged land file refused.
#include "carte.h"
#include "terres.h"

#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace orv;

namespace {
const Terres& terres()
{
    static Terres t;
    static const bool lu = [] {
        QString e;
        return lit_terres(QStringLiteral(ORVALIS_DONNEES "/cartes/Terres.bin"), t, e);
    }();
    EXPECT_TRUE(lu);
    return t;
}
}  // namespace

TEST(Terres, TerreEtMerOuIlFaut)
{
    const CouleursModernes c;
    // North, south, west, east (DD.MM, West positive); a point of land and
    // one of sea (decimal degrees, East positive).
    const struct {
        const char* vue;
        ext n, s, o, e;
        double ratio;
        double lat_terre, lon_terre, lat_mer, lon_mer;
    } cas[] = {
        {"monde", 80, -80, 180, -180, 1, 45, 100, 2.7, -143.3},
        {"le plus large", 90, -90, 180, -180, 1, -5, 20, -31.7, -22.6},
        {"à cheval sur 180°", 75, 50, -150, 150, 1, 66, -175, 56.3, 178.7},
        {"à cheval sur 180° (densité 2)", 75, 50, -150, 150, 2, 66.3, 175.2, 56.3, -178.3},
        {"près du pôle", -60, -90, -30, 60, 1, -85, 10, -61.7, 2.3},
        {"côte du départ", 47.3, 46.3, 2.3, 1.0, 1, 46.9, -1.3, 46.6, -2.2},
        {"lac", 60, 40, 95, 75, 1, 50, -84, 44.5, -87},
    };
    for (const auto& k : cas) {
        SCOPED_TRACE(k.vue);
        Viewport v;
        v.lat_nord = k.n;
        v.lat_sud = k.s;
        v.long_ouest = k.o;
        v.long_est = k.e;
        v.ajuste(900, 600);
        QImage img(int(900 * k.ratio), int(600 * k.ratio), QImage::Format_RGB32);
        img.setDevicePixelRatio(k.ratio);
        trace_carte_moderne(img, v.ajustement(), 900, 600, &terres(), c);
        const auto couleur = [&](double lat, double lon) {
            const int x = v.pos_grX(ext(-lon) * PI / 180), y = v.pos_grY(ext(lat) * PI / 180);
            EXPECT_TRUE(x >= 0 && x < 900 && y >= 0 && y < 600) << x << " " << y;
            return QColor(img.pixel(int(x * k.ratio), int(y * k.ratio)));
        };
        EXPECT_EQ(couleur(k.lat_terre, k.lon_terre), c.terre);
        EXPECT_EQ(couleur(k.lat_mer, k.lon_mer), c.mer);
    }
}

TEST(Terres, FichiersAbimesRefuses)
{
    QFile f(QStringLiteral(ORVALIS_DONNEES "/cartes/Terres.bin"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray bon = f.readAll();
    QByteArray compte = bon;
    compte[16 + 20 + 3] = char(0x7F);  // a first layer of more lines than its bytes
    // One line of two points, the second a step of 2^63 - 1 units from the first: the sum would overflow.
    const QByteArray corps = QByteArray::fromHex("02" "0200" "feffffffffffffffff01" "00");
    QByteArray demesure = QByteArray("ORVTERRE") + QByteArray::fromHex("0100000001000000" "01000000") +
                          QByteArray(16, 0) + QByteArray::fromHex("01000000") + char(corps.size()) +
                          QByteArray(3, 0) + corps;
    const struct {
        const char* cas;
        QByteArray contenu;
    } cas[] = {{"coupé", bon.left(bon.size() / 2)},
               {"vide", QByteArray()},
               {"autre chose", QByteArray("ORVTERRX") + bon.mid(8)},
               {"compte", compte},
               {"octet de trop", bon + 'x'},
               {"pas démesuré", demesure}};
    // The fuzzing seed, a square island with a lake and a border, reads.
    Terres graine;
    QString e;
    ASSERT_TRUE(lit_terres(QStringLiteral(ORVALIS_SOURCES "/tests/donnees/terres.bin"), graine, e)) << e.toStdString();
    EXPECT_EQ(graine.couches.size(), 3u);
    QTemporaryDir d;
    for (const auto& k : cas) {
        SCOPED_TRACE(k.cas);
        QFile s(d.filePath("t.bin"));
        ASSERT_TRUE(s.open(QIODevice::WriteOnly | QIODevice::Truncate));
        s.write(k.contenu);
        s.close();
        Terres t;
        EXPECT_FALSE(lit_terres(d.filePath("t.bin"), t, e));
        EXPECT_TRUE(e.contains("t.bin")) << e.toStdString();
    }
}
