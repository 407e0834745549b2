// The chart viewport: the requested bounds, the fit of the visible area to
// the client size, and the conversions between geographic positions and
// pixels. The projection is linear in both axes (whole pixels per degree).
// What the fit derives is read only: only the fit sets it.
#pragma once

#include "convers.h"

#include <vector>

namespace orv {

// Longitude difference taken the short way across the 180° meridian.
struct EcartCorrige {
    ext ecart;     // radians
    bool franchit; // the difference was wrapped across 180°
};

// Date-line correction of a longitude difference `ecart` between a west
// bound `a` and an east bound `b` (radians, West positive). Pure: it does not
// touch any viewport.
EcartCorrige ecart_corrige(ext ecart, ext a, ext b);

// The same correction on doubles, for the navigation's inner loops.
struct EcartCorrigeD {
    double ecart;
    bool franchit;
};
EcartCorrigeD ecart_corrige(double ecart, double a, double b);

// Longitude difference b - a taken the short way round, whatever the order
// of the two longitudes: radians in (-π, π] (π, half a turn, counts as
// westward). The geometry uses it; the viewport's fit keeps the bounds rule
// of ecart_corrige.
ext ecart_court(ext a, ext b);
double ecart_court(double a, double b);

// Brings a longitude in decimal degrees into (-180, 180].
void corrige_depass_G(ext& g);

// The widest longitude span two bounds can request (degrees): beyond it
// they would be taken the short way round. Wider requests are made with
// Viewport::pose_largeur.
inline constexpr ext LARGEUR_DEMANDEE_MAX = 179.96L;

// Direction predicates on longitudes/latitudes in radians (West positive).
bool a_lEst(ext a, ext b);   // a lies east of b (the short way round)
bool a_lOuEst(ext a, ext b); // not a_lEst(a, b)
bool au_Nord(ext a, ext b);  // a > b
bool au_Sud(ext a, ext b);   // a < b

// What a fit derives from the bounds and the client: the projection that
// the conversions and the coastline dots use.
struct Ajustement {
    ext ecart_lat = 0;   // radians
    ext ecart_long = 0;  // radians, after the date-line correction
    ext larg_deg = 0, haut_deg = 0; // visible extents, decimal degrees
    ext ech_X = 0, ech_Y = 0;       // pixels per degree: whole ones, or any with echelle_libre
    ext G_gauche = 0;    // longitude of pixel column 0, degrees, West positive
    ext L_haut = 0;      // latitude of pixel row 0, degrees
    bool franchit_180 = false;
    // The degrees of longitude and latitude the client shows (whole scales
    // make them differ from larg_deg and haut_deg).
    ext larg_visible = 0, haut_visible = 0;

    // A visible area wider than half the world: every longitude is then
    // placed at its position nearest the centre of the window (the usual
    // rules would put some of them a turn away from where the coastline
    // dots are drawn).
    bool vue_large() const { return larg_deg > 180; }
    // Left edge of the window of one turn centred on the client, as an
    // offset from G_gauche in degrees (vue_large only).
    ext debut_tour() const { return (larg_visible > 0 ? larg_visible : larg_deg) / 2 - 180; }
};

class Viewport {
public:
    // Requested bounds, DD.MM (either order is accepted by the fit).
    ext lat_nord = 0, lat_sud = 0, long_ouest = 0, long_est = 0;
    // The fit's scales are whole pixels per degree (the chart's rule); the
    // film's camera asks for any scale, so that a zoom glides.
    bool echelle_libre = false;
    // A request wider than LARGEUR_DEMANDEE_MAX: its width in degrees, the
    // two longitude bounds holding its centre. 0 otherwise.
    ext largeur_large = 0;

    // Whether another view requests the same area (its fit aside).
    bool meme_demande(const Viewport& o) const
    {
        return lat_nord == o.lat_nord && lat_sud == o.lat_sud && long_ouest == o.long_ouest && long_est == o.long_est &&
               largeur_large == o.largeur_large;
    }

