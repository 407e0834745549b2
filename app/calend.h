// TFCalend: the calendar dialog that chooses the race day. Created once,
// shown modally, it keeps its date between showings; "&Valider" computes
// the date state (long date text, day code).
#pragma once

#include <QDate>
#include <QDialog>
#include <memory>
#include <vector>

class QCalendarWidget;
class QLabel;
class QPushButton;

namespace orv {

// The dates the day count and the weekday rules agree on.
inline const QDate DATE_MIN(1900, 3, 1);
inline const QDate DATE_MAX(2100, 2, 28);

// A French short day name as the grid's header shows it: "dim." -> "dim".
QString nom_jour_court(QString nom);

struct EtatDate;

class TFCalend : public QDialog {
public:
    explicit TFCalend(QWidget* parent = nullptr);
    ~TFCalend() override;

    // The date state the dialog shows its month in and validates into (the
    // caller's; a state of its own until one is given).
    EtatDate* date;

    QCalendarWidget* Calendar = nullptr;
    QLabel* LBmoisAn = nullptr;
    QPushButton *BTmoisP = nullptr, *BTmoisS = nullptr, *BTanneeP = nullptr, *BTanneeS = nullptr,
                *BTValid = nullptr;

    // Sets the grid's selected day (and the month shown).
    void choisit(const QDate& d);
    // The race's days from `premier` to `dernier`: those of `avec_fichier`
    // in bold, the others greyed (still choosable).
    void marque_jours(const std::vector<QDate>& avec_fichier, const QDate& premier, const QDate& dernier);
    // A line inside the dialog (and its title) saying why a day was not
    // shown; empty: none.
    void avis(const QString& texte);
    QLabel* LBavis = nullptr;
    // The month/year label and the month texts of the date state.
    void FormPaint();
    void BTValidClick();

private:
    void deplace(int mois, int annees);
    std::unique_ptr<EtatDate> propre_;
};

}  // namespace orv
