// Makes the picture, cursor and sound files that lie beside the program:
//   Zelto1.bmp    the welcome picture (the race's name, the years, a chart
//                 of the course drawn with the program's own chart engine)
//   HandGrab.cur  the pan tool's cursor, ZoomP.cur the zoom tool's
//   gimmick.wav   a short synthesised chime
//   <surname>2.bmp one picture per entrant for the details tool's photo
//                 panel: not a photograph of anyone, a drawing of the
//                 entrant's boat in its colour, with its name
//   Zelto1@2x.png, <surname>2@2x.png the same twice as sharp, for
//                 high-density screens
// Usage: orvalis_fabrique DATA_DIR   (reads DATA_DIR/cartes and FIMPV.txt)
//        orvalis_fabrique --icones DIR   the program's icon in 48 and 128
//        pixels (org.orvalis.Orvalis-48.png, -128.png), the same drawing as
//        packaging/icones/org.orvalis.Orvalis.svg
#include "cartes.h"
#include "donnees.h"
#include "reglages.h"
#include "texte.h"
#include "geometrie.h"
#include "lieux.h"
#include "carte.h"
#include "rendu_course.h"
#include "description.h"
#include "emplacements.h"
#include "fichier_lieux.h"

#include <QApplication>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QFile>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QSettings>
#include <QTemporaryDir>
#include <cmath>
#include <cstdio>

using namespace orv;

namespace {

// The maps the welcome picture is drawn with.
Cartes& cartes_fabrique()
{
    static Cartes c;
    return c;
}

void ecrit_le16(QByteArray& b, quint16 v) { b.append(char(v & 0xFF)).append(char(v >> 8)); }
void ecrit_le32(QByteArray& b, quint32 v)
{
    for (int k = 0; k < 4; ++k)
        b.append(char((v >> (8 * k)) & 0xFF));
}

bool ecrit(const QString& chemin, const QByteArray& b)
{
    QFile f(chemin);
    return f.open(QIODevice::WriteOnly) && f.write(b) == b.size();
}

// A Windows cursor file (type 2) of a 32 × 32 ARGB picture with its hotspot.
QByteArray fichier_cur(const QImage& src, int hx, int hy)
{
    const QImage img = src.convertToFormat(QImage::Format_ARGB32);
    QByteArray pixels, masque;
    for (int y = 31; y >= 0; --y) {
        quint32 bits = 0;
        for (int x = 0; x < 32; ++x) {
            const QRgb p = img.pixel(x, y);
            ecrit_le32(pixels, p);
            if (qAlpha(p) < 128)
                bits |= 1u << (31 - x);
        }
        for (int k = 3; k >= 0; --k)
            masque.append(char((bits >> (8 * k)) & 0xFF));
    }
    QByteArray dib;
    ecrit_le32(dib, 40);
    ecrit_le32(dib, 32);
    ecrit_le32(dib, 64);
    ecrit_le16(dib, 1);
    ecrit_le16(dib, 32);
    ecrit_le32(dib, 0);
    ecrit_le32(dib, quint32(pixels.size() + masque.size()));
    for (int k = 0; k < 4; ++k)
        ecrit_le32(dib, 0);
    dib += pixels + masque;

    QByteArray b;
    ecrit_le16(b, 0);
    ecrit_le16(b, 2);  // cursor
    ecrit_le16(b, 1);
    b.append(char(32)).append(char(32)).append(char(0)).append(char(0));
    ecrit_le16(b, quint16(hx));
    ecrit_le16(b, quint16(hy));
    ecrit_le32(b, quint32(dib.size()));
    ecrit_le32(b, 22);
    return b + dib;
}

QImage curseur_main()
{
    QImage i(32, 32, QImage::Format_ARGB32);
    i.fill(Qt::transparent);
    QPainter p(&i);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.5));
    p.setBrush(QColor(255, 236, 200));
    // A closed hand seen from above: four knuckles and a palm.
    for (int k = 0; k < 4; ++k)
        p.drawRoundedRect(QRectF(7 + k * 4.5, 8, 5, 8), 2.5, 2.5);
    p.drawRoundedRect(QRectF(6, 13, 20, 13), 5, 5);
    p.drawRoundedRect(QRectF(3, 14, 6, 9), 3, 3);
    return i;
}

