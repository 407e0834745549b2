#include "carte.h"

#include "trace_cartes.h"
#include "traduction.h"

#include <QPainter>
#include <cmath>

namespace orv {

namespace {

constexpr TColor COUL_POLAIRE = 0xBDBD3F;

struct Parallele {
    ext ddmm;
    const char* texte;
};
}  // namespace

ext arrondi_pas(ext s)
{
    if (s >= 1)
        s = std::trunc(s);
    if (s >= 0.5L && s < 1)
        s = 0.5L;
    if (s >= 0.25L && s < 0.5L)
        s = 0.25L;
    if (s >= 0.1L && s < 0.25L)
        s = 0.1L;
    if (s >= 0.05L && s < 0.1L)
        s = 0.05L;
    if (s < 0.05L)
        s = 0.01L;
    return s;
}

namespace {
// First line of a graticule from the window's edge value `bord`: with a
// whole step, the multiple of it at or below the edge's whole part; with a
// fraction of a degree, the step multiple nearest a third of a step inside
// the edge (`sens` is -1 for meridians, +1 for parallels).
ext premier_trait(ext bord, ext pas, int sens)
{
    if (!std::isfinite(bord) || !std::isfinite(pas) || !(pas > 0))
        return 0;
    if (pas >= 1) {
        // The largest multiple of the whole step at or below the edge's
        // whole part, computed on reals: no conversion to an integer type.
        const ext n = nint(pas);
        return std::floor(std::trunc(bord) / n) * n;
    }
    const ext t = bord + sens * pas / 3;
    return nint(std::trunc(t / pas)) * pas;
}
}  // namespace

ext premier_meridien(ext G_gauche, ext pas) { return premier_trait(G_gauche, pas, -1); }
ext premier_parallele(ext L_haut, ext pas) { return premier_trait(L_haut, pas, +1); }

QString etiquette_graticule(ext v, char pos, char neg)
{
    const ext a = std::fabs(v);
    QString s;
    if (std::fabs(v - nint(v)) < 0.01L)
        s = QString::asprintf("%3.0f", static_cast<double>(nint(a)));
    else
        s = texte_deg_min(a);
    s += u' ';
    s += QLatin1Char(v < 0 ? neg : pos);
    return s;
}

void Carte::peint(const Cartes* cartes, const StyleCarte& style, int32_t larg, int32_t haut)
{
    larg_client = larg;
    haut_client = haut;
    couleur_fond = style.fond;
    canevas.mode_xor = false;
    vue.elargit_si_vide();
    // The window system's erase in the form's colour.
    canevas.dimensionne(larg_client, haut_client);
    canevas.remplit(couleur_fond);
    canevas.couleur_pinceau = couleur_fond;
    trace_merid_paral(vue.lat_sud, vue.long_ouest, vue.lat_nord, vue.long_est, cartes, style.coul_points);
}

void Carte::trace_cartes(const Cartes& cartes, TColor coul_points)
{
    trace_toutes_cartes(canevas.image(), vue.ajustement(), larg_client, haut_client, cartes, coul_points);
    canevas.couleur_pinceau = couleur_fond;
}

void Carte::line(int32_t x1, int32_t y1, int32_t x2, int32_t y2)
{
    canevas.deplace_vers(x1, y1);
    canevas.trace_vers(x2, y2);
}

void Carte::trace_merid_paral(ext sud, ext ouest, ext nord, ext est, const Cartes* cartes, TColor coul_points)
{
    Viewport& vp = vue;
    vp.ajuste(sud, ouest, nord, est, larg_client, haut_client);

    canevas.couleur_plume = COUL_GRATICULE;
    canevas.style_plume = StylePlume::Point;
    canevas.police = police_gdi(QStringLiteral("Arial"), 7);
    canevas.couleur_police = COUL_GRATICULE;

    if (cartes && cartes->cartes_chargees)
        trace_cartes(*cartes, coul_points);

    // A scale of zero pixels per degree would never reach the window's edge:
    // the loops below also stop after as many lines as the window has pixels.
    const int64_t max_lignes_x = int64_t(larg_client) + 2;
    const int64_t max_lignes_y = int64_t(haut_client) + 2;

    // Meridians.
    ext pas = vp.larg_deg() * 0.25L;
    if (pas > 20)
        pas = 20;
    pas = arrondi_pas(pas);
    const ext m0 = premier_meridien(vp.G_gauche(), pas);
    for (int64_t i = 0; i < max_lignes_x; ++i) {
        const int32_t X = nint32((vp.G_gauche() - m0) * vp.ech_X() + i * pas * vp.ech_X());
        x_elem = X;
        ext lambda = m0 - i * pas;
        // A view wider than a turn shows each longitude once: no meridian
        // where nothing else is drawn.
        const ext dx = ext(X) / vp.ech_X();
        const bool dans_le_tour = !vp.vue_large() || (dx >= vp.debut_tour() && dx < vp.debut_tour() + 360);
        if (dans_le_tour)
            line(X, 0, X, haut_client);
        if (lambda > 180 || lambda < -180)
            lambda = std::fmod(lambda, 360.0L);
        if (lambda > 180)
            lambda -= 360;
        if (lambda < -180)
            lambda += 360;
        if (dans_le_tour)
            canevas.texte(X + 1, haut_client - 32, etiquette_graticule(lambda, 'W', 'E'));
        if (X >= larg_client)
            break;
    }

    // Parallels.
    pas = vp.haut_deg() * 0.25L;
    if (pas > 10)
        pas = 10;
    pas = arrondi_pas(pas);
    const ext p0 = premier_parallele(vp.L_haut(), pas);
    for (int64_t i = 0; i < max_lignes_y; ++i) {
        const int32_t Y = nint32((vp.L_haut() - p0) * vp.ech_Y() + i * pas * vp.ech_Y());
        y_elem = Y;
        const ext phi = p0 - i * pas;
        line(0, Y, larg_client, Y);
        if (std::fabs(phi) <= 90)
            canevas.texte(5, Y - 12, etiquette_graticule(phi, 'N', 'S'));
        if (Y >= haut_client)
            break;
    }

    // Reference parallels.
    auto parallele = [&](ext ddmm, const QString& texte, TColor couleur) {
        const int32_t Y = pos_grY(ddmm_vers_rad(ddmm));
        if (Y > 0 && Y < haut_client) {
            line(0, Y, larg_client, Y);
            canevas.couleur_police = couleur;
            canevas.texte(30, Y - 12, texte);
        }
    };
    {
        const TColor garde = canevas.couleur_plume;
        canevas.couleur_plume = clSilver;
        parallele(0, Texte::tr("Equateur"), clSilver);
        canevas.couleur_plume = garde;
    }
    canevas.couleur_plume = clRed;
    parallele(23.262L, Texte::tr("Tropique du Cancer"), clRed);
    parallele(-23.262L, Texte::tr("Tropique du Capricorne"), clRed);
    canevas.couleur_plume = COUL_POLAIRE;
    parallele(66.3L, Texte::tr("Cercle Polaire Arctique"), COUL_POLAIRE);
    parallele(-66.3L, Texte::tr("Cercle Polaire antarctique"), COUL_POLAIRE);

    // Greenwich, or the 180° meridian when Greenwich is off the window,
    // each with its own name.
    int32_t X = pos_grX(0);
    bool greenwich = true;
    if (X < 0 || X > larg_client) {
        X = pos_grX(PI);
        greenwich = false;
    }
    if (X > 0 && X < larg_client) {
        const TColor garde = canevas.couleur_plume;
        canevas.couleur_plume = clSilver;
        canevas.style_plume = StylePlume::Point;
        line(X, 0, X, haut_client);
        canevas.couleur_police = clSilver;
        QFont f = canevas.police;
        f.setBold(false);
        f.setItalic(false);
        f.setUnderline(false);
        f.setStrikeOut(false);
        canevas.police = police_gdi(f.family(), 7);
        const QString g = greenwich ? QStringLiteral("Greenwich") : QStringLiteral("180°");
        const int h = canevas.hauteur_texte(g);
        for (int k = 0; k < g.size(); ++k)
            canevas.texte(X - 12, 60 + k * h, QString(g[k]));
        canevas.couleur_plume = garde;
    }
}

void Carte::TPos_elem_plot(const TPos_elem& e)
{
    x_elem = pos_grX(ddmm_vers_rad(e.longitude));
    y_elem = pos_grY(ddmm_vers_rad(e.latitude));
    if (x_elem >= 0 && x_elem <= larg_client && y_elem >= 0 && y_elem <= haut_client) {
        canevas.pixel(x_elem, y_elem, clYellow);
        canevas.texte(x_elem + 3, y_elem - 5, e.nom);
    }
}

}  // namespace orv
