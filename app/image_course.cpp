// The race picture of the main window: course marks and places in their
// label styles, and each entrant of the day with its name and speed line.
#include "posconc.h"

#include <cmath>

namespace orv {

TColor couleur_vitesse(ext s, bool clair)
{
    if (s < 6)
        return clair ? 0x008000 : 0x00FF00;
    if (s < 8)
        return clair ? 0x00DCDC : 0x00FFFF;
    if (s < 10)
        return 0x0000FF;
    if (s < 15)
        return clair ? 0xC0C0C0 : 0xFFFFFF;
    return 0xFCB4D8;
}

void TFPosConc::trace_marque(const TPos_elem& e)
{
    // A name whose third character is "V": small and grey; others red,
    // larger, italic and underlined. The fonts are made once.
    static const QFont petite = police_gdi(QStringLiteral("Arial"), 7);
    static const QFont grande = police_gdi(QStringLiteral("Arial"), 8);
    static const QFont grande_soulignee = [] {
        QFont f = grande;
        f.setItalic(true);
        f.setUnderline(true);
        return f;
    }();
    if (e.nom.size() >= 3 && e.nom[2] == u'V') {
        canevas.police = petite;
        canevas.couleur_police = clGray;
        TPos_elem_plot(e);
    } else {
        canevas.police = grande_soulignee;
        canevas.couleur_police = clRed;
        TPos_elem_plot(e);
        canevas.police = grande;
    }
}

void TFPosConc::trace_marques()
{
    for (const TLieu& e : lieux().liste_mp)
        trace_marque(e.elem);
}

void TFPosConc::trace_lieux()
{
    for (const TLieu& e : lieux().liste_lieux) {
        canevas.police = police_gdi(QStringLiteral("Arial"), 7);
        canevas.couleur_police = clGray;
        if (e.a_droite) {
            canevas.police.setItalic(true);
            canevas.police.setUnderline(true);
            TPos_elem_plot(e.elem);
            canevas.police.setItalic(false);
            canevas.police.setUnderline(false);
        } else {
            const int x = pos_grX(ddmm_vers_rad(e.elem.longitude));
            const int y = pos_grY(ddmm_vers_rad(e.elem.latitude));
            const int w = canevas.largeur_texte(e.elem.nom);
            const int h = canevas.hauteur_texte(e.elem.nom);
            canevas.texte(x - w / 2, y - h / 2, e.elem.nom);
        }
    }
}

void TFPosConc::trace_concurrent(int i)
{
    const TDonnees_conc& r = jour_course().donnees_conc[size_t(i)];
    if (r.non_classe && r.elem.latitude == 0 && r.elem.longitude == 0)
        return;
    const bool clair = fond_clair(couleur_fond);
    canevas.couleur_police = clair ? clBlack : clWhite;
    canevas.couleur_plume = clYellow;
    TPos_elem_plot(r.elem);
    trait_vitesse(pos_grX(ddmm_vers_rad(r.elem.longitude)), pos_grY(ddmm_vers_rad(r.elem.latitude)), r.vitesse,
                  r.cap);
}

void TFPosConc::trait_vitesse(int x, int y, ext vitesse, ext cap)
{
    // 4 pixels per knot along the course (0 up, 90 to the right), in the
    // colour of the speed band.
    canevas.couleur_plume = couleur_vitesse(vitesse, fond_clair(couleur_fond));
    const ext a = radians(450 - cap);
    const int dx = nint32(std::fabs(vitesse) * 4 * std::cos(a));
    const int dy = nint32(std::fabs(vitesse) * 4 * std::sin(a));
    line(x, y, x + dx, y - dy);
}

}  // namespace orv
