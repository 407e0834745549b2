#include "canevas.h"

#include "etat_avx.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>
#include <algorithm>
#include <cmath>

namespace orv {

namespace {
__extension__ typedef __int128 entier128;

// On/off runs of the cosmetic pen styles, in pixels.
struct Motif {
    int n;
    int runs[6];
};
constexpr Motif MOTIF_POINT{2, {3, 3}};
constexpr Motif MOTIF_TIRET{2, {18, 6}};
constexpr Motif MOTIF_TIRET_POINT{4, {9, 6, 3, 6}};
constexpr Motif MOTIF_TIRET_POINT_POINT{6, {9, 3, 3, 3, 3, 3}};

const Motif* motif(StylePlume s)
{
    switch (s) {
    case StylePlume::Point: return &MOTIF_POINT;
    case StylePlume::Tiret: return &MOTIF_TIRET;
    case StylePlume::TiretPoint: return &MOTIF_TIRET_POINT;
    case StylePlume::TiretPointPoint: return &MOTIF_TIRET_POINT_POINT;
    case StylePlume::Plein: break;
    }
    return nullptr;
}

bool allume(const Motif* m, int64_t k)
{
    if (!m)
        return true;
    int periode = 0;
    for (int i = 0; i < m->n; ++i)
        periode += m->runs[i];
    int64_t r = k % periode;
    for (int i = 0; i < m->n; ++i) {
        if (r < m->runs[i])
            return i % 2 == 0;
        r -= m->runs[i];
    }
    return false;
}
}  // namespace

void Canevas::pose_ratio(double r)
{
    ratio_ = std::isfinite(r) ? std::clamp(r, 1.0, 4.0) : 1.0;
    epaisseur_ = std::max(1, int(std::lround(ratio_)));
}

void Canevas::dimensionne(int w, int h)
{
    larg_ = std::max(w, 1);
    haut_ = std::max(h, 1);
    const int pw = std::max(1, physique(larg_)), ph = std::max(1, physique(haut_));
    const QImage::Format f = vecteur_ ? QImage::Format_ARGB32 : QImage::Format_RGB32;
    if (img_.width() != pw || img_.height() != ph || img_.format() != f)
        img_ = QImage(pw, ph, f);
    img_.setDevicePixelRatio(ratio_);
    if (vecteur_) {
        img_.fill(Qt::transparent);
        pixels_ = false;
    }
}

void Canevas::bloc(int x1, int y1, int x2, int y2, QRgb c)
{
    x1 = std::max(x1, 0);
    y1 = std::max(y1, 0);
    x2 = std::min(x2, img_.width());
    y2 = std::min(y2, img_.height());
    for (int y = y1; y < y2; ++y)
        for (int x = x1; x < x2; ++x)
            ecrit(x, y, c);
}

void Canevas::remplit(TColor c)
{
    // A plain fill of the 32-bit words: QImage::fill's vector code left the
    // CPU in a state that slowed the dot loop that follows.
    if (vecteur_) {
        img_.fill(Qt::transparent);
        pixels_ = false;
        vecteur_->fillRect(QRectF(0, 0, larg_, haut_), QColor(vers_qrgb(c)));
        return;
    }
    const QRgb v = vers_qrgb(c);
    const int w = img_.width();
    for (int y = 0; y < img_.height(); ++y) {
        auto* l = reinterpret_cast<QRgb*>(img_.scanLine(y));
        std::fill(l, l + w, v);
    }
}

void Canevas::triangle(const QPoint (&p)[3], TColor c, bool plein)
{
    if (vecteur_)
        return triangle_vecteur(p, c, plein);
    const QRgb v = vers_qrgb(c);
    if (!plein) {
        const TColor couleur = couleur_plume;
        const StylePlume style = style_plume;
        const bool x = mode_xor;
        couleur_plume = c;
        style_plume = StylePlume::Plein;
        mode_xor = false;
        deplace_vers(p[0].x(), p[0].y());
        trace_vers(p[1].x(), p[1].y());
        trace_vers(p[2].x(), p[2].y());
        trace_vers(p[0].x(), p[0].y());
        couleur_plume = couleur;
        style_plume = style;
        mode_xor = x;
        return;
    }
    // Every physical pixel whose centre lies on the inner side of the three
    // edges (either winding).
    const QPoint q[3] = {QPoint(physique(p[0].x()), physique(p[0].y())), QPoint(physique(p[1].x()), physique(p[1].y())),
                         QPoint(physique(p[2].x()), physique(p[2].y()))};
    const int x0 = std::max(0, std::min({q[0].x(), q[1].x(), q[2].x()}));
    const int x1 = std::min(img_.width() - 1, std::max({q[0].x(), q[1].x(), q[2].x()}));
    const int y0 = std::max(0, std::min({q[0].y(), q[1].y(), q[2].y()}));
    const int y1 = std::min(img_.height() - 1, std::max({q[0].y(), q[1].y(), q[2].y()}));
    auto bord = [](QPoint a, QPoint b, int x, int y) {
        return int64_t(b.x() - a.x()) * (y - a.y()) - int64_t(b.y() - a.y()) * (x - a.x());
    };
    for (int y = y0; y <= y1; ++y) {
        auto* l = reinterpret_cast<QRgb*>(img_.scanLine(y));
        for (int x = x0; x <= x1; ++x) {
            const int64_t e0 = bord(q[0], q[1], x, y), e1 = bord(q[1], q[2], x, y), e2 = bord(q[2], q[0], x, y);
            if ((e0 >= 0 && e1 >= 0 && e2 >= 0) || (e0 <= 0 && e1 <= 0 && e2 <= 0))
                l[x] = v;
        }
    }
}

void Canevas::ecrit(int x, int y, QRgb c)
{
    if (x < 0 || y < 0 || x >= img_.width() || y >= img_.height())
        return;
    auto* l = reinterpret_cast<QRgb*>(img_.scanLine(y));
    if (mode_xor)
        l[x] = 0xFF000000u | ((l[x] ^ c) & 0x00FFFFFFu);
    else
        l[x] = c;
}

void Canevas::pixel(int x, int y, TColor c)
{
    if (vecteur_) {
        vide_pixels();
        vecteur_->fillRect(QRectF(x, y, 1, 1), QColor(vers_qrgb(c)));
        return;
    }
    if (ratio_ != 1) {
        const bool x_ = mode_xor;
        mode_xor = false;
        bloc(physique(x), physique(y), physique(x + 1), physique(y + 1), vers_qrgb(c));
        mode_xor = x_;
        return;
    }
    if (x < 0 || y < 0 || x >= img_.width() || y >= img_.height())
        return;
    reinterpret_cast<QRgb*>(img_.scanLine(y))[x] = vers_qrgb(c);
}

TColor Canevas::pixel(int x, int y) const
{
    x = physique(x);
    y = physique(y);
    if (x < 0 || y < 0 || x >= img_.width() || y >= img_.height())
        return 0;
    const QRgb v = reinterpret_cast<const QRgb*>(img_.constScanLine(y))[x];
    return TColor(qRed(v)) | (TColor(qGreen(v)) << 8) | (TColor(qBlue(v)) << 16);
}

void Canevas::trace_vers(int x2, int y2)
{
    if (vecteur_) {
        trait_vecteur(px_, py_, x2, y2);
        px_ = x2;
        py_ = y2;
        return;
    }
    const int64_t x1 = physique(px_), y1 = physique(py_);
    px_ = x2;
    py_ = y2;
    x2 = physique(x2);
    y2 = physique(y2);
    const int64_t dx = x2 - x1, dy = y2 - y1;
    const int64_t n = std::max(std::llabs(dx), std::llabs(dy));
    if (n == 0 || img_.isNull())
        return;

    // Steps k in [0, n) where the point can lie inside the image.
    double kmin = 0, kmax = double(n - 1);
    auto borne = [&](int64_t a, int64_t d, int limite) {
        // a + k*d/n within [-1, limite]
        if (d == 0) {
            if (a < -1 || a > limite)
                kmax = -1;
            return;
        }
        double k1 = double(-1 - a) * double(n) / double(d);
        double k2 = double(limite - a) * double(n) / double(d);
        if (k1 > k2)
            std::swap(k1, k2);
        kmin = std::max(kmin, std::floor(k1) - 1);
        kmax = std::min(kmax, std::ceil(k2) + 1);
    };
    borne(x1, dx, img_.width());
    borne(y1, dy, img_.height());
    if (kmax < kmin)
        return;

    const QRgb c = vers_qrgb(couleur_plume);
    const Motif* m = motif(style_plume);
    // A pen of several pixels: as many copies of the line side by side
    // across its major axis, each pixel once (a XOR line drawn twice
    // leaves nothing).
    const int t = epaisseur_;
    const bool horizontal = std::llabs(dx) >= std::llabs(dy);
    // The image detached once for the whole line, its rows then written
    // without a check at each pixel.
    uchar* const base = img_.bits();
    const qsizetype bpl = img_.bytesPerLine();
    const int w = img_.width(), h = img_.height();
    // Nearest pixel along the minor axis (a DDA equivalent to Bresenham):
    // x = x1 + (2k·dx ± n) / 2n, the division's quotient and remainder
    // carried from step to step. Endpoints more than 2^30 pixels apart
    // need 128-bit products, computed at each step.
    const bool grand = n > (int64_t(1) << 30);
    const int64_t deux_n = 2 * n, ax = std::llabs(dx), ay = std::llabs(dy);
    const int64_t sx = dx >= 0 ? 1 : -1, sy = dy >= 0 ? 1 : -1;
    const int64_t k0 = int64_t(kmin);
    int64_t qx = 0, qy = 0, rx = 0, ry = 0;
    if (!grand) {
        rx = 2 * k0 * ax + n;
        ry = 2 * k0 * ay + n;
        qx = rx / deux_n;
        qy = ry / deux_n;
        rx -= qx * deux_n;
        ry -= qy * deux_n;
    }
    for (int64_t k = k0; k <= int64_t(kmax); ++k) {
        int64_t x, y;
        if (!grand) {
            x = x1 + sx * qx;
            y = y1 + sy * qy;
            rx += 2 * ax;
            if (rx >= deux_n) {
                rx -= deux_n;
                ++qx;
            }
            ry += 2 * ay;
            if (ry >= deux_n) {
                ry -= deux_n;
                ++qy;
            }
        } else {
            x = x1 + int64_t((2 * entier128(k) * dx + (dx >= 0 ? n : -n)) / (2 * entier128(n)));
            y = y1 + int64_t((2 * entier128(k) * dy + (dy >= 0 ? n : -n)) / (2 * entier128(n)));
        }
        if (!allume(m, ratio_ == 1 ? k : int64_t(std::floor(double(k) / ratio_))))
            continue;
        if (t == 1) {
            if (x < 0 || y < 0 || x >= w || y >= h)
                continue;
            auto* l = reinterpret_cast<QRgb*>(base + qsizetype(y) * bpl);
            l[x] = mode_xor ? 0xFF000000u | ((l[x] ^ c) & 0x00FFFFFFu) : c;
            continue;
        }
        for (int j = 0; j < t; ++j)
            ecrit(int(x) + (horizontal ? 0 : j), int(y) + (horizontal ? j : 0), c);
    }
}

void Canevas::rectangle(int x1, int y1, int x2, int y2)
{
    if (x1 > x2)
        std::swap(x1, x2);
    if (y1 > y2)
        std::swap(y1, y2);
    if (vecteur_) {
        deplace_vers(x2, y2);
        if (x2 - x1 < 1 || y2 - y1 < 1)
            return;
        vide_pixels();
        vecteur_->setPen(plume_vecteur());
        vecteur_->setBrush(Qt::NoBrush);
        vecteur_->drawRect(QRectF(x1 + 0.5, y1 + 0.5, x2 - x1 - 1, y2 - y1 - 1));
        return;
    }
    if (ratio_ != 1) {
        // The outline as bands a pen wide, each physical pixel once, the
        // dash pattern along each side.
        deplace_vers(x2, y2);
        const int X1 = physique(x1), Y1 = physique(y1), X2 = physique(x2), Y2 = physique(y2), t = epaisseur_;
        if (X2 <= X1 || Y2 <= Y1)
            return;
        const QRgb c = vers_qrgb(couleur_plume);
        const Motif* m = motif(style_plume);
        auto trait = [&](int64_t k) { return allume(m, int64_t(std::floor(double(k) / ratio_))); };
        for (int y = Y1; y < Y2; ++y) {
            const bool bord_h = y < Y1 + t || y >= Y2 - t;
            for (int x = X1; x < X2; ++x) {
                const bool bord_v = x < X1 + t || x >= X2 - t;
                if (!bord_h && !bord_v) {
                    x = X2 - t - 1;
                    continue;
                }
                // Along the top and bottom, the pattern follows x; along the
                // sides, y.
                if (trait(bord_h ? x - X1 : y - Y1))
                    ecrit(x, y, c);
            }
        }
        return;
    }
    // The last column and row drawn.
    const int xd = x2 - 1, yd = y2 - 1;
    if (xd < x1 || yd < y1)
        return;
    if (xd == x1 || yd == y1) {
        // One pixel wide or high: a single line, end pixel included.
        deplace_vers(x1, y1);
        trace_vers(xd + (xd == x1 ? 0 : 1), yd + (yd == y1 ? 0 : 1));
        if (xd == x1 && yd == y1) {
            deplace_vers(x1, y1);
            trace_vers(x1 + 1, y1);
        }
        return;
    }
    // Four sides, each without its end pixel: every corner drawn once.
    deplace_vers(x1, y1);
    trace_vers(xd, y1);
    trace_vers(xd, yd);
    trace_vers(x1, yd);
    trace_vers(x1, y1);
}

size_t Canevas::HachageTexte::operator()(const CleTexte& c) const
{
    return size_t(qHash(c.texte)) ^ (size_t(c.couleur) * 0x9E3779B1u) ^ (size_t(c.fond) << 7) ^
           (size_t(c.police.pixelSize()) << 3) ^ (c.police.italic() ? 0x1000u : 0) ^
           (c.police.underline() ? 0x2000u : 0) ^ (c.police.bold() ? 0x4000u : 0) ^ (c.vide ? 0x8000u : 0) ^
           size_t(c.halo + 1) * 0x85EBCA6Bu;
}

const Canevas::BlocTexte& Canevas::bloc_texte(const QString& s)
{
    CleTexte cle{s, police, couleur_police, couleur_pinceau, pinceau_vide, ratio_, halo};
    const bool fond_plein = !pinceau_vide && halo < 0;
    if (auto t = textes_.find(cle); t != textes_.end())
        return t->second;
    if (textes_.size() > 8192)
        textes_.clear();
    // The text as QPainter draws it, on a background colour that is neither
    // the text's nor the brush's, with room for italic overhangs; only the
    // pixels that are not that background are copied to the canvas.
    const QFontMetrics fm(police);
    const int w = fm.horizontalAdvance(s), h = fm.height(), marge = h;
    QRgb cle_fond = 0xFF010203u;
    while (cle_fond == vers_qrgb(couleur_police) || (fond_plein && cle_fond == vers_qrgb(couleur_pinceau)) ||
           (halo >= 0 && cle_fond == vers_qrgb(TColor(halo))))
        cle_fond += 0x010101u;
    BlocTexte b;
    b.dx = -physique(marge);
    b.cle = cle_fond;
    // At the physical resolution: the painter draws in logical pixels.
    // A halo takes a pixel above and below the letters.
    const int bord = halo >= 0 ? 1 : 0;
    b.dy = -physique(bord);
    b.img = QImage(physique(w + 2 * marge), physique(h + 2 * bord), QImage::Format_RGB32);
    b.img.fill(cle_fond);
    b.img.setDevicePixelRatio(ratio_);
    {
        QPainter p(&b.img);
        p.setFont(police);
        const QRect r(marge, bord, w, h);
        if (fond_plein)
            p.fillRect(r, QColor(vers_qrgb(couleur_pinceau)));
        if (halo >= 0) {
            // The letters drawn around themselves in the halo's colour.
            p.setPen(QColor(vers_qrgb(TColor(halo))));
            const qreal d = 1;
            for (const QPointF o : {QPointF(-d, -d), QPointF(0, -d), QPointF(d, -d), QPointF(-d, 0), QPointF(d, 0),
                                    QPointF(-d, d), QPointF(0, d), QPointF(d, d)})
                p.drawText(r.translated(o.toPoint()), Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, s);
        }
        p.setPen(QColor(vers_qrgb(couleur_police)));
        p.drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, s);
    }
    libere_etat_avx();
    return textes_.emplace(std::move(cle), std::move(b)).first->second;
}

