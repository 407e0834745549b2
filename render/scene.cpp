#include "scene.h"

#include "etat_avx.h"

#include <cstring>

namespace orv {

CleCouche& CleCouche::operator<<(ext v)
{
    const double d = double(v);
    quint64 bits = 0;
    std::memcpy(&bits, &d, sizeof bits);
    return *this << bits;
}

Compositeur::Cle Compositeur::cle(const Carte& c, const Scene& s, size_t nb_fixes, int32_t larg, int32_t haut) const
{
    const Viewport& v = c.vue;
    Cle k{v.lat_nord, v.lat_sud, v.long_ouest, v.long_est, v.largeur_large, v.echelle_libre, s.ajuste_vue,
          larg, haut, c.canevas.ratio(), s.style.fond, {}};
    k.couches.reserve(nb_fixes);
    for (size_t i = 0; i < nb_fixes; ++i)
        k.couches.push_back(s.couches()[i]->cle());
    return k;
}

void Compositeur::rend(Carte& c, const Scene& s, int32_t larg, int32_t haut)
{
    // The screen's copy of the previous picture went through Qt's vector
    // code: the projections below would pay for it.
    libere_etat_avx();
    Viewport& v = c.vue;
    Canevas& k = c.canevas;
    c.larg_client = larg;
    c.haut_client = haut;
    if (s.ajuste_vue) {
        c.couleur_fond = s.style.fond;
        k.mode_xor = false;
        v.elargit_si_vide();
    }
    k.dimensionne(larg, haut);
    if (s.ajuste_vue) {
        k.couleur_pinceau = s.style.fond;
        v.ajuste(larg, haut);
    }
    const auto& couches = s.couches();
    size_t nb_fixes = 0;
    while (nb_fixes < couches.size() && couches[nb_fixes]->fixe())
        ++nb_fixes;
    QImage& img = k.image();
    if (valide_ && nb_fixes > 0 && img.size() == image_.size() && cle(c, s, nb_fixes, larg, haut) == cle_) {
        std::memcpy(img.bits(), image_.constBits(), size_t(image_.sizeInBytes()));
        k.pose_etat(etat_);
        c.x_elem = x_elem_;
        c.y_elem = y_elem_;
    } else {
        for (size_t i = 0; i < nb_fixes; ++i)
            couches[i]->dessine(c);
        ++rendus_;
        if (nb_fixes > 0 && garde_) {
            image_ = img.copy();
            etat_ = k.etat();
            x_elem_ = c.x_elem;
            y_elem_ = c.y_elem;
            // The key as the drawing left the request.
            cle_ = cle(c, s, nb_fixes, larg, haut);
            valide_ = true;
        }
    }
    // The moving layers start with a solid pen.
    k.style_plume = StylePlume::Plein;
    for (size_t i = nb_fixes; i < couches.size(); ++i)
        couches[i]->dessine(c);
}

void rend_scene(Carte& c, const Scene& s, int32_t larg, int32_t haut)
{
    Compositeur(false).rend(c, s, larg, haut);
}

}  // namespace orv
