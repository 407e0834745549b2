// The continuous film's playback: the instant shown, play and pause, the
// speed, the steps of the keys and the period's ends. Race time comes from
// a monotonic clock read at each frame, not from counting ticks: a slow
// frame makes the next one jump further and never slows the race. The
// clock is given, so that tests step it by hand.
#pragma once

#include "chronologie.h"

#include <QString>
#include <array>
#include <functional>

namespace orv {

class ControleurFilm {
public:
    using Horloge = std::function<int64_t()>;  // milliseconds, monotonic
    explicit ControleurFilm(Horloge h) : horloge_(std::move(h)) {}

    // Race time per second of the speeds offered, and their names
    // ("1 h/s" ... "2 jours/s").
    static constexpr std::array<Instant, 6> VITESSES = {UNE_HEURE,      3 * UNE_HEURE, 6 * UNE_HEURE,
                                                        12 * UNE_HEURE, UN_JOUR,       2 * UN_JOUR};
    static QString texte_vitesse(int k);
    static constexpr int VITESSE_PAR_DEFAUT = 4;  // 1 jour/s

    // A film of the period, at `depart` (its start by default, held
    // within it), playing.
    void demarre(PeriodeFilm p) { demarre(p, p.debut); }
    void demarre(PeriodeFilm p, Instant depart);
    PeriodeFilm periode() const { return periode_; }
    Instant instant() const { return Instant(std::llround(t_)); }
    bool en_lecture() const { return lecture_; }
    int vitesse() const { return vitesse_; }

    void joue();
    void pause();
    // Space: play or pause; at the period's end, play again from its start.
    void bascule();
    // ↑ and ↓: the next speed up or down.
    void vitesse_plus();
    void vitesse_moins();
    void choisit_vitesse(int k);
    // ←/→ an hour, Ctrl+←/→ a day, the slider: within the period.
    void decale(Instant d) { va_a(instant() + d); }
    void va_a(Instant t);
    void debut() { va_a(periode_.debut); }
    void fin() { va_a(periode_.fin); }

    // Reads the clock: while playing, race time moves on by the time since
    // the last reading at the speed; at the period's end the film stops on
    // its last instant. Whether the instant changed.
    bool avance();

private:
    Horloge horloge_;
    PeriodeFilm periode_;
    double t_ = 0;  // seconds, fractions kept from frame to frame
    bool lecture_ = false;
    int vitesse_ = VITESSE_PAR_DEFAUT;
    int64_t lu_ = 0;  // the clock at the last reading
};

}  // namespace orv
