// Two boats compared beside the film's chart: at the film's instant, the
// great-circle separation and the bearing from the first to the second,
// each one's course and speed of the moment, and the miles the first has
// gained on the second towards the finish since the comparison's first
// instant; under them, the separation and that gain over the film's period,
// a cursor at the instant; a press on the chart moves the film there.
#pragma once

#include "duel.h"

#include <QWidget>
#include <functional>
#include <vector>

class QLabel;
class QChart;

namespace orv {

class VueGraphique;

class PanneauDuel : public QWidget {
public:
    explicit PanneauDuel(QWidget* parent);

    // Entrants a and b from debut to fin: the chart computed once.
    void compare(const Chronologie& c, int a, int b, Instant debut, Instant fin);
    int premier() const { return a_; }
    int second() const { return b_; }
    // The figures at instant t and the cursor there.
    void montre(Instant t);
    // What the panel shows at t (its lines, for the tests and the window).
    QStringList figures(Instant t) const;

    std::function<void(Instant)> va_a;  // a press on the chart
    std::function<void()> ferme;        // its close button

    QLabel* titre = nullptr;
    QLabel* texte = nullptr;
    VueGraphique* vue = nullptr;
    // The chart's rows (every `pas` seconds over the period).
    const std::vector<PasDuel>& pas() const { return pas_; }

private:
    const Chronologie* c_ = nullptr;
    int a_ = 0, b_ = 0;
    Instant t0_ = 0;           // the first instant both have a position
    bool t0_connu_ = false;
    std::vector<PasDuel> pas_;
    Instant cursor_ = INT64_MIN;
};

}  // namespace orv
