#include "historique_vues.h"

namespace orv {

void HistoriqueVues::note(const Viewport& v)
{
    if (est_le_pas(v))
        return;
    if (!pas_.empty())
        pas_.resize(ici_ + 1);
    pas_.push_back(v);
    if (pas_.size() > MAX)
        pas_.erase(pas_.begin());
    ici_ = pas_.size() - 1;
}

std::optional<Viewport> HistoriqueVues::recule()
{
    if (!peut_reculer())
        return std::nullopt;
    return pas_[--ici_];
}

std::optional<Viewport> HistoriqueVues::avance()
{
    if (!peut_avancer())
        return std::nullopt;
    return pas_[++ici_];
}

void HistoriqueVues::vide()
{
    pas_.clear();
    ici_ = 0;
}

}  // namespace orv
