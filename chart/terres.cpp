#include "terres.h"

#include "carte.h"
#include "etat_avx.h"
#include "traduction.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>
#include <cstring>

namespace orv {

const CoucheTerres* Terres::couche(NatureTerres n, DetailTerres d) const
{
    for (const CoucheTerres& c : couches)
        if (c.nature == n && c.detail == d)
            return &c;
    return nullptr;
}

namespace {

class Lecture {
public:
    explicit Lecture(const QByteArray& b) : p_(reinterpret_cast<const uchar*>(b.constData())), fin_(p_ + b.size()) {}
    bool octets(void* d, size_t n)
    {
        if (size_t(fin_ - p_) < n)
            return false;
        std::memcpy(d, p_, n);
        p_ += n;
        return true;
    }
    template <class T>
    bool lit(T& v)
    {
        return octets(&v, sizeof v);
    }
    bool varint(uint64_t& v)
    {
        v = 0;
        for (int decale = 0; decale < 64; decale += 7) {
            if (p_ == fin_)
                return false;
            const uchar o = *p_++;
            v |= uint64_t(o & 0x7F) << decale;
            if (!(o & 0x80))
                return true;
        }
        return false;
    }
    const uchar* ici() const { return p_; }
    void saute(size_t n) { p_ += n; }
    size_t reste() const { return size_t(fin_ - p_); }

private:
    const uchar* p_;
    const uchar* fin_;
};

constexpr double UNITE = 1e-5;  // degrees per unit of the file
constexpr uint64_t PAS_MAX = uint64_t(2 * 1080 / UNITE);  // zigzag code of a 1080° step

bool lit_couche(Lecture& l, CoucheTerres& c)
{
    uint8_t tete[4];
    int32_t boite[4];
    uint32_t nb_lignes = 0, nb_octets = 0;
    if (!l.octets(tete, 4) || !l.octets(boite, sizeof boite) || !l.lit(nb_lignes) || !l.lit(nb_octets))
        return false;
    if (tete[0] < 1 || tete[0] > 3 || tete[1] > 3 || tete[2] > 1 || nb_octets > l.reste() || nb_lignes > nb_octets)
        return false;
    c.nature = NatureTerres(tete[0]);
    c.detail = DetailTerres(tete[1]);
    c.anneaux = tete[2] == 1;
    c.ouest = float(boite[0] * UNITE);
    c.sud = float(boite[1] * UNITE);
    c.est = float(boite[2] * UNITE);
    c.nord = float(boite[3] * UNITE);
    QByteArray corps(reinterpret_cast<const char*>(l.ici()), qsizetype(nb_octets));
    l.saute(nb_octets);
    Lecture d(corps);
    c.lignes.reserve(nb_lignes);
    // Each point takes two bytes at least: the count is bounded by the size.
    for (uint32_t k = 0; k < nb_lignes; ++k) {
        uint64_t n = 0;
        if (!d.varint(n) || n < 2 || n > d.reste() / 2)
            return false;
        CoucheTerres::Ligne g;
        g.debut = uint32_t(c.xy.size() / 2);
        g.n = uint32_t(n);
        g.ouest = g.sud = 1e9f;
        g.est = g.nord = -1e9f;
        int64_t x = 0, y = 0;
        for (uint64_t j = 0; j < n; ++j) {
            uint64_t dx = 0, dy = 0;
            // A step wider than the world is damage; refusing it also keeps the sums from overflowing.
            if (!d.varint(dx) || !d.varint(dy) || dx > PAS_MAX || dy > PAS_MAX)
                return false;
            x += int64_t(dx >> 1) ^ -int64_t(dx & 1);
            y += int64_t(dy >> 1) ^ -int64_t(dy & 1);
            const float lon = float(double(x) * UNITE), lat = float(double(y) * UNITE);
            if (!(std::abs(lon) <= 540 && std::abs(lat) <= 90.001f))
                return false;
            c.xy.push_back(lon);
            c.xy.push_back(lat);
            g.ouest = std::min(g.ouest, lon);
            g.est = std::max(g.est, lon);
            g.sud = std::min(g.sud, lat);
            g.nord = std::max(g.nord, lat);
        }
        g.bloc = uint32_t(c.blocs.size() / 4);
        for (uint32_t b = 0; b * CoucheTerres::BLOC < g.n; ++b) {
            const uint32_t de = b == 0 ? 0 : b * CoucheTerres::BLOC - 1;
            const uint32_t a = std::min(g.n, (b + 1) * CoucheTerres::BLOC);
            float o = 1e9f, s = 1e9f, e = -1e9f, n_ = -1e9f;
            for (uint32_t j = de; j < a; ++j) {
                const float* q = c.xy.data() + (size_t(g.debut) + j) * 2;
                o = std::min(o, q[0]);
                e = std::max(e, q[0]);
                s = std::min(s, q[1]);
                n_ = std::max(n_, q[1]);
            }
            c.blocs.insert(c.blocs.end(), {o, s, e, n_});
        }
        c.lignes.push_back(g);
    }
    return d.reste() == 0;
}
}  // namespace

bool lit_terres(const QString& chemin, Terres& t, QString& erreur)
{
    const auto refus = [&](const QString& raison) {
        erreur = Texte::tr("Terres illisibles : « %1 » : %2.").arg(QDir::toNativeSeparators(chemin), raison);
        return false;
    };
    QFile f(chemin);
    if (!QFileInfo(chemin).isFile() || !f.open(QIODevice::ReadOnly))
        return refus(Texte::tr("fichier absent ou illisible"));
    if (f.size() > TAILLE_TERRES_MAX)
        return refus(Texte::tr("plus de 64 Mo"));
    const QByteArray b = f.readAll();
    Lecture l(b);
    char magie[8];
    uint32_t version = 0, nb = 0;
    if (!l.octets(magie, 8) || std::memcmp(magie, "ORVTERRE", 8) != 0 || !l.lit(version) || !l.lit(nb))
        return refus(Texte::tr("ce n'est pas un fichier de terres"));
    if (version != 1)
        return refus(Texte::tr("version %1 inconnue").arg(version));
    Terres lu;
    for (uint32_t k = 0; k < nb; ++k) {
        CoucheTerres c;
        if (k > 64 || !lit_couche(l, c))
            return refus(Texte::tr("fichier coupé ou abîmé"));
        lu.couches.push_back(std::move(c));
    }
    if (l.reste() != 0)
        return refus(Texte::tr("fichier abîmé"));
    t = std::move(lu);
    return true;
}

const Terres* ChargeurTerres::terres(const QString& rep_cartes)
{
    std::lock_guard<std::mutex> verrou(m_);
    if (!lu_) {
        lu_ = true;
        if (!lit_terres(QDir(rep_cartes).filePath(QString::fromLatin1(FICHIER_TERRES)), t_, erreur_))
            t_ = Terres{};
    }
    return erreur_.isEmpty() ? &t_ : nullptr;
}

QString ChargeurTerres::erreur() const
{
    std::lock_guard<std::mutex> verrou(m_);
    return erreur_;
}

namespace {

// From the chart's degrees to the picture's logical pixels, one turn of
// longitudes at a time.
struct Projection {
    double G, L, ex, ey;
    double lo, hi;  // the longitudes (East positive) in view, lo < hi
    double seuil;   // two points nearer than this (pixels) are one
    double petit;   // a ring or line smaller than this (pixels) is not drawn
    double larg;    // the client's width (pixels)

