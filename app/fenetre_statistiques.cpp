#include "fenetre_statistiques.h"

#include "exports.h"
#include "classement.h"
#include "palette.h"
#include "traduction.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QDateTimeAxis>
#include <QFileDialog>
#include <QHeaderView>
#include <QLegendMarker>
#include <QMouseEvent>
#include <QLineSeries>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTabWidget>
#include <QTableView>
#include <QToolTip>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QWheelEvent>
#include <cmath>

namespace orv {

namespace {

qint64 msecs(const QDate& d) { return QDateTime(d, QTime(12, 0), Qt::UTC).toMSecsSinceEpoch(); }


QDateTimeAxis* axe_du_temps(QChart* c) { return qobject_cast<QDateTimeAxis*>(c->axes(Qt::Horizontal).value(0)); }

}  // namespace

void trait_vertical(QChart* c, const QString& nom, const QPen& plume, double x, bool visible)
{
    QLineSeries* l = nullptr;
    for (QAbstractSeries* a : c->series())
        if (a->objectName() == nom)
            l = qobject_cast<QLineSeries*>(a);
    if (!l) {
        if (!visible)
            return;
        l = new QLineSeries;
        l->setObjectName(nom);
        l->setPen(plume);
        c->addSeries(l);
        for (QAbstractAxis* a : c->axes())
            l->attachAxis(a);
        for (QLegendMarker* m : c->legend()->markers(l))
            m->setVisible(false);
    }
    const auto* y = qobject_cast<QValueAxis*>(c->axes(Qt::Vertical).value(0));
    if (y)
        l->replace({QPointF(x, y->min()), QPointF(x, y->max())});
    l->setVisible(visible);
}


VueGraphique::VueGraphique(QChart* c) : QChartView(c) { retient_periode(); }

void VueGraphique::retient_periode()
{
    if (QDateTimeAxis* x = axe_du_temps(chart())) {
        debut_ = double(x->min().toMSecsSinceEpoch());
        fin_ = double(x->max().toMSecsSinceEpoch());
    }
}

void VueGraphique::mousePressEvent(QMouseEvent* e)
{
    if (clic && e->button() == Qt::LeftButton && !chart()->series().isEmpty() &&
        chart()->plotArea().contains(e->position())) {
        const double v = chart()->mapToValue(e->position(), chart()->series().first()).x();
        clic(QDateTime::fromMSecsSinceEpoch(qint64(v), Qt::UTC));
    }
    QChartView::mousePressEvent(e);
}

void VueGraphique::wheelEvent(QWheelEvent* e)
{
    QDateTimeAxis* x = axe_du_temps(chart());
    if (!x || chart()->series().isEmpty() || e->angleDelta().y() == 0 || fin_ <= debut_) {
        QChartView::wheelEvent(e);
        return;
    }
    const double v = chart()->mapToValue(e->position(), chart()->series().first()).x();
    const double a = double(x->min().toMSecsSinceEpoch()), b = double(x->max().toMSecsSinceEpoch());
    const double f = e->angleDelta().y() > 0 ? 1 / 1.25 : 1.25;
    double na = v - (v - a) * f, nb = v + (b - v) * f;
    if (nb - na < 2 * 86400000.0)
        return;  // two days at least
    // Never wider than the period, nor outside it.
    if (nb - na >= fin_ - debut_) {
        na = debut_;
        nb = fin_;
    } else if (na < debut_) {
        nb += debut_ - na;
        na = debut_;
    } else if (nb > fin_) {
        na -= nb - fin_;
        nb = fin_;
    }
    x->setRange(QDateTime::fromMSecsSinceEpoch(qint64(na), Qt::UTC), QDateTime::fromMSecsSinceEpoch(qint64(nb), Qt::UTC));
    e->accept();
}

QChart* graphique_course(const StatistiquesCourse& s, bool rangs, bool sombre)
{
    auto* c = new QChart;
    c->setTheme(sombre ? QChart::ChartThemeDark : QChart::ChartThemeLight);
    QFont police(QStringLiteral("Arial"));
    police.setPixelSize(11);
    c->setFont(police);
    c->legend()->setFont(police);
    c->legend()->setAlignment(Qt::AlignRight);
    c->setTitle(rangs ? Texte::tr("Rang jour par jour") : Texte::tr("Écart au leader (milles)"));
    auto* x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("dd/MM/yyyy"));
    x->setTickCount(8);
    x->setRange(QDateTime(s.premier_jour, QTime(0, 0), Qt::UTC), QDateTime(s.dernier_jour, QTime(23, 59), Qt::UTC));
    x->setLabelsFont(police);
    auto* y = new QValueAxis;
    y->setReverse(true);  // the leader, or rank 1, along the top
    y->setLabelsFont(police);
    y->setLabelFormat(QStringLiteral("%d"));
    double max = 1;
    c->addAxis(x, Qt::AlignBottom);
    c->addAxis(y, Qt::AlignLeft);
    const int n = int(s.bilans.size()) - 1;
    for (int i = 1; i <= n; ++i) {
        const BilanConcurrent& b = s.bilans[size_t(i)];
        auto* l = new QLineSeries;
        l->setName(b.skipper);
        // The entrant's colour and line style, as in the film.
        QPen p(qcouleur_entrant(i));
        p.setWidthF(1.5);
        if (tirets_entrant(i))
            p.setStyle(Qt::DashLine);
        l->setPen(p);
        for (const PointCourse& pt : b.points) {
            if (rangs && pt.rang == 0)
                continue;  // not ranked that day
            const double v = rangs ? pt.rang : pt.ecart;
            l->append(double(msecs(pt.date)), v);
            max = std::max(max, v);
        }
        c->addSeries(l);
        l->attachAxis(x);
        l->attachAxis(y);
    }
    if (rangs) {
        // One tick per rank, so that every label stands on its own line.
        y->setRange(1, std::max(n, 2));
        y->setTickCount(std::max(n, 2));
        y->setTitleText(Texte::tr("Rang"));
    } else {
        y->setRange(0, max * 1.02);
        y->applyNiceNumbers();
        // After the first arrival the files give each one's distance to the
        // finish: the line marks it, the axis says so.
        QDate arrivee;
        for (size_t i = 1; i < s.bilans.size(); ++i)
            if (const QDate d = s.bilans[i].date_arrivee; d.isValid() && (!arrivee.isValid() || d < arrivee))
                arrivee = d;
        if (arrivee.isValid()) {
            QPen p(QColor(0xC0, 0x30, 0x30));
            p.setStyle(Qt::DashLine);
            p.setWidthF(1.5);
            trait_vertical(c, QStringLiteral("arrivee"), p, double(msecs(arrivee)), true);
            y->setTitleText(Texte::tr("Milles derrière le leader, puis jusqu'à l'arrivée (après le %1)")
                                .arg(arrivee.toString(QStringLiteral("dd/MM/yyyy"))));
        } else {
            y->setTitleText(Texte::tr("Milles derrière le leader"));
        }
    }
    return c;
}

