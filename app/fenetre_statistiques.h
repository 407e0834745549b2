// The statistics window: the race trace (miles behind the leader, day by
// day), the ranks day by day, and each entrant's record in a sortable table
// with its CSV export.
#pragma once

#include "statistiques.h"

#include <QChartView>
#include <QDateTime>
#include <QPen>
#include <QWidget>
#include <array>
#include <functional>

class QStandardItemModel;
class QTableView;
class QTabWidget;

namespace orv {

// A chart of time: the wheel zooms its time axis around the pointer, from
// two days to the whole period; a press in the plot area gives the instant
// under it.
class VueGraphique : public QChartView {
public:
    explicit VueGraphique(QChart* c);
    std::function<void(const QDateTime&)> clic;
    // The period the wheel keeps within: the time axis's range now (after
    // another chart was set).
    void retient_periode();

protected:
    void mousePressEvent(QMouseEvent* e) override;
    void wheelEvent(QWheelEvent* e) override;

private:
    double debut_ = 0, fin_ = 0;
};

// A vertical line at x across chart c's values (an instant, an arrival): a
// series of its own named `nom`, out of the legend, made at its first use.
void trait_vertical(QChart* c, const QString& nom, const QPen& plume, double x, bool visible);

// The chart of the race trace (`rangs` false: miles behind the leader,
// reversed so that the leader runs along the top) or of the ranks (rank 1
// at the top): one line per entrant in its colour, dates along the bottom.
// `sombre`: the program's dark background.
QChart* graphique_course(const StatistiquesCourse& s, bool rangs, bool sombre);

// The race trace rendered without a screen (for --png --ecarts).
QImage image_des_ecarts(const StatistiquesCourse& s, QSize taille, double echelle = 1);

class FenetreStatistiques : public QWidget {
public:
    FenetreStatistiques(const StatistiquesCourse& s, bool sombre, QWidget* parent = nullptr);

    // A click on either chart: the film moves to that instant when it is
    // open (va_a_instant true), else the day of the point clicked is loaded
    // in the main window.
    std::function<void(const QDate&)> ouvre_jour;
    std::function<bool(const QDateTime&)> va_a_instant;
    // The film's instant as a vertical cursor on both charts (invalid: none).
    void montre_instant(const QDateTime& t);
    QDateTime instant_montre() const { return instant_; }
    // The CSV's file, asked by a dialog (a script in the tests).
    std::function<QString()> choisit_fichier_csv;
    std::function<void(const QString&)> message;

    QTabWidget* onglets = nullptr;
    QChartView* vue_ecarts = nullptr;
    QChartView* vue_rangs = nullptr;
    QTableView* table = nullptr;
    QStandardItemModel* modele = nullptr;

    // What a hover or a click at a value of chart `rangs` (false: the
    // trace) of entrant i finds: the nearest day it raced.
    const PointCourse* point_proche(int i, const QPointF& valeur) const;
    // The text shown while hovering that point.
    QString bulle(int i, const QPointF& valeur) const;
    void exporte_csv();

private:
    void relie(QChart* c, bool rangs);
    QDateTime instant_;
    StatistiquesCourse s_;
};

}  // namespace orv