    QPointF point(double lon, double lat, double decal) const { return {(G + lon + decal) * ex, (L - lat) * ey}; }
};

// The turns (multiples of 360°) at which a box of longitudes is in view.
template <class F>
void pour_chaque_tour(const Projection& p, float ouest, float est, F f)
{
    for (int k = -2; k <= 2; ++k)
        if (ouest + 360.0 * k < p.hi && est + 360.0 * k > p.lo)
            f(360.0 * k);
}

bool en_vue(const Projection& p, const CoucheTerres::Ligne& g, int32_t haut)
{
    const double y1 = (p.L - g.nord) * p.ey, y2 = (p.L - g.sud) * p.ey;
    return y2 >= -1 && y1 <= haut + 1;
}

// The rings or lines of a layer in view as one path (`contour`: the same
// without the edges that only close a polygon at the edge of its box).
void chemins(const CoucheTerres& c, const Projection& p, int32_t haut, QPainterPath* surface, QPainterPath* contour)
{
    const float bord = 1e-3f;
    // Whether a segment runs along the edge of the layer's box (it closes a
    // polygon cut there, it is no coast).
    const auto artificiel = [&](float lon0, float lat0, float lon, float lat) {
        return (std::abs(lon - c.ouest) < bord && std::abs(lon0 - c.ouest) < bord) ||
               (std::abs(lon - c.est) < bord && std::abs(lon0 - c.est) < bord) ||
               (std::abs(lat - c.sud) < bord && std::abs(lat0 - c.sud) < bord) ||
               (std::abs(lat - c.nord) < bord && std::abs(lat0 - c.nord) < bord);
    };
    for (const CoucheTerres::Ligne& g : c.lignes) {
        // Too small to be seen.
        if ((g.est - g.ouest) * p.ex < p.petit && (g.nord - g.sud) * p.ey < p.petit)
            continue;
        if (!en_vue(p, g, haut))
            continue;
        const float* xy = c.xy.data() + size_t(g.debut) * 2;
        const float* boites = c.blocs.data() + size_t(g.bloc) * 4;
        pour_chaque_tour(p, g.ouest, g.est, [&](double decal) {
            QPointF der = p.point(xy[0], xy[1], decal);
            if (surface)
                surface->moveTo(der);
            if (contour)
                contour->moveTo(der);
            float lon0 = xy[0], lat0 = xy[1];
            const auto vers = [&](uint32_t j, bool hors_vue) {
                const float lon = xy[2 * j], lat = xy[2 * j + 1];
                const QPointF q = p.point(lon, lat, decal);
                if (surface)
                    surface->lineTo(q);
                if (contour) {
                    if (hors_vue || artificiel(lon0, lat0, lon, lat))
                        contour->moveTo(q);
                    else
                        contour->lineTo(q);
                }
                der = q;
                lon0 = lon;
                lat0 = lat;
            };
            for (uint32_t b = 0; b * CoucheTerres::BLOC < g.n; ++b) {
                const uint32_t fin = std::min(g.n, (b + 1) * CoucheTerres::BLOC) - 1;
                const float* k = boites + size_t(b) * 4;
                const double x1 = (p.G + k[0] + decal) * p.ex, x2 = (p.G + k[2] + decal) * p.ex;
                const double y1 = (p.L - k[3]) * p.ey, y2 = (p.L - k[1]) * p.ey;
                // Wholly on one side of the view (a pixel of margin): its
                // last point stands for it, the change lying off the view.
                if (x2 < -1 || x1 > p.larg + 1 || y2 < -1 || y1 > haut + 1) {
                    if (fin > 0)
                        vers(fin, true);
                    continue;
                }
                for (uint32_t j = std::max<uint32_t>(1, b * CoucheTerres::BLOC); j <= fin; ++j) {
                    const float* q = xy + 2 * j;
                    const QPointF e = p.point(q[0], q[1], decal);
                    if (j != fin && std::abs(e.x() - der.x()) + std::abs(e.y() - der.y()) < p.seuil)
                        continue;
                    vers(j, false);
                }
            }
            if (surface && c.anneaux)
                surface->closeSubpath();
        });
    }
}

QPen crayon(const QColor& c)
{
    QPen p(c, 1);
    p.setCosmetic(true);
    return p;
}

DetailTerres detail_pour(double pixels_par_degre)
{
    if (pixels_par_degre < 6)
        return DetailTerres::Au110m;
    if (pixels_par_degre < 30)
        return DetailTerres::Au50m;
    return DetailTerres::Au10m;
}

// The land of one detail: filled, lakes as water, the coast and the lake
// shores stroked.
void trace_terre(QPainter& pt, const Terres& t, DetailTerres d, const Projection& p, int32_t haut, const CouleursModernes& c)
{
    const CoucheTerres* terre = t.couche(NatureTerres::Terre, d);
    if (!terre)
        return;
    QPainterPath surface, contour;
    surface.setFillRule(Qt::OddEvenFill);
    chemins(*terre, p, haut, &surface, &contour);
    // Filled without smoothing, edges included, so that polygons that meet
    // at 180° leave no seam; the smooth edge is the coast's line.
    pt.setRenderHint(QPainter::Antialiasing, false);
    pt.setPen(crayon(c.terre));
    pt.setBrush(c.terre);
    pt.drawPath(surface);
    QPainterPath lacs, rives;
    lacs.setFillRule(Qt::OddEvenFill);
    const CoucheTerres* l = d == DetailTerres::Au110m ? nullptr : t.couche(NatureTerres::Lacs, DetailTerres::Au10m);
    if (l) {
        // Lakes of a few pixels are not drawn.
        Projection q = p;
        q.petit = 3 * p.petit;
        chemins(*l, q, haut, &lacs, &rives);
        pt.setPen(crayon(c.mer));
        pt.setBrush(c.mer);
        pt.drawPath(lacs);
    }
    // Lines one device pixel wide, smoothed: the painter's fast path.
    pt.setRenderHint(QPainter::Antialiasing, true);
    pt.setBrush(Qt::NoBrush);
    pt.setPen(crayon(c.cote));
    pt.drawPath(contour);
    if (l)
        pt.drawPath(rives);
}

}  // namespace

void trace_carte_moderne(QImage& img, const Ajustement& a, int32_t larg, int32_t haut, const Terres* t,
                         const CouleursModernes& c)
{
    if (img.isNull())
        return;
    QPainter pt(&img);
    trace_carte_moderne(pt, img.devicePixelRatio(), a, larg, haut, t, c);
    pt.end();
    libere_etat_avx();
}

void trace_carte_moderne(QPainter& pt, double ratio, const Ajustement& a, int32_t larg, int32_t haut, const Terres* t,
                         const CouleursModernes& c)
{
    pt.save();
    pt.fillRect(QRectF(0, 0, larg, haut), c.mer);
    Projection p{double(a.G_gauche), double(a.L_haut), double(a.ech_X), double(a.ech_Y), 0, 0, 0.8 / ratio, 1.0, double(larg)};
    QRectF tour(0, 0, larg, haut);
    if (a.vue_large()) {
        // A view wider than a turn shows each longitude once.
        p.lo = -p.G + double(a.debut_tour());
        p.hi = p.lo + 360;
        tour = QRectF(double(a.debut_tour()) * p.ex, 0, 360 * p.ex, haut);
    } else {
        p.lo = -p.G;
        p.hi = p.lo + larg / p.ex;
    }
    pt.setClipRect(tour);

    // The graticule under the land.
    const double pas_x = double(arrondi_pas(std::min<ext>(a.larg_deg * 0.25L, 20)));
    const double pas_y = double(arrondi_pas(std::min<ext>(a.haut_deg * 0.25L, 10)));
    pt.setPen(crayon(c.graticule));
    std::vector<std::pair<double, double>> meridiens, paralleles;  // pixel, degrees
    if (pas_x > 0 && pas_y > 0) {
        for (double lon = std::ceil(p.lo / pas_x) * pas_x; lon <= p.hi && meridiens.size() < 400; lon += pas_x) {
            const double x = (p.G + lon) * p.ex;
            pt.drawLine(QPointF(x, 0), QPointF(x, haut));
            meridiens.push_back({x, lon});
        }
        const double nord = p.L, sud = p.L - haut / p.ey;
        for (double lat = std::ceil(std::max(sud, -90.0) / pas_y) * pas_y; lat <= std::min(nord, 90.0) && paralleles.size() < 400;
             lat += pas_y) {
            const double y = (p.L - lat) * p.ey;
            pt.drawLine(QPointF(0, y), QPointF(larg, y));
            paralleles.push_back({y, lat});
        }
    }

    if (t) {
        // The detail by the logical scale: a denser screen shows the same
        // coast more finely drawn, not more of it.
        const DetailTerres d = detail_pour(p.ex);
        const CoucheTerres* fin = d == DetailTerres::Au10m && p.ex >= 150
                                      ? t->couche(NatureTerres::Terre, DetailTerres::Complet)
                                      : nullptr;
        QRectF boite;
        if (fin) {
            // The full coast's box, in view at one of its turns.
            pour_chaque_tour(p, fin->ouest, fin->est, [&](double decal) {
                boite = QRectF(p.point(fin->ouest, fin->nord, decal), p.point(fin->est, fin->sud, decal));
            });
            if (!boite.intersects(tour))
                fin = nullptr;
        }
        if (fin) {
            // One whole-pixel edge for both: the full coast inside the box
            // rounded inwards, the rest of the world everywhere else, so
            // that no pixel is left to neither.
            const QRect dedans(QPoint(int(std::ceil(boite.left())), int(std::ceil(boite.top()))),
                               QPoint(int(std::floor(boite.right())) - 1, int(std::floor(boite.bottom())) - 1));
            QRegion hors(tour.toAlignedRect());
            hors -= QRegion(dedans);
            pt.setClipRegion(hors);
            trace_terre(pt, *t, d, p, haut, c);
            pt.setClipRect(QRectF(dedans).intersected(tour));
            trace_terre(pt, *t, DetailTerres::Complet, p, haut, c);
            pt.setClipRect(tour);
        } else {
            trace_terre(pt, *t, d, p, haut, c);
        }
        if (const CoucheTerres* f = t->couche(NatureTerres::Frontieres, d)) {
            QPainterPath lignes;
            chemins(*f, p, haut, nullptr, &lignes);
            pt.setRenderHint(QPainter::Antialiasing, true);
            pt.setPen(crayon(c.frontiere));
            pt.drawPath(lignes);
        }
    }

    // The graticule's labels along the top and left edges, haloed.
    pt.setClipping(false);
    pt.setRenderHint(QPainter::Antialiasing, true);
    QFont police(QStringLiteral("DejaVu Sans"));
    police.setPixelSize(10);
    pt.setFont(police);
    const QFontMetricsF fm(police);
    // The halo: the text in the sea's colour around itself.
    // On a page, the halo is a path round the letters: the text is there once.
    const bool page = pt.device()->devType() != QInternal::Image;
    const auto etiquette = [&](QPointF o, const QString& s) {
        if (page) {
            QPainterPath lettres;
            lettres.addText(o, police, s);
            pt.strokePath(lettres, QPen(c.mer, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        } else {
            pt.setPen(c.mer);
            for (const QPointF d : {QPointF(-1, -1), QPointF(0, -1), QPointF(1, -1), QPointF(-1, 0), QPointF(1, 0),
                                    QPointF(-1, 1), QPointF(0, 1), QPointF(1, 1)})
                pt.drawText(o + d, s);
        }
        pt.setPen(c.etiquette);
        pt.drawText(o, s);
    };
    // 0 and 180 belong to no hemisphere.
    const auto texte = [](double v, char pos, char neg) {
        return std::abs(v) < 1e-9 || std::abs(std::abs(v) - 180) < 1e-9 ? QString::number(std::lround(std::abs(v)))
                                                                          : etiquette_graticule(ext(v), pos, neg).trimmed();
    };
    for (const auto& [x, lon] : meridiens)
        if (x > 4 && x < larg - 30)
            etiquette(QPointF(x + 3, fm.ascent() + 2), texte(-std::remainder(lon, 360.0), 'W', 'E'));
    for (const auto& [y, lat] : paralleles)
        if (y > 20 && y < haut - 4)
            etiquette(QPointF(3, y - 3), texte(lat, 'N', 'S'));
    pt.restore();
}

}  // namespace orv
