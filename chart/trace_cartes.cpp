#include "trace_cartes.h"

#include <algorithm>
#include <cmath>

namespace orv {

TColor couleur_carte(const CartePix& carte, const Ajustement& vp, TColor coul_points)
{
    TColor c = vp.larg_deg > 8 ? coul_points : clRed;
    switch (classe_carte(carte.nom)) {
    case 'S': c = clGray; break;
    case 'L': c = clBlue; break;
    default: break;
    }
    return c;
}

void trace_points(QImage& img, const Ajustement& vp, int32_t larg_client, int32_t haut_client,
                  const double* enregs, int64_t nb, QRgb couleur)
{
    if (img.isNull() || nb <= 0)
        return;
    // On a high-density picture the dots are placed at the physical
    // resolution, each a block a pen wide (2 × 2 at twice the density).
    const double r = img.devicePixelRatio();
    const int cote = std::max(1, int(std::lround(r)));
    // The largest pixel indices that are both inside the client and the image.
    const int xmax = std::min(r == 1 ? larg_client : int(std::lround(larg_client * r)), img.width() - 1);
    const int ymax = std::min(r == 1 ? haut_client : int(std::lround(haut_client * r)), img.height() - 1);
    if (xmax < 0 || ymax < 0)
        return;

    // Double precision gives the same pixels as the extended formulas on the
    // shipped maps (checked by the tests) at a fraction of the cost.
    const double G = static_cast<double>(vp.G_gauche);
    const double L = static_cast<double>(vp.L_haut);
    const double ex = vp.ech_X * r, ey = vp.ech_Y * r;
    const double centre = (cote - 1) / 2.0;
    const double decal = vp.franchit_180 ? 360.0 : 0.0;
    // Clip in floating point before converting: NaN, infinities and absurd
    // values fail these tests and never reach the integer conversion.
    const double fx_max = xmax + 0.5, fy_max = ymax + 0.5;

    uchar* const base = img.bits();
    const qsizetype pas = img.bytesPerLine();

    auto ecrit = [&](double fx, double fy) {
        if (!(fx >= -0.5 && fx <= fx_max && fy >= -0.5 && fy <= fy_max))
            return;
        const long X = std::lrint(fx);
        const long Y = std::lrint(fy);
        if (static_cast<unsigned long>(X) > static_cast<unsigned long>(xmax) ||
            static_cast<unsigned long>(Y) > static_cast<unsigned long>(ymax))
            return;
        if (cote == 1) {
            reinterpret_cast<QRgb*>(base + Y * pas)[X] = couleur;
            return;
        }
        const long X0 = std::max(0L, std::lrint(fx - centre)), Y0 = std::max(0L, std::lrint(fy - centre));
        const long X1 = std::min<long>(X0 + cote, xmax + 1), Y1 = std::min<long>(Y0 + cote, ymax + 1);
        for (long y = Y0; y < Y1; ++y)
            for (long x = X0; x < X1; ++x)
                reinterpret_cast<QRgb*>(base + y * pas)[x] = couleur;
    };

    if (vp.vue_large()) {
        // More than half the world: each dot at its place nearest the
        // centre of the window, as pos_grX puts markers.
        // G - lam spans one turn, [G - 180, G + 180]: taken by whole turns
        // so that it starts in [debut, debut + 360), a second turn off the
        // part beyond puts every dot within the turn drawn.
        const double debut = static_cast<double>(vp.debut_tour());
        const double tours = 360 * std::floor((G - 180 - debut) / 360);
        for (int64_t i = 0; i < nb; ++i) {
            double d = G - enregs[2 * i + 1] - tours - debut;
            if (d >= 360)
                d -= 360;
            else if (d < 0)
                d += 360;
            ecrit((d + debut) * ex, (L - enregs[2 * i]) * ey);
        }
        return;
    }
    for (int64_t i = 0; i < nb; ++i) {
        const double phi = enregs[2 * i];
        const double lam = enregs[2 * i + 1];
        ecrit((G - lam + (lam > 0 ? decal : 0.0)) * ex, (L - phi) * ey);
    }
}

void trace_toutes_cartes(QImage& img, const Ajustement& vp, int32_t larg_client,
                         int32_t haut_client, const Cartes& c, TColor coul_points)
{
    for (const CartePix& carte : c.liste)
        trace_points(img, vp, larg_client, haut_client, carte.enregs(), carte.points_lus(),
                     vers_qrgb(couleur_carte(carte, vp, coul_points)));
}

}  // namespace orv