QImage image_des_ecarts(const StatistiquesCourse& s, QSize taille, double echelle)
{
    QChartView v(graphique_course(s, false, true));
    v.setRenderHint(QPainter::Antialiasing);
    // Laid out as a shown window is, without reaching any screen.
    v.setAttribute(Qt::WA_DontShowOnScreen);
    v.resize(taille);
    v.show();
    QCoreApplication::processEvents();
    if (echelle == 1)
        return v.grab().toImage().convertToFormat(QImage::Format_RGB32);
    // Drawn at the picture's own density, as on such a screen.
    QImage img(qRound(taille.width() * echelle), qRound(taille.height() * echelle), QImage::Format_RGB32);
    img.setDevicePixelRatio(echelle);
    img.fill(Qt::black);
    QPainter p(&img);
    v.render(&p);
    p.end();
    return img;
}

FenetreStatistiques::FenetreStatistiques(const StatistiquesCourse& s, bool sombre, QWidget* parent)
    : QWidget(parent, Qt::Window), s_(s)
{
    setWindowTitle(Texte::tr("Statistiques de la course"));
    resize(980, 640);
    QFont police(QStringLiteral("Arial"));
    police.setPixelSize(12);
    setFont(police);
    auto* disposition = new QVBoxLayout(this);
    onglets = new QTabWidget(this);
    disposition->addWidget(onglets);

    vue_ecarts = new VueGraphique(graphique_course(s, false, sombre));
    vue_ecarts->setRenderHint(QPainter::Antialiasing);
    vue_rangs = new VueGraphique(graphique_course(s, true, sombre));
    vue_rangs->setRenderHint(QPainter::Antialiasing);
    relie(vue_ecarts->chart(), false);
    relie(vue_rangs->chart(), true);
    for (QChartView* v : {vue_ecarts, vue_rangs})
        static_cast<VueGraphique*>(v)->clic = [this](const QDateTime& t) {
            if (va_a_instant)
                va_a_instant(t);
        };
    onglets->addTab(vue_ecarts, Texte::tr("Écart au leader"));
    onglets->addTab(vue_rangs, Texte::tr("Rangs"));

    // The record of each entrant, sortable by any column (numbers by value).
    auto* bilan = new QWidget;
    auto* vb = new QVBoxLayout(bilan);
    table = new QTableView;
    modele = new QStandardItemModel(0, 9, table);
    const QStringList entete = table_bilan(s, u',').first().split(QStringLiteral("  "), Qt::SkipEmptyParts);
    modele->setHorizontalHeaderLabels({Texte::tr("Rang"), Texte::tr("Skipper"), Texte::tr("Bateau"),
                                       Texte::tr("Distance parcourue (milles)"), Texte::tr("Vitesse moyenne (nœuds)"),
                                       Texte::tr("Meilleur jour (milles)"), Texte::tr("Date du meilleur jour"),
                                       Texte::tr("Jours de course"), Texte::tr("Statut")});
    Q_UNUSED(entete);
    const QChar sep = separateur_decimal_utilisateur();
    for (size_t i = 1; i < s.bilans.size(); ++i) {
        const BilanConcurrent& b = s.bilans[i];
        QList<QStandardItem*> l;
        auto cellule = [&](const QString& texte, const QVariant& tri, bool droite) {
            auto* it = new QStandardItem(texte);
            it->setData(tri, Qt::UserRole);
            it->setEditable(false);
            if (droite)
                it->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
            l << it;
        };
        cellule(b.rang_final > 0 ? QString::number(b.rang_final) : QStringLiteral("NC"), b.rang_final > 0 ? b.rang_final : 1000, true);
        cellule(b.skipper, b.skipper, false);
        cellule(b.bateau, b.bateau, false);
        cellule(nombre_decimal(b.distance, 0, sep), b.distance, true);
        cellule(nombre_decimal(b.vitesse_moyenne, 2, sep), b.vitesse_moyenne, true);
        cellule(nombre_decimal(b.meilleur_jour, 0, sep), b.meilleur_jour, true);
        cellule(b.date_meilleur_jour.toString(QStringLiteral("dd/MM/yyyy")), b.date_meilleur_jour, false);
        cellule(QString::number(b.jours_de_course), b.jours_de_course, true);
        cellule(b.statut, b.statut, false);
        modele->appendRow(l);
    }
    modele->setSortRole(Qt::UserRole);
    table->setModel(modele);
    table->setSortingEnabled(true);
    table->sortByColumn(0, Qt::AscendingOrder);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table->horizontalHeader()->setStretchLastSection(true);
    vb->addWidget(table);
    auto* exporter = new QPushButton(Texte::tr("Exporter CSV…"));
    exporter->setObjectName(QStringLiteral("ExporterCSV"));
    vb->addWidget(exporter, 0, Qt::AlignRight);
    QObject::connect(exporter, &QPushButton::clicked, this, [this] { exporte_csv(); });
    onglets->addTab(bilan, Texte::tr("Bilan"));

    choisit_fichier_csv = [this] {
        QString f = QFileDialog::getSaveFileName(this, Texte::tr("Exporter le bilan"), QStringLiteral("bilan.csv"),
                                                 QStringLiteral("CSV (*.csv)"));
        if (!f.isEmpty() && !f.endsWith(QLatin1String(".csv"), Qt::CaseInsensitive))
            f += QStringLiteral(".csv");
        return f;
    };
}