QImage curseur_loupe()
{
    QImage i(32, 32, QImage::Format_ARGB32);
    i.fill(Qt::transparent);
    QPainter p(&i);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 4));
    p.drawLine(QPointF(18, 18), QPointF(29, 29));
    p.setPen(QPen(Qt::white, 2));
    p.drawLine(QPointF(18, 18), QPointF(28, 28));
    p.setPen(QPen(Qt::black, 2));
    p.setBrush(QColor(200, 230, 255, 220));
    p.drawEllipse(QPointF(12, 12), 9, 9);
    p.drawLine(QPointF(8, 12), QPointF(16, 12));
    p.drawLine(QPointF(12, 8), QPointF(12, 16));
    return i;
}

// 16-bit mono PCM: three rising notes, each with a bell-like decay.
QByteArray carillon()
{
    const int freq = 22050;
    const double notes[] = {1046.5, 1318.5, 1568.0};
    const int n = int(freq * 1.3);
    std::vector<double> s(size_t(n), 0.0);
    for (int k = 0; k < 3; ++k) {
        const int debut = int(freq * 0.16 * k);
        for (int t = debut; t < n; ++t) {
            const double x = double(t - debut) / freq;
            const double env = std::exp(-x * 4.0) * std::min(1.0, x * 200);
            s[size_t(t)] += 0.28 * env * (std::sin(2 * M_PI * notes[k] * x) + 0.3 * std::sin(4 * M_PI * notes[k] * x));
        }
    }
    QByteArray data;
    for (double v : s)
        ecrit_le16(data, quint16(qint16(std::lround(std::clamp(v, -1.0, 1.0) * 30000))));
    QByteArray b("RIFF");
    ecrit_le32(b, quint32(36 + data.size()));
    b += "WAVEfmt ";
    ecrit_le32(b, 16);
    ecrit_le16(b, 1);
    ecrit_le16(b, 1);
    ecrit_le32(b, quint32(freq));
    ecrit_le32(b, quint32(freq * 2));
    ecrit_le16(b, 2);
    ecrit_le16(b, 16);
    b += "data";
    ecrit_le32(b, quint32(data.size()));
    return b + data;
}

QImage image_accueil(const QString& rep, double ratio)
{
    const int W = 880, H = 644;
    QImage img(int(W * ratio), int(H * ratio), QImage::Format_RGB32);
    img.setDevicePixelRatio(ratio);
    QPainter p(&img);
    QLinearGradient g(0, 0, 0, H);
    g.setColorAt(0, QColor(4, 18, 48));
    g.setColorAt(1, QColor(2, 60, 92));
    p.fillRect(img.rect(), g);

    // The chart of the course, by the program's own engine.
    Viewport v;
    v.lat_nord = 62;
    v.lat_sud = -62;
    v.long_ouest = 89.59L;
    v.long_est = -89.59L;
    Canevas canevas;
    canevas.pose_ratio(ratio);
    Carte carte(canevas, v);
    Scene scene;
    scene.style.coul_points = 0xC8B078;
    scene.ajoute<CoucheCarte>(&cartes_fabrique(), scene.style);
    rend_scene(carte, scene, 760, 440);
    const QImage fond = canevas.image();
    p.setOpacity(0.55);
    p.drawImage(60, 150, fond);
    p.setOpacity(1);

    // The theoretical route over it.
    Lieux l;
    QString err;
    charge_route(l, rep, err);
    p.setRenderHint(QPainter::Antialiasing);
    p.setClipRect(60, 150, 760, 440);
    p.setPen(QPen(QColor(255, 210, 70), 2, Qt::DashLine));
    for (size_t k = 0; k + 1 < l.liste_route.size(); ++k) {
        const TPos_elem& a = l.liste_route[k].elem;
        const TPos_elem& b = l.liste_route[k + 1].elem;
        if (!correlation_dx_dG(v, a.longitude, b.longitude))
            continue;
        p.drawLine(QPointF(60 + carte.pos_grX(ddmm_vers_rad(a.longitude)), 150 + carte.pos_grY(ddmm_vers_rad(a.latitude))),
                   QPointF(60 + carte.pos_grX(ddmm_vers_rad(b.longitude)), 150 + carte.pos_grY(ddmm_vers_rad(b.latitude))));
    }

    p.setClipping(false);
    QFont titre(QStringLiteral("Liberation Serif"));
    titre.setPixelSize(64);
    titre.setBold(true);
    p.setFont(titre);
    p.setPen(QColor(250, 244, 220));
    p.drawText(QRect(0, 24, W, 80), Qt::AlignCenter, QStringLiteral("Orvalis 2000 - 2001"));
    QFont sous(QStringLiteral("Liberation Sans"));
    sous.setPixelSize(22);
    p.setFont(sous);
    p.setPen(QColor(160, 210, 235));
    p.drawText(QRect(0, 100, W, 36), Qt::AlignCenter,
               QStringLiteral("La course autour du monde en solitaire, sans escale"));
    sous.setPixelSize(16);
    p.setFont(sous);
    p.drawText(QRect(0, 596, W, 24), Qt::AlignCenter,
               QStringLiteral("Départ le 10 novembre 2000  ·  Cliquer sur l'image pour commencer"));
    return img;
}