void Canevas::texte(int x, int y, const QString& s)
{
    if (img_.isNull() || s.isEmpty())
        return;
    if (vecteur_)
        return texte_vecteur(x, y, s);
    const BlocTexte& b = bloc_texte(s);
    x = physique(x);
    y = physique(y);
    y += b.dy;
    const int x0 = x + b.dx;
    const int xa = std::max(0, -x0), xb = std::min(b.img.width(), img_.width() - x0);
    const int ya = std::max(0, -y), yb = std::min(b.img.height(), img_.height() - y);
    for (int j = ya; j < yb; ++j) {
        const auto* src = reinterpret_cast<const QRgb*>(b.img.constScanLine(j));
        auto* dst = reinterpret_cast<QRgb*>(img_.scanLine(y + j)) + x0;
        for (int i = xa; i < xb; ++i)
            if (src[i] != b.cle)
                dst[i] = src[i];
    }
}

int Canevas::hauteur_texte(const QString& s) const
{
    Q_UNUSED(s);
    if (!(police_mesuree_ == police)) {
        police_mesuree_ = police;
        hauteur_police_ = QFontMetrics(police).height();
    }
    return hauteur_police_;
}

int Canevas::largeur_texte(const QString& s) const
{
    return QFontMetrics(police).horizontalAdvance(s);
}

