#include "classement_film.h"

#include "palette.h"
#include "traduction.h"

#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
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
                                      Texte::tr("Écart (milles)")});
    table->setWordWrap(false);
    table->setTextElideMode(Qt::ElideRight);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->verticalHeader()->hide();
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table->setIconSize(QSize(24, 12));
    // Compact rows: 24 of them beside the chart.
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    // The film's keys stay the window's.
    table->setFocusPolicy(Qt::NoFocus);
    setFocusPolicy(Qt::NoFocus);
    l->addWidget(titre);
    l->addWidget(table, 1);
    connect(table, &QTableWidget::cellClicked, this, [this](int ligne, int) {
        if (ligne < 0 || ligne >= int(entrants_.size()))
            return;
        const int i = entrants_[size_t(ligne)];
        if (compare && QGuiApplication::keyboardModifiers().testFlag(Qt::ControlModifier))
            compare(i);
        else if (suit)
            suit(i);
    });
}

void ClassementFilm::montre(const Chronologie& c, int jour, const EnsembleConcurrents& concurrents)
{
    if (jour == jour_)
        return;
    jour_ = jour;
    entrants_.clear();
    table->setRowCount(0);
    if (jour < 0) {
        titre->setText(Texte::tr("Aucun classement publié"));
        ajuste_taille();
        return;
    }
    titre->setText(titre_classement(c.publication(jour)));
    table->horizontalHeaderItem(3)->setText(Texte::tr("Écart (milles)"));
    const QLocale langue(Texte::tr("fr_FR", "locale of the dates"));
    for (const Chronologie::Ligne& r : c.classement(jour)) {
        if (!concurrents.test(size_t(r.i)))
            continue;
        const int n = table->rowCount();
        table->insertRow(n);
        entrants_.push_back(r.i);
        // A retirement, an arrival, a stop: its status, not a rank and a
        // distance (the harbour's placeholder's zero).
        const bool statut = statut_a_la_place(*r.r);
        // An arrival keeps its rank (the order of the finish); a retirement
        // or a stop has none worth reading.
        const bool arrive = r.r->date_txt.startsWith(QStringLiteral("Arrivé"));
        auto* rang = new QTableWidgetItem(statut && !arrive ? QString()
                                          : r.r->non_classe ? QStringLiteral("NC")
                                                            : QString::number(r.r->rang));
        rang->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* skipper = new QTableWidgetItem(c.course().nom_conc(r.i));
        skipper->setIcon(echantillon(r.i));
        skipper->setToolTip(r.r->bateau.trimmed());
        auto* bateau = new QTableWidgetItem(r.r->bateau.trimmed());
        QString ecart;
        if (statut)
            ecart = r.r->date_txt;
        else if (!r.r->non_classe && !r.r->distance_absente)
            ecart = r.r->rang == 1 ? Texte::tr("à l'arrivée : %1").arg(langue.toString(double(r.r->distance), 'f', 1))
                                   : langue.toString(double(r.r->distance), 'f', 1);
        auto* distance = new QTableWidgetItem(ecart);
        distance->setTextAlignment((statut ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
        if (statut) {
            distance->setToolTip(ecart);
            distance->setData(Qt::UserRole, true);  // elided when the window is narrow
        }
        table->setItem(n, 0, rang);
        table->setItem(n, 1, skipper);
        table->setItem(n, 2, bateau);
        table->setItem(n, 3, distance);
    }
    ajuste_taille();
}

void ClassementFilm::montre_calcule(const Chronologie& c, Instant t, const EnsembleConcurrents& concurrents)
{
    std::vector<Chronologie::Calcule> ordre;
    for (const Chronologie::Calcule& k : c.ordre_calcule(t))
        if (concurrents.test(size_t(k.i)))
            ordre.push_back(k);
    std::vector<int> qui(ordre.size());
    for (size_t k = 0; k < ordre.size(); ++k)
        qui[k] = ordre[k].i;
    if (jour_ == -3 && qui == entrants_ && std::abs(t - t_calcule_) < UNE_HEURE)
        return;
    jour_ = -3;
    t_calcule_ = t;
    entrants_ = qui;
    const bool distance = c.course().arrivee_connue;
    titre->setText(distance ? Texte::tr("Classement calculé (distance à l'arrivée, milles)")
                            : Texte::tr("Ordre alphabétique (la course ne donne pas d'arrivée)"));
    table->horizontalHeaderItem(3)->setText(distance ? Texte::tr("À l'arrivée (milles)") : QString());
    const QLocale langue(Texte::tr("fr_FR", "locale of the dates"));
    table->setRowCount(int(ordre.size()));
    for (size_t k = 0; k < ordre.size(); ++k) {
        const int i = ordre[k].i;
        const Concurrent& e = c.course().concurrents[size_t(i)];
        auto* rang = new QTableWidgetItem(distance ? QString::number(k + 1) : QString());
        rang->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        auto* skipper = new QTableWidgetItem(e.skipper);
        skipper->setIcon(echantillon(i));
        skipper->setToolTip(e.bateau);
        auto* d = new QTableWidgetItem(distance ? langue.toString(ordre[k].distance, 'f', 1) : QString());
        d->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
        table->setItem(int(k), 0, rang);
        table->setItem(int(k), 1, skipper);
        table->setItem(int(k), 2, new QTableWidgetItem(e.bateau));
        table->setItem(int(k), 3, d);
    }
    ajuste_taille();
}

void ClassementFilm::resizeEvent(QResizeEvent* e)
{
    QWidget::resizeEvent(e);
    ajuste_taille();
}

void ClassementFilm::ajuste_taille()
{
    // Rows as low as it takes, down to a small font, for every row in the
    // height the table has.
    const int n = std::max(1, table->rowCount());
    QFont police = font();
    const int normale = QFontMetrics(police).height() + 4;
    const int dispo = table->height() - table->horizontalHeader()->sizeHint().height() - 2 * table->frameWidth();
    int hauteur = normale;
    if (table->height() > 0 && n * normale > dispo) {
        hauteur = std::max(QFontMetrics(police).height() * 3 / 4 + 2, dispo / n);
        police.setPixelSize(std::max(8, hauteur - 4));
    }
    table->setFont(police);
    table->verticalHeader()->setDefaultSectionSize(hauteur);
    table->verticalHeader()->setMinimumSectionSize(std::min(hauteur, table->verticalHeader()->minimumSectionSize()));
    // As wide as its content. Beside a narrow chart (more than 30 % of the
    // window): without the boats' names (the skipper's tooltip gives them),
    // then with the statuses elided (their text in a tooltip).
    const QFontMetrics fm(police);
    int largeur = 0;
    auto mesure = [&](bool statuts) {
        largeur = 2 * table->frameWidth();
        for (int c = 0; c < table->columnCount(); ++c) {
            const QTableWidgetItem* entete = table->horizontalHeaderItem(c);
            int w = QFontMetrics(table->horizontalHeader()->font()).horizontalAdvance(entete ? entete->text() : QString()) + 16;
            for (int r = 0; r < table->rowCount(); ++r) {
                const QTableWidgetItem* i = table->item(r, c);
                if (!i || (!statuts && i->data(Qt::UserRole).toBool()))
                    continue;
                w = std::max(w, fm.horizontalAdvance(i->text()) + (i->icon().isNull() ? 0 : table->iconSize().width() + 4) + 12);
            }
            table->horizontalHeader()->resizeSection(c, w);
            if (!table->isColumnHidden(c))
                largeur += w;
        }
        if (n * hauteur > dispo)
            largeur += table->verticalScrollBar()->sizeHint().width();
    };
    const int limite = window()->width() * 3 / 10;
    table->setColumnHidden(2, false);
    mesure(true);
    if (largeur > limite) {
        table->setColumnHidden(2, true);
        mesure(true);
    }
    if (largeur > limite)
        mesure(false);
    const QMargins m = layout()->contentsMargins();
    setFixedWidth(largeur + m.left() + m.right());
}

}  // namespace orv
