// TMercator: the chart window. It shows a rectangle of the world through
// the viewport it is given, drawn by the core's chart (Carte) into a QImage
// back buffer; paintEvent only copies that buffer to the screen. It adds
// what only a window has: the rubber bands of the zoom and pan gestures
// (XOR drawings over the buffer), invalidation and the screen.
#pragma once

#include "carte.h"
#include "cartes.h"
#include "pos_elem.h"
#include "scene.h"
#include "viewport.h"

#include <QWidget>
#include <functional>

namespace orv {

class TMercator : public QWidget {
public:
    TMercator(QWidget* parent, Viewport& vue, Cartes& cartes, bool cartes_par_proprietaire = false);

    Viewport& vue;       // the program's viewport
    Cartes& cartes;      // the program's maps
    Canevas canevas;     // the back buffer
    Carte dessin;        // the chart drawn into it
    Compositeur compositeur;  // draws the scenes into it, keeping their still layers

    int32_t zone_x1 = 0, zone_y1 = 0, zone_x2 = 0, zone_y2 = 0;  // the rubber band
    TColor coul_points = 0x0078F0;
    // Where the program's data lie, its maps' default folder among them
    // (empty: the current directory).
    QString rep_donnees;
    TColor couleur_fond = clBlack;
    // The modern chart (its sea then being couleur_fond).
    bool style_moderne = false;
    bool cartes_par_proprietaire = false;
    StyleCarte style() const { return {couleur_fond, coul_points, style_moderne}; }

    // How messages reach the user (message boxes by default).
    std::function<void(const QString&)> information;
    std::function<void(const QString&)> avertissement;

    void FormCreate();
    // Renders the whole picture into the back buffer (the chart alone here;
    // the main window adds its layers).
    virtual void FormPaint();
    void charge_cartes();

    // The chart's primitives, as the chart window offers them.
    void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2) { dessin.line(x1, y1, x2, y2); }
    void TPos_elem_plot(const TPos_elem& e) { dessin.TPos_elem_plot(e); }
    int32_t pos_grX(ext lambda_rad) const { return vue.pos_grX(lambda_rad); }
    int32_t pos_grY(ext phi_rad) const { return vue.pos_grY(phi_rad); }
    ext long_(int32_t x) const { return vue.long_(x); }
    ext lat(int32_t y) const { return vue.lat(y); }
    // The great-circle distance in red at the middle of the segment.
    void Affiche_dist_ortho(ext lat1, ext lon1, ext lat2, ext lon2);
    bool correlation_dx_dG(ext A, ext B) const;

    // Zoom and pan. The rubber band is a XOR drawing on the back buffer:
    // each change is copied to the screen at once, a re-render during a drag
    // draws it again, and the next paint after the gesture erases it.
    struct BandeXor {
        enum Forme { Aucune, Rectangle, Trait } forme = Aucune;
        TColor couleur = clWhite;
        StylePlume style = StylePlume::Tiret;
    };
    BandeXor bande;
    ext pas_G = 0, pas_L = 0;  // the last pan's shifts, decimal degrees

    void zoom_av_down(int X, int Y);
    void zoom_av_move(int X, int Y);
    // Zooms into the rectangle when zoom_ok; the band goes either way.
    bool zoom_av_up(int X, int Y);
    bool zoom_ok() const;
    // One zoom-out step around the centre (false at the widest view).
    bool zoom_arriere();
    void depl_panoramique();
    void panoramic_down(int X, int Y);
    void panoramic_move(int X, int Y);
    void panoramic_up(int X, int Y);
    // Zoom by `facteur` (below 1: in) keeping the point (DD.MM) in place;
    // false when refused by the limits.
    bool zoom_autour(ext lat_P, ext lon_P, ext facteur);

    // A band drawn in XOR from (X, Y); moved to (X, Y); erased.
    void commence_bande(BandeXor::Forme forme, TColor couleur, StylePlume style, int X, int Y);
    void deplace_bande(int X, int Y);
    void efface_bande();

    // "Invalidate": re-render, then schedule the copy to the screen.
    void invalider();
    // "Repaint at once": re-render and copy now.
    void repeint_immediat();

    // Renders at the given client size without a screen.
    const QImage& rend(int largeur, int hauteur);

    // Physical pixels per logical one of the back buffer: the screen's, or
    // `ratio_impose` when set (the benchmarks' high-density screen).
    double ratio_impose = 0;
    double ratio() const { return ratio_impose > 0 ? ratio_impose : devicePixelRatioF(); }

protected:
    // Renders the picture, then the band of a gesture in progress.
    void rend_avec_bande();
    void trace_bande();
    QRect rect_bande() const;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
    // Follows the window to a screen of another density (Qt 6.4 has no
    // event for a change of ratio): the chart is rendered again for it.
    void showEvent(QShowEvent* e) override;

private:
    bool suit_l_ecran_ = false;
    QMetaObject::Connection connexion_ecran_;
};

}  // namespace orv