void Canevas::trace_chemin()
{
    if (chemin_.isEmpty())
        return;
    vecteur_->strokePath(chemin_, plume_chemin_);
    chemin_.clear();
}

void Canevas::vide_pixels()
{
    if (!vecteur_)
        return;
    trace_chemin();
    if (!pixels_)
        return;
    pixels_ = false;
    // Only the box of what was written, if anything was, without loss.
    int x0 = img_.width(), x1 = -1, y0 = img_.height(), y1 = -1;
    for (int y = 0; y < img_.height(); ++y) {
        const auto* l = reinterpret_cast<const QRgb*>(img_.constScanLine(y));
        for (int x = 0; x < img_.width(); ++x)
            if (qAlpha(l[x]) != 0) {
                x0 = std::min(x0, x);
                x1 = std::max(x1, x);
                y0 = std::min(y0, y);
                y1 = y;
            }
    }
    if (x1 < 0)
        return;
    const QRect source(x0, y0, x1 - x0 + 1, y1 - y0 + 1);
    vecteur_->setRenderHint(QPainter::LosslessImageRendering, true);
    vecteur_->drawImage(QRectF(x0 / ratio_, y0 / ratio_, source.width() / ratio_, source.height() / ratio_), img_, source);
    img_.fill(Qt::transparent);
}

