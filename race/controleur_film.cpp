#include "controleur_film.h"

#include "traduction.h"

#include <algorithm>
#include <cmath>

namespace orv {

QString ControleurFilm::texte_vitesse(int k)
{
    // Hours of race time per second, then days (plural forms from the catalogue).
    const int h = int(VITESSES[std::size_t(std::clamp(k, 0, int(VITESSES.size()) - 1))] / UNE_HEURE);
    return h < 24 ? Texte::tr("%1 h/s").arg(h) : Texte::tr("%n jour(s)/s", nullptr, h / 24);
}

void ControleurFilm::demarre(PeriodeFilm p, Instant depart)
{
    periode_ = p;
    t_ = double(std::clamp(depart, p.debut, p.fin));
    lecture_ = false;
    joue();
}

void ControleurFilm::joue()
{
    if (instant() >= periode_.fin)
        t_ = double(periode_.debut);
    lecture_ = true;
    lu_ = horloge_();
}

void ControleurFilm::pause()
{
    avance();
    lecture_ = false;
}

void ControleurFilm::bascule()
{
    if (lecture_)
        pause();
    else
        joue();
}

void ControleurFilm::choisit_vitesse(int k)
{
    // The time played so far at the former speed is kept.
    avance();
    vitesse_ = std::clamp(k, 0, int(VITESSES.size()) - 1);
}

void ControleurFilm::vitesse_plus() { choisit_vitesse(vitesse_ + 1); }
void ControleurFilm::vitesse_moins() { choisit_vitesse(vitesse_ - 1); }

void ControleurFilm::va_a(Instant t)
{
    t_ = double(std::clamp(t, periode_.debut, periode_.fin));
    lu_ = horloge_();
}

bool ControleurFilm::avance()
{
    const int64_t maintenant = horloge_();
    const int64_t ecoule = maintenant - lu_;
    lu_ = maintenant;
    if (!lecture_ || ecoule <= 0)
        return false;
    const Instant avant = instant();
    t_ += double(ecoule) / 1000 * double(VITESSES[size_t(vitesse_)]);
    if (t_ >= double(periode_.fin)) {
        t_ = double(periode_.fin);
        lecture_ = false;
    }
    return instant() != avant;
}

}  // namespace orv
