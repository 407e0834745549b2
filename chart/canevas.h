// The drawing surface of a chart window: a QImage back buffer with the
// persistent pen, brush and font state of a classic GDI canvas. Lines and
// pixels are written straight into the image memory (cosmetic one-pixel pens,
// dash patterns, XOR mode, the end pixel of a line not set); text goes
// through QPainter.
//
// Every coordinate it is given is a logical pixel, as on a 96-dpi screen; the
// image holds `ratio` physical pixels for each (a high-density screen, or a
// picture asked larger): the conversion is made here and nowhere else. A
// logical pixel is a block of physical ones, a pen is round(ratio) pixels
// wide, the dash patterns and text scale with it, and text is rasterised at
// the physical resolution.
#pragma once

#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPoint>
#include <QString>
#include <cmath>
#include <cstdint>
#include <unordered_map>

namespace orv {

// Colours as the program stores them: 0x00BBGGRR.
using TColor = uint32_t;
inline constexpr TColor clBlack = 0x000000, clWhite = 0xFFFFFF, clRed = 0x0000FF,
                        clBlue = 0xFF0000, clYellow = 0x00FFFF, clGray = 0x808080,
                        clSilver = 0xC0C0C0, clAqua = 0xFFFF00, clLime = 0x00FF00,
                        clNavy = 0x800000;

inline QRgb vers_qrgb(TColor c)
{
    return qRgb(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF));
}

enum class StylePlume { Plein, Point, Tiret, TiretPoint, TiretPointPoint };

class Canevas {
public:
    // Who takes the image to write into it may leave pixels there.
    QImage& image()
    {
        pixels_ = true;
        return img_;
    }
    const QImage& image() const { return img_; }
    // The size in logical pixels.
    int largeur() const { return larg_; }
    int hauteur() const { return haut_; }

    // Physical pixels per logical one (1 to 4), for the next dimensionne.
    void pose_ratio(double r);
    double ratio() const { return ratio_; }
    // A logical coordinate in physical pixels.
    int physique(int v) const { return ratio_ == 1 ? v : int(std::lround(v * ratio_)); }

    // Makes the image w × h logical pixels, round(w × ratio) × round(h ×
    // ratio) physical (contents kept only when that is unchanged).
    void dimensionne(int w, int h);
    // Fills the whole image with a colour.
    void remplit(TColor c);

    // Pen: colour, style, copy or XOR mode.
    TColor couleur_plume = clBlack;
    StylePlume style_plume = StylePlume::Plein;
    bool mode_xor = false;
    // Brush behind text; `pinceau_vide` draws text without a background.
    TColor couleur_pinceau = clWhite;
    bool pinceau_vide = false;
    // Font and its colour.
    QFont police;
    TColor couleur_police = clBlack;
    // A halo of this colour round the letters (the modern chart's texts), in
    // place of the brush; -1: none.
    int64_t halo = -1;

    void deplace_vers(int x, int y) { px_ = x; py_ = y; }

    // The drawing state (pen, brush, font, current point), to put back as a
    // drawing left it.
    struct Etat {
        TColor couleur_plume;
        StylePlume style_plume;
        bool mode_xor;
        TColor couleur_pinceau;
        bool pinceau_vide;
        QFont police;
        TColor couleur_police;
        int px, py;
        int64_t halo;
    };
    Etat etat() const
    {
        return {couleur_plume, style_plume, mode_xor, couleur_pinceau, pinceau_vide, police, couleur_police, px_, py_, halo};
    }
    void pose_etat(const Etat& e)
    {
        couleur_plume = e.couleur_plume;
        style_plume = e.style_plume;
        mode_xor = e.mode_xor;
        couleur_pinceau = e.couleur_pinceau;
        pinceau_vide = e.pinceau_vide;
        police = e.police;
        couleur_police = e.couleur_police;
        px_ = e.px;
        py_ = e.py;
        halo = e.halo;
    }
    // Line from the pen position to (x, y), end pixel not set; the pen moves.
    void trace_vers(int x, int y);
    // Outline of the rectangle (x1, y1)-(x2, y2), right and bottom edges
    // excluded as a GDI rectangle, every pixel drawn once (so that a XOR
    // outline drawn twice leaves nothing), with the pen; the pen moves.
    void rectangle(int x1, int y1, int x2, int y2);
    // A triangle in colour c, filled or its outline only (copy mode, no
    // pen style): the boats of the film.
    void triangle(const QPoint (&p)[3], TColor c, bool plein);
    void pixel(int x, int y, TColor c);
    TColor pixel(int x, int y) const;
    // Text with its top-left corner at (x, y), brush behind it.
    void texte(int x, int y, const QString& s);