QPen Canevas::plume_vecteur() const
{
    QPen p(QColor(vers_qrgb(couleur_plume)), 1);
    p.setCapStyle(Qt::FlatCap);
    p.setJoinStyle(Qt::MiterJoin);
    if (const Motif* m = motif(style_plume)) {
        QList<qreal> runs;
        for (int i = 0; i < m->n; ++i)
            runs << m->runs[i];
        p.setDashPattern(runs);
    }
    return p;
}

// Pixel centres joined: the raster line's pixels, as a path.
void Canevas::trait_vecteur(int x1, int y1, int x2, int y2)
{
    if (x1 == x2 && y1 == y2)
        return;
    // Pixels written since the path began come after it.
    if (pixels_)
        vide_pixels();
    const QPointF a(x1 + 0.5, y1 + 0.5), b(x2 + 0.5, y2 + 0.5);
    const QPen plume = plume_vecteur();
    if (!chemin_.isEmpty() && (plume != plume_chemin_ || chemin_.currentPosition() != a))
        trace_chemin();
    if (chemin_.isEmpty()) {
        plume_chemin_ = plume;
        chemin_.moveTo(a);
    }
    chemin_.lineTo(b);
}

void Canevas::triangle_vecteur(const QPoint (&p)[3], TColor c, bool plein)
{
    vide_pixels();
    const QPointF q[3] = {QPointF(p[0]) + QPointF(0.5, 0.5), QPointF(p[1]) + QPointF(0.5, 0.5),
                          QPointF(p[2]) + QPointF(0.5, 0.5)};
    vecteur_->setRenderHint(QPainter::Antialiasing, true);
    if (plein) {
        vecteur_->setPen(Qt::NoPen);
        vecteur_->setBrush(QColor(vers_qrgb(c)));
    } else {
        vecteur_->setPen(QPen(QColor(vers_qrgb(c)), 1));
        vecteur_->setBrush(Qt::NoBrush);
    }
    vecteur_->drawPolygon(q, 3);
}