const PointCourse* FenetreStatistiques::point_proche(int i, const QPointF& valeur) const
{
    const BilanConcurrent& b = s_.bilans[size_t(std::clamp(i, 1, int(s_.bilans.size()) - 1))];
    const PointCourse* meilleur = nullptr;
    double ecart = 0;
    for (const PointCourse& p : b.points) {
        const double d = std::fabs(double(msecs(p.date)) - valeur.x());
        if (!meilleur || d < ecart) {
            meilleur = &p;
            ecart = d;
        }
    }
    return meilleur;
}

QString FenetreStatistiques::bulle(int i, const QPointF& valeur) const
{
    const PointCourse* p = point_proche(i, valeur);
    return p ? texte_point(s_.bilans[size_t(i)], *p) : QString();
}

void FenetreStatistiques::montre_instant(const QDateTime& t)
{
    instant_ = t;
    QPen p(QApplication::palette().color(QPalette::Highlight));
    p.setWidthF(2);
    for (QChartView* v : {vue_ecarts, vue_rangs})
        if (v)
            trait_vertical(v->chart(), QStringLiteral("curseur"), p, double(t.toMSecsSinceEpoch()), t.isValid());
}

void FenetreStatistiques::relie(QChart* c, bool rangs)
{
    Q_UNUSED(rangs);
    const QList<QAbstractSeries*> series = c->series();
    // The entrants' lines, in their order (the marks drawn after them are not).
    for (int k = 0; k < std::min<int>(series.size(), int(s_.bilans.size()) - 1); ++k) {
        auto* l = qobject_cast<QLineSeries*>(series[k]);
        const int i = k + 1;
        QObject::connect(l, &QLineSeries::hovered, this, [this, i](const QPointF& p, bool dessus) {
            if (dessus)
                QToolTip::showText(QCursor::pos(), bulle(i, p));
            else
                QToolTip::hideText();
        });
        QObject::connect(l, &QLineSeries::clicked, this, [this, i](const QPointF& p) {
            if (va_a_instant && va_a_instant(QDateTime::fromMSecsSinceEpoch(qint64(p.x()), Qt::UTC)))
                return;
            if (const PointCourse* pt = point_proche(i, p); pt && ouvre_jour)
                ouvre_jour(pt->date);
        });
    }
    // A click on an entrant's name in the legend hides or shows its line.
    for (QLegendMarker* m : c->legend()->markers()) {
        QObject::connect(m, &QLegendMarker::clicked, this, [m] {
            QAbstractSeries* s = m->series();
            s->setVisible(!s->isVisible());
            m->setVisible(true);
            QFont f = m->font();
            f.setStrikeOut(!s->isVisible());
            m->setFont(f);
        });
    }
}

void FenetreStatistiques::exporte_csv()
{
    const QString chemin = choisit_fichier_csv ? choisit_fichier_csv() : QString();
    if (chemin.isEmpty())
        return;
    QString err;
    if (!ecrit_csv_bilan(s_, chemin, err) && message)
        message(err);
}

}  // namespace orv
