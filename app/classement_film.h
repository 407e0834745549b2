// The leaderboard beside the chart during the continuous film: the ranking
// published at or before the instant shown (never a computed one), headed
// by its own time; a click on a row follows that entrant. Its last column
// is what the files hold: the leader's distance to the finish, the others'
// gap to the leader; a retired, arrived or stopped boat shows its status
// there instead, as the day's ranking does. As wide as its content, its
// rows as low as it takes to show every one in the window's height.
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
    std::function<void(int)> compare;  // the entrant of the row Ctrl+clicked

    // The ranking of archive day `jour` (-1: none published yet), its rows
    // for the film's entrants. Rebuilt only when the day changes.
    void montre(const Chronologie& c, int jour, const EnsembleConcurrents& concurrents);
    int jour() const { return jour_; }
    // A race of tracks: the order computed at t (by distance to the
    // finish, or by name), headed as computed; rebuilt when the order
    // changes or an hour of race time has passed.
    void montre_calcule(const Chronologie& c, Instant t, const EnsembleConcurrents& concurrents);

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    // The rows' height and font so that every row is in sight, and the
    // width the content takes.
    void ajuste_taille();
    int jour_ = -2;
    std::vector<int> entrants_;  // entrant of each row
    Instant t_calcule_ = INT64_MIN;
};

// Entrant i's sample line: its colour, solid or dashed.
QIcon echantillon(int i);

}  // namespace orv