// The text as text (a reader selects and finds it), its brush or its halo
// as paths under it.
void Canevas::texte_vecteur(int x, int y, const QString& s)
{
    vide_pixels();
    const QFontMetrics fm(police);
    const QRect r(x, y, fm.horizontalAdvance(s), fm.height());
    if (!pinceau_vide && halo < 0)
        vecteur_->fillRect(r, QColor(vers_qrgb(couleur_pinceau)));
    if (halo >= 0) {
        QPainterPath lettres;
        lettres.addText(QPointF(x, y + fm.ascent()), police, s);
        vecteur_->strokePath(lettres, QPen(QColor(vers_qrgb(TColor(halo))), 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    }
    vecteur_->setFont(police);
    vecteur_->setPen(QColor(vers_qrgb(couleur_police)));
    vecteur_->drawText(r, Qt::AlignLeft | Qt::AlignTop | Qt::TextSingleLine, s);
}

QFont police_hauteur(const QString& famille, int hauteur_pixels)
{
    QFont f(famille);
    f.setPixelSize(std::max(1, hauteur_pixels));
    f.setStyleStrategy(QFont::NoAntialias);
    return f;
}

QFont police_gdi(const QString& famille, int taille_points)
{
    // A font Size in points becomes a character height of round(size × 96 / 72).
    return police_hauteur(famille, int(std::lround(taille_points * 96.0 / 72.0)));
}

}  // namespace orv
