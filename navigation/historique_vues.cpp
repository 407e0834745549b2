#include "historique_vues.h"

namespace orv {

HistoriqueVues::Pas HistoriqueVues::pas_de(const Viewport& v)
{
    return {v.lat_nord, v.lat_sud, v.long_ouest, v.long_est, v.largeur_large, v.echelle_libre};
}

Viewport HistoriqueVues::vue_de(const Pas& p)
{
    Viewport v;
    v.lat_nord = p.nord;
    v.lat_sud = p.sud;
    v.long_ouest = p.ouest;
    v.long_est = p.est;
    v.largeur_large = p.large;
    v.echelle_libre = p.libre;
    return v;
}

void HistoriqueVues::note(const Viewport& v)
{
    const Pas p = pas_de(v);
    if (!pas_.empty() && pas_[ici_] == p)
        return;
    if (!pas_.empty())
        pas_.resize(ici_ + 1);
    pas_.push_back(p);
    if (pas_.size() > MAX)
        pas_.erase(pas_.begin());
    ici_ = pas_.size() - 1;
}

std::optional<Viewport> HistoriqueVues::recule()
{
    if (!peut_reculer())
        return std::nullopt;
    return vue_de(pas_[--ici_]);
}

std::optional<Viewport> HistoriqueVues::avance()
{
    if (!peut_avancer())
        return std::nullopt;
    return vue_de(pas_[++ici_]);
}

void HistoriqueVues::vide()
{
    pas_.clear();
    ici_ = 0;
}

}  // namespace orv
