// The replay's panel ("&Trajets"): the entrants, the period, what to write
// beside each fix and the progression; OK, Annuler, Exporter….
#pragma once

#include "rendu_course.h"
#include "trajets.h"

#include <QFrame>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;
class QListWidget;
class QPushButton;

namespace orv {

class PanneauTrajets : public QFrame {
public:
    // The entrants of race `c` in its list.
    PanneauTrajets(QWidget* parent, const Course& c);

    // The controls, by their historical names.
    QListWidget* ListBoxConc = nullptr;
    QCheckBox *ChbxToutCourse = nullptr, *ChbxEnt2dt = nullptr;
    QWidget* Panel1 = nullptr;
    QComboBox *ComboBox1 = nullptr, *ComboBox2 = nullptr;
    QCheckBox *ChbxDate = nullptr, *ChbxVit = nullptr, *ChbxClass = nullptr, *ChBXDist = nullptr,
              *ChBxDistPrel = nullptr;
    QGroupBox *RDGmode = nullptr, *GPBCad = nullptr;
    QLineEdit* EdCad = nullptr;
    QWidget* UpDown1 = nullptr;
    QPushButton *BTokTraj = nullptr, *BTAnnulTraj = nullptr, *BTExporter = nullptr;

    // The buttons' commands.
    std::function<void()> ok, annuler, exporter;

    // The date lists of an assembled archive (no date chosen yet), or empty.
    void remplit_dates(const ArchiveJours* a);
    int index_mode() const;  // RDGmode: 0 instant, 1 timed, 2 manual, 3 continuous
    static constexpr int MODE_CONTINU = 3;
    void choisit_mode(int k);
    void RDGmodeClick();
    void traj_det_val_dist();
    void Traj_date_sel_tout_course();
    void Traj_date_sel_ent2dt();
    // The entrants and period chosen; false with the French message when
    // none is chosen or a date is missing.
    bool selection(SelectionTrajets& s, QString& message) const;
    // What to write beside each fix, as plain values.
    AnnotationsTrajets annotations() const;
    // The timed period from EdCad: a whole number of seconds from 0 to an
    // hour; other text keeps `precedente` (milliseconds) and shows it again.
    int periode_cadence(int precedente);
    int periode_cadence_ms = 3000;

private:
    QButtonGroup* modes_ = nullptr;
};

// The two-entrant distance option of the replay: exactly two entrants and
// a step-by-step mode (index 1 timed, 2 manual or 3 continuous, not 0
// instant).
bool distance_entre_deux_permise(int nb_selectionnes, int index_mode);

}  // namespace orv
