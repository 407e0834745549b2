// The view history of the window: every zoom, pan, framing and search
// result is a step (the window notes a view once it has settled, so that a
// wheel burst or a drag counts once); back and forward walk the steps, and
// a new step drops those ahead of the current one. At most 100 kept.
#pragma once

#include "viewport.h"

#include <optional>
#include <vector>

namespace orv {

class HistoriqueVues {
public:
    static constexpr size_t MAX = 100;

    // The view the window settled on: a new step unless it is the current one.
    void note(const Viewport& v);
    // The step before (after) the current one, which becomes current; none
    // at either end.
    std::optional<Viewport> recule();
    std::optional<Viewport> avance();
    bool peut_reculer() const { return ici_ > 0; }
    bool peut_avancer() const { return ici_ + 1 < pas_.size(); }
    size_t taille() const { return pas_.size(); }
    // Another race: its views are not this one's.
    void vide();
    // Whether a view is the current step.
    bool est_le_pas(const Viewport& v) const { return !pas_.empty() && meme(pas_[ici_], v); }

private:
    static bool meme(const Viewport& a, const Viewport& b)
    {
        return a.meme_demande(b) && a.echelle_libre == b.echelle_libre;
    }
    std::vector<Viewport> pas_;
    size_t ici_ = 0;  // the current step (meaningless while empty)
};

}  // namespace orv
