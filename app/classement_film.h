// The leaderboard beside the chart during the continuous film: the ranking
// published at or before the instant shown (never a computed one), headed
// by its own time; a click on a row follows that entrant.
#pragma once

#include "chronologie.h"

#include <QIcon>
#include <QWidget>
#include <functional>

class QLabel;
class QTableWidget;

namespace orv {

class ClassementFilm : public QWidget {
public:
    explicit ClassementFilm(QWidget* parent);

    QLabel* titre = nullptr;
    QTableWidget* table = nullptr;
    std::function<void(int)> suit;  // the entrant of the row clicked

    // The ranking of archive day `jour` (-1: none published yet), its rows
    // for the film's entrants. Rebuilt only when the day changes.
    void montre(const Chronologie& c, int jour, const std::bitset<NB_CONCURRENTS + 1>& concurrents);
    int jour() const { return jour_; }

private:
    int jour_ = -2;
    std::vector<int> entrants_;  // entrant of each row
};

// Entrant i's sample line: its colour, solid or dashed.
QIcon echantillon(int i);

}  // namespace orv