// The entrant's boat under sail, seen from abeam, in its colour: one mast
// for a cutter, two for a ketch, the hull as long as the boat is.
QImage image_bateau(const Course& course, int i, double ratio)
{
    const int W = 402, H = 284;
    const TColor tc = couleurs_conc_pour(clBlack, course.nb())[size_t(i)];
    const QColor coul(int(tc & 0xFF), int((tc >> 8) & 0xFF), int((tc >> 16) & 0xFF));
    const CaracBateau& c = course.concurrents[size_t(i)].carac;
    const QString& bateau = course.concurrents[size_t(i)].bateau;
    QImage img(int(W * ratio), int(H * ratio), QImage::Format_RGB32);
    if (ratio != 1)
        img.setDevicePixelRatio(ratio);
    QPainter p(&img);
    p.fillRect(0, 0, W, 200, QColor(150, 200, 235));           // sky
    p.fillRect(0, 200, W, H - 200, QColor(20, 70, 120));       // sea
    p.setPen(QColor(60, 120, 170));
    for (int y = 212; y < H; y += 14)                          // swell
        for (int x = (y / 14 % 2) * 20; x < W; x += 40)
            p.drawLine(x, y, x + 14, y);

    const bool grand = c.longueur == QLatin1String("18,28");
    const double L = grand ? 230 : 190, x0 = (W - L) / 2, eau = 205;
    // Hull, in the entrant's colour.
    QPainterPath coque;
    coque.moveTo(x0, eau - 16);
    coque.lineTo(x0 + L, eau - 22);
    coque.lineTo(x0 + L - 24, eau + 6);
    coque.lineTo(x0 + 14, eau + 4);
    coque.closeSubpath();
    p.setPen(QPen(Qt::black, 1));
    p.setBrush(coul);
    p.drawPath(coque);
    // Mainsail and headsail; a ketch carries a mizzen.
    auto mat = [&](double x, double h) {
        p.setPen(QPen(QColor(40, 40, 40), 3));
        p.drawLine(QPointF(x, eau - 18), QPointF(x, eau - 18 - h));
    };
    auto voile = [&](QPointF a, QPointF b, QPointF c2) {
        p.setPen(QPen(QColor(90, 90, 90), 1));
        p.setBrush(QColor(250, 250, 245));
        p.drawPolygon(QPolygonF({a, b, c2}));
    };
    const double xm = x0 + L * 0.45, hm = grand ? 165 : 140;
    mat(xm, hm);
    voile({xm - 3, eau - 24 - hm + 6}, {xm - 3, eau - 26}, {x0 + 18, eau - 26});
    voile({xm + 3, eau - 18 - hm + 10}, {x0 + L - 6, eau - 26}, {xm + 3, eau - 30});
    if (c.greement == QLatin1String("Ketch")) {
        const double xa = x0 + 30, ha = hm * 0.55;
        mat(xa, ha);
        voile({xa - 2, eau - 18 - ha + 4}, {xa - 2, eau - 26}, {x0 + 2, eau - 24});
    }
    // The boat's name and the skipper's, with the rig and length.
    QFont f(QStringLiteral("Liberation Sans"));
    f.setPixelSize(20);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    p.drawText(QRect(0, 226, W, 26), Qt::AlignCenter, bateau);
    f.setPixelSize(14);
    f.setBold(false);
    p.setFont(f);
    p.drawText(QRect(0, 254, W, 22), Qt::AlignCenter,
               QStringLiteral("%1 — %2, %3 m").arg(course.nom_conc(i), c.greement, c.longueur));
    p.end();
    // Flat colours: 8 bits per pixel keep each file near 115 kB.
    return img.convertToFormat(QImage::Format_Indexed8, Qt::ThresholdDither | Qt::AvoidDither);
}

