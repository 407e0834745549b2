#include "classement_film.h"

#include "palette.h"
#include "traduction.h"

#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QScrollBar>
#include <QTableWidget>
#include <QVBoxLayout>

namespace orv {

QIcon echantillon(int i)
{
    // The entrant's line as the film draws its trail: its colour, solid or
    // dashed.
    QPixmap p(24, 12);
    p.fill(Qt::transparent);
    QPainter k(&p);
    QPen plume(qcouleur_entrant(i), 3, tirets_entrant(i) ? Qt::DashLine : Qt::SolidLine, Qt::FlatCap);
    if (tirets_entrant(i))
        plume.setDashPattern({2, 1.5});
    k.setPen(plume);
    k.drawLine(1, 6, 23, 6);
    return QIcon(p);
}

ClassementFilm::ClassementFilm(QWidget* parent) : QWidget(parent)
{
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(2, 2, 2, 2);
    titre = new QLabel(this);
    titre->setWordWrap(true);
    table = new QTableWidget(0, 4, this);
    table->setHorizontalHeaderLabels({Texte::tr("Rang"), Texte::tr("Skipper"), Texte::tr("Bateau"),
                                      Texte::tr("Distance")});
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->setIconSize(QSize(24, 12));
    // Compact rows: 24 of them beside the chart.
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    // The film's keys stay the window's.
    table->setFocusPolicy(Qt::NoFocus);
    setFocusPolicy(Qt::NoFocus);
    l->addWidget(titre);
    l->addWidget(table, 1);
    connect(table, &QTableWidget::cellClicked, this, [this](int ligne, int) {
        if (suit && ligne >= 0 && ligne < int(entrants_.size()))
            suit(entrants_[size_t(ligne)]);
    });
}

void ClassementFilm::montre(const Chronologie& c, int jour, const std::bitset<NB_CONCURRENTS + 1>& concurrents)
{
    if (jour == jour_)
        return;
    jour_ = jour;
    entrants_.clear();
    table->setRowCount(0);
    if (jour < 0) {
        titre->setText(Texte::tr("Aucun classement publié"));
        return;
    }
    titre->setText(titre_classement(c.publication(jour)));
    for (const Chronologie::Ligne& r : c.classement(jour)) {
        if (!concurrents.test(size_t(r.i)))
            continue;
        const int n = table->rowCount();
        table->insertRow(n);
        entrants_.push_back(r.i);
        auto* rang = new QTableWidgetItem(r.r->non_classe ? QStringLiteral("NC") : QString::number(r.r->rang));
        rang->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* skipper = new QTableWidgetItem(noms_conc[size_t(r.i)]);
        skipper->setIcon(echantillon(r.i));
        auto* bateau = new QTableWidgetItem(r.r->bateau.trimmed());
        auto* distance = new QTableWidgetItem(r.r->non_classe ? QString() : QString::number(double(r.r->distance), 'f', 1));
        distance->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(n, 0, rang);
        table->setItem(n, 1, skipper);
        table->setItem(n, 2, bateau);
        table->setItem(n, 3, distance);
    }
    // Every column in sight, beside the chart, within reason.
    table->resizeColumnsToContents();
    table->setMinimumWidth(std::min(360, table->horizontalHeader()->length() + 2 * table->frameWidth() +
                                             table->verticalScrollBar()->sizeHint().width()));
}

}  // namespace orv
