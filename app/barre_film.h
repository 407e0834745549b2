// The continuous film's bar, docked along the bottom of the window: play
// and pause, the speed, the time slider with a tick per race day, the trail
// length, the boat followed, the clock and the close button. Its widgets
// take no keyboard focus: the film's keys are the window's.
#pragma once

#include "chronologie.h"

#include <QSlider>
#include <QWidget>
#include <functional>

class QComboBox;
class QLabel;
class QToolButton;

namespace orv {

// The slider of the film: minutes since the period's start, a tick at each
// race day's midnight.
class CurseurFilm : public QSlider {
public:
    explicit CurseurFilm(QWidget* parent);
    void pose_periode(PeriodeFilm p);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    PeriodeFilm periode_;
};

class BarreFilm : public QWidget {
public:
    explicit BarreFilm(QWidget* parent);

    QToolButton* lecture = nullptr;
    QComboBox* vitesse = nullptr;
    CurseurFilm* curseur = nullptr;
    QComboBox* trainee = nullptr;
    QComboBox* suivre = nullptr;
    QLabel* horloge = nullptr;
    QToolButton* fermer = nullptr;
    QToolButton* exporter = nullptr;  // "Exporter la vidéo…"
    QToolButton* cadrer = nullptr;    // "Cadrer la flotte" (F)

    // What the user does: play or pause, a speed, an instant (dragging the
    // slider), a trail length (index into TRAINEES), whom to follow (0 none,
    // -1 the leader, an entrant), frame the fleet, close.
    std::function<void()> bascule, ferme, exporte, cadre;
    std::function<void(int)> choisit_vitesse, choisit_trainee, choisit_suivi;
    std::function<void(Instant)> va_a;

    // The film's period, and the entrants of race `c` that can be followed.
    void prepare(const Course& c, PeriodeFilm p, const std::vector<int>& concurrents);
    // The state shown: the instant, playing or not, the speed, whom it
    // follows.
    void montre(Instant t, bool en_lecture, int vitesse, int suivi);

private:
    PeriodeFilm periode_;
    const Course* course_ = nullptr;
    bool mise_a_jour_ = false;  // the widgets set by the program, not the user
};

}  // namespace orv