// The program's icon at `n` pixels: a sail on the ocean of the globe and
// the course as an orange arc (the SVG's drawing, on a 128 grid).
QImage icone_programme(int n)
{
    QImage img(n, n, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(n / 128.0, n / 128.0);
    p.setPen(QPen(QColor(0x1d, 0x5f, 0xa3), 4));
    p.setBrush(QColor(0x0b, 0x2f, 0x5c));
    p.drawEllipse(QPointF(64, 64), 60, 60);
    QPainterPath arc;
    arc.moveTo(14, 80);
    arc.quadTo(64, 40, 114, 80);
    QPen orange(QColor(0xf0, 0x78, 0x00), 5);
    orange.setDashPattern({2.0, 1.2});
    p.setPen(orange);
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xf4, 0xf4, 0xef));
    p.drawPolygon(QPolygonF({QPointF(66, 22), QPointF(66, 92), QPointF(30, 92)}));
    p.setBrush(QColor(0xd8, 0xe6, 0xf2));
    p.drawPolygon(QPolygonF({QPointF(70, 30), QPointF(70, 92), QPointF(96, 92)}));
    p.setBrush(QColor(0x85, 0xd0, 0x7a));
    p.drawPolygon(QPolygonF({QPointF(28, 96), QPointF(100, 96), QPointF(92, 106), QPointF(38, 106)}));
    return img;
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toUtf8());
    QApplication app(argc, argv);
    if (argc == 3 && QByteArray(argv[1]) == "--icones") {
        const QString rep = QString::fromLocal8Bit(argv[2]);
        bool ok = true;
        for (int n : {48, 128})
            ok = ok && icone_programme(n).save(QDir(rep).filePath(QStringLiteral("org.orvalis.Orvalis-%1.png").arg(n)), "PNG");
        return ok ? 0 : 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: orvalis_fabrique DATA_DIR | --icones DIR\n");
        return 2;
    }
    const QString rep = QString::fromLocal8Bit(argv[1]);
    OptionsCartes o;
    o.rep_programme = rep;
    o.racines_imposees = true;
    charge_cartes(cartes_fabrique(), o);
    // Each picture at its own size, and twice as sharp for
    // high-density screens ("@2x").
    bool ok = image_accueil(rep, 1).save(QDir(rep).filePath("Zelto1.bmp"), "BMP");
    ok = ok && ecrit(QDir(rep).filePath("HandGrab.cur"), fichier_cur(curseur_main(), 16, 16));
    ok = ok && ecrit(QDir(rep).filePath("ZoomP.cur"), fichier_cur(curseur_loupe(), 12, 12));
    ok = ok && ecrit(QDir(rep).filePath("gimmick.wav"), carillon());
    // The boats of the race's description, under the names it gives
    // their pictures.
    Course course;
    QString erreur;
    if (!charge_course(QDir(rep).filePath(QString::fromLatin1(FICHIER_COURSE)), course, erreur)) {
        std::fprintf(stderr, "orvalis_fabrique: %s\n", erreur.toUtf8().constData());
        return 1;
    }
    for (int i = 1; i <= course.nb() && ok; ++i)
        ok = image_bateau(course, i, 1).save(QDir(rep).filePath(course.concurrents[size_t(i)].photo), "BMP");
    // The same twice as sharp.
    ok = ok && image_accueil(rep, 2).save(QDir(rep).filePath("Zelto1@2x.png"), "PNG");
    for (int i = 1; i <= course.nb() && ok; ++i)
        ok = image_bateau(course, i, 2).save(
            QDir(rep).filePath(QFileInfo(course.concurrents[size_t(i)].photo).completeBaseName() + QStringLiteral("@2x.png")),
            "PNG");
    if (!ok)
        std::fprintf(stderr, "orvalis_fabrique: writing failed\n");
    return ok ? 0 : 1;
}