    // What the last fit derived (ajuste(), at every paint), read only.
    ext ecart_lat() const { return a_.ecart_lat; }
    ext ecart_long() const { return a_.ecart_long; }
    ext larg_deg() const { return a_.larg_deg; }
    ext haut_deg() const { return a_.haut_deg; }
    ext ech_X() const { return a_.ech_X; }
    ext ech_Y() const { return a_.ech_Y; }
    ext G_gauche() const { return a_.G_gauche; }
    ext L_haut() const { return a_.L_haut; }
    bool franchit_180() const { return a_.franchit_180; }
    ext larg_visible() const { return a_.larg_visible; }
    ext haut_visible() const { return a_.haut_visible; }
    bool vue_large() const { return a_.vue_large(); }
    ext debut_tour() const { return a_.debut_tour(); }
    const Ajustement& ajustement() const { return a_; }

    // The bounds of a default world view, used when a paint comes before
    // any bounds were set (the fit would otherwise divide by zero).
    void vue_monde_par_defaut();

    // Paint-time preparation: widens an empty request (a single point, in
    // whatever spelling: 10°60' and 11°, 180° and -180°) by the previous
    // extents, or by a 20° view when no chart was painted yet; nothing
    // requested at all, or bounds that are not finite, give the world view.
    void elargit_si_vide();

    // Fits the visible area to the bounds (DD.MM, either order) and a client
    // of larg × haut pixels. The scales are at least one pixel per degree.
    // Bounds 360° or more apart are shown as the widest request. The view
    // never extends past a pole: when the client would show more than 180°
    // of latitude, the vertical scale is raised until it shows 180° at most,
    // and the view is moved within the poles.
    void ajuste(ext sud, ext ouest, ext nord, ext est, int32_t larg_client, int32_t haut_client);
    void ajuste(int32_t larg_client, int32_t haut_client)
    {
        ajuste(lat_sud, long_ouest, lat_nord, long_est, larg_client, haut_client);
    }

    // Stores two longitude bounds (DD.MM) in the order the fit takes the
    // short way: the fit wraps a pair on both sides of Greenwich whose west
    // bound lies beyond 90°, even when the short way runs by Greenwich
    // (100° W and 10° E); such a pair is stored the other way round.
    void pose_longitudes(ext ouest, ext est);
    // A request `largeur` degrees wide around `centre` (decimal degrees,
    // West positive): by its two bounds when it can be, else as a wide
    // request, held to the widest (largeur_tour of the last fit's client).
    void pose_largeur(ext centre, ext largeur);
    // The requested width in degrees, and its centre (decimal degrees).
    ext largeur_demandee() const;
    ext centre_demande() const;
    // The widest request: its fit shows the whole turn in a client of
    // `larg_client` pixels (at least 360), at the largest whole scale that
    // does: 804 pixels show 402°, each longitude once, the 42° beyond the
    // turn left empty; 1440 pixels show exactly 360°.
    static ext largeur_tour(int32_t larg_client);
    // Longitude bounds framing longitudes (decimal degrees, West positive)
    // for a client `larg_client` pixels wide: the arc they cover, the whole
    // turn less the widest gap between two that follow each other round
    // the world. An arc wider than the widest view leaves out the band of
    // longitudes that holds the fewest of them. Nothing when empty.
    void cadre_longitudes(std::vector<double> lons, int32_t larg_client);
    int32_t larg_client_ajuste() const { return larg_client_ajuste_; }  // the client width of the last fit

    int32_t pos_grX(ext lambda_rad) const;
    // pos_grX before its rounding to a whole pixel.
    ext x_reel(ext lambda_rad) const;
    int32_t pos_grY(ext phi_rad) const;
    ext long_(int32_t x) const; // X pixel -> longitude, DD.MM
    ext lat(int32_t y) const;   // Y pixel -> latitude, DD.MM

private:
    Ajustement a_;
    int32_t larg_client_ajuste_ = 0;
};


}  // namespace orv
