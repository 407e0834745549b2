// TMercator: the chart window. It shows a rectangle of the world through the
// program-wide viewport, draws the coastline maps, the graticule and the
// reference parallels, and plots named points. All drawing goes into a
// QImage back buffer (canevas); paintEvent only copies it to the screen.
#pragma once

#include "canevas.h"
#include "cartes.h"
#include "pos_elem.h"
#include "viewport.h"

#include <QWidget>
#include <functional>

namespace orv {

class TMercator : public QWidget {
public:
    explicit TMercator(QWidget* parent = nullptr, bool cartes_par_proprietaire = false);

    // Fields of the chart window.
    int32_t larg_client = 0, haut_client = 0;
    int32_t zone_x1 = 0, zone_y1 = 0, zone_x2 = 0, zone_y2 = 0;
    int32_t x_elem = 0, y_elem = 0;
    TColor coul_points = 0x0078F0;
    bool cartes_par_proprietaire = false;
    TColor couleur_fond = clBlack;

    Canevas canevas;

    // How messages reach the user (message boxes by default).
    std::function<void(const QString&)> information;
    std::function<void(const QString&)> avertissement;

    void FormCreate();
    // Renders the whole chart into the back buffer.
    virtual void FormPaint();

    void charge_cartes();
    void trace_cartes();
    void line(int32_t x1, int32_t y1, int32_t x2, int32_t y2);
    void trace_merid_paral(ext sud, ext ouest, ext nord, ext est);
    void TPos_elem_plot(TPos_elem e);

    // The viewport conversions, as the chart window offers them.
    int32_t pos_grX(ext lambda_rad) const { return viewport().pos_grX(lambda_rad); }
    int32_t pos_grY(ext phi_rad) const { return viewport().pos_grY(phi_rad); }
    ext long_(int32_t x) const { return viewport().long_(x); }
    ext lat(int32_t y) const { return viewport().lat(y); }

    // Navigation geometry on the program-wide states.
    void loxodromie(ext dL, ext dG, ext phi1, ext phi2);
    ext distance_loxo(ext phi1, ext lam1, ext phi2, ext lam2);
    ext dist_ortho(ext lat1, ext lon1, ext lat2, ext lon2) const;
    void calcul_orthodromie(ext lat1, ext lon1, ext lat2, ext lon2, ext pas);
    // Writes the great-circle distance in red at the middle of the segment.
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
    // One zoom-out step around the centre (false at the 180° limit).
    bool zoom_arriere();
    void depl_panoramique();
    void panoramic_down(int X, int Y);
    void panoramic_move(int X, int Y);
    void panoramic_up(int X, int Y);
    // Zoom by `facteur` (below 1: in) keeping the point (DD.MM) in place;
    // the designed limits apply. False when refused.
    bool zoom_autour(ext lat_P, ext lon_P, ext facteur);

    // A band drawn in XOR from (X, Y); moved to (X, Y); erased.
    void commence_bande(BandeXor::Forme forme, TColor couleur, StylePlume style, int X, int Y);
    void deplace_bande(int X, int Y);
    void efface_bande();

    // "Invalidate": re-render, then schedule the copy to the screen.
    void invalider();
    // "Repaint at once": re-render and copy now.
    void repeint_immediat();

    // Renders at the given client size without a screen (headless output).
    const QImage& rend(int largeur, int hauteur);

protected:
    // Renders the chart, then the band of a gesture in progress.
    void rend_avec_bande();
    void trace_bande();
    QRect rect_bande() const;
    void paintEvent(QPaintEvent* e) override;
    void resizeEvent(QResizeEvent* e) override;
};

// Step rounding of the graticule (degrees).
ext arrondi_pas(ext pas);
// First meridian (pas ≥ 1: a whole multiple at or west of G_gauche).
ext premier_meridien(ext G_gauche, ext pas);
ext premier_parallele(ext L_haut, ext pas);
// Label of a meridian or parallel at `v` degrees with its hemisphere letter
// (`pos` for v ≥ 0, `neg` for v < 0).
QString etiquette_graticule(ext v, char pos, char neg);

}  // namespace orv