    // A vector copy (a PDF page, a printer): with a painter given before
    // dimensionne, lines, outlines, triangles, fills and texts go to it as
    // paths and text, in logical pixels. What is written pixel by pixel (the
    // classic chart's dots, single pixels) gathers in the image, transparent,
    // and is put down on the painter as one picture before the next vector
    // drawing, so that the paint order holds. XOR is drawn as a copy there.
    void pose_vecteur(QPainter* p) { vecteur_ = p; }
    QPainter* vecteur() const { return vecteur_; }
    // The pixels gathered since the last vector drawing, put down on the
    // painter; the image is cleared. Call it before drawing on vecteur().
    void vide_pixels();
    int hauteur_texte(const QString& s) const;
    int largeur_texte(const QString& s) const;

private:
    // The vector copy's drawings.
    QPen plume_vecteur() const;
    void trait_vecteur(int x1, int y1, int x2, int y2);
    void triangle_vecteur(const QPoint (&p)[3], TColor c, bool plein);
    void texte_vecteur(int x, int y, const QString& s);
    void trace_chemin();
    QPainter* vecteur_ = nullptr;
    bool pixels_ = false;  // pixels may have been written since the last vide_pixels
    // Lines joined end to end in one pen, drawn as one path (a track of a
    // thousand legs is one path, not a thousand).
    QPainterPath chemin_;
    QPen plume_chemin_;

    void ecrit(int x, int y, QRgb c);  // a physical pixel
    void bloc(int x1, int y1, int x2, int y2, QRgb c);  // physical [x1, x2) × [y1, y2)
    QImage img_;
    int larg_ = 0, haut_ = 0;
    double ratio_ = 1;
    int epaisseur_ = 1;  // the pen, physical pixels
    int px_ = 0, py_ = 0;

    // Texts already drawn once, by text, font, colours: the next time they
    // are copied from the block (the labels of a replay repeat a lot).
    struct CleTexte {
        QString texte;
        QFont police;
        TColor couleur, fond;
        bool vide;
        double ratio;
        int64_t halo;
        bool operator==(const CleTexte& o) const
        {
            return texte == o.texte && couleur == o.couleur && fond == o.fond && vide == o.vide &&
                   ratio == o.ratio && halo == o.halo && police == o.police;
        }
    };
    struct HachageTexte {
        size_t operator()(const CleTexte& c) const;
    };
    struct BlocTexte {
        QImage img;     // physical pixels
        int dx = 0;     // the block's left edge from the text's x, physical
        int dy = 0;     // its top edge from the text's y, physical
        QRgb cle = 0;   // the background colour not copied
    };
    const BlocTexte& bloc_texte(const QString& s);
    std::unordered_map<CleTexte, BlocTexte, HachageTexte> textes_;
    mutable QFont police_mesuree_;
    mutable int hauteur_police_ = 0;
};

// GDI-like font: family and size in points (at 96 dpi), or a height in
// pixels when `pixels` is given negative as in a font Height.
QFont police_gdi(const QString& famille, int taille_points);
QFont police_hauteur(const QString& famille, int hauteur_pixels);

}  // namespace orv
