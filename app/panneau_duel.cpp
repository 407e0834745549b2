#include "panneau_duel.h"

#include "fenetre_statistiques.h"
#include "palette.h"
#include "traduction.h"

#include <QApplication>
#include <QChart>
#include <QDateTimeAxis>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineSeries>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValueAxis>
#include <cmath>

namespace orv {

namespace {
constexpr int LIGNES_GRAPHIQUE = 600;  // rows of the chart over the period

qint64 ms(Instant t) { return date_de(t).toMSecsSinceEpoch(); }

// Numbers as the leaderboard writes them, in the program's language.
QString nombre(double v) { return QLocale(Texte::tr("fr_FR", "locale of the dates")).toString(v, 'f', 1); }
}  // namespace

PanneauDuel::PanneauDuel(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("PanneauDuel"));
    auto* l = new QVBoxLayout(this);
    l->setContentsMargins(6, 4, 6, 4);
    auto* haut = new QHBoxLayout;
    titre = new QLabel(this);
    QFont gras = titre->font();
    gras.setBold(true);
    titre->setFont(gras);
    haut->addWidget(titre, 1);
    auto* fermer = new QToolButton(this);
    fermer->setObjectName(QStringLiteral("FermerDuel"));
    fermer->setText(QStringLiteral("×"));
    fermer->setToolTip(Texte::tr("Fermer la comparaison"));
    connect(fermer, &QToolButton::clicked, this, [this] {
        if (ferme)
            ferme();
    });
    haut->addWidget(fermer);
    l->addLayout(haut);
    texte = new QLabel(this);
    texte->setObjectName(QStringLiteral("FiguresDuel"));
    texte->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->addWidget(texte);
    vue = new VueGraphique(new QChart);
    vue->setParent(this);
    vue->setRenderHint(QPainter::Antialiasing);
    vue->setMinimumSize(320, 220);
    vue->clic = [this](const QDateTime& d) {
        if (va_a)
            va_a(instant_de(d));
    };
    l->addWidget(vue, 1);
}

void PanneauDuel::compare(const Chronologie& c, int a, int b, Instant debut, Instant fin)
{
    c_ = &c;
    a_ = a;
    b_ = b;
    cursor_ = INT64_MIN;
    const Course& course = c.course();
    titre->setText(Texte::tr("%1 contre %2").arg(course.nom_conc(a), course.nom_conc(b)));
    const Instant pas = std::max<Instant>(600, (fin - debut) / LIGNES_GRAPHIQUE);
    pas_ = duel(c, a, b, debut, fin, pas);
    t0_connu_ = false;
    for (const PasDuel& p : pas_)
        if (p.deux) {
            t0_ = p.t;
            t0_connu_ = true;
            break;
        }

    // The chart made anew: the separation and, with a finish, the gain.
    auto* g = new QChart;
    QFont police(QStringLiteral("Arial"));
    police.setPixelSize(10);
    g->setFont(police);
    g->legend()->setFont(police);
    g->legend()->setAlignment(Qt::AlignBottom);
    g->setMargins(QMargins(2, 2, 2, 2));
    auto* x = new QDateTimeAxis;
    x->setFormat(QStringLiteral("dd/MM"));
    x->setTickCount(5);
    x->setLabelsFont(police);
    x->setRange(date_de(debut), date_de(std::max(fin, debut + 1)));
    auto* y = new QValueAxis;
    y->setLabelsFont(police);
    y->setLabelFormat(QStringLiteral("%d"));
    y->setTitleText(Texte::tr("milles"));
    g->addAxis(x, Qt::AlignBottom);
    g->addAxis(y, Qt::AlignLeft);
    auto* ecart = new QLineSeries;
    ecart->setName(Texte::tr("Écart"));
    ecart->setPen(QPen(QColor(0x30, 0x60, 0xC0), 1.5));
    auto* gain = new QLineSeries;
    gain->setName(Texte::tr("Gain de %1").arg(course.nom_conc(a)));
    gain->setPen(QPen(QColor(0xD0, 0x70, 0x10), 1.5));
    double bas = 0, haut = 1;
    for (const PasDuel& p : pas_) {
        if (!p.deux)
            continue;
        ecart->append(double(ms(p.t)), p.ecart);
        haut = std::max(haut, p.ecart);
        if (p.gain_connu) {
            gain->append(double(ms(p.t)), p.gain);
            bas = std::min(bas, p.gain);
            haut = std::max(haut, p.gain);
        }
    }
    for (QLineSeries* s : {ecart, gain}) {
        g->addSeries(s);
        s->attachAxis(x);
        s->attachAxis(y);
    }
    y->setRange(bas, haut);
    y->applyNiceNumbers();
    QChart* ancien = vue->chart();
    vue->setChart(g);
    vue->retient_periode();
    delete ancien;
    texte->clear();
}

QStringList PanneauDuel::figures(Instant t) const
{
    if (!c_)
        return {};
    const Course& course = c_->course();
    const QString na = course.nom_conc(a_), nb = course.nom_conc(b_);
    // The moment, and with it the comparison's first instant for the gain.
    const bool avec_t0 = t0_connu_ && t > t0_;
    const std::vector<PasDuel> r = avec_t0 ? duel(*c_, a_, b_, t0_, t, t - t0_) : duel(*c_, a_, b_, t, t, 1);
    if (r.empty())
        return {};
    const PasDuel& p = r.back();
    QStringList l;
    l << date_de(t).toString(QStringLiteral("dd/MM/yyyy HH'h'mm 'UTC'"));
    if (!p.deux) {
        l << Texte::tr("%1 ou %2 n'a pas de position à cet instant.").arg(na, nb);
        return l;
    }
    l << Texte::tr("Écart : %1 milles, relèvement %2° de %3 vers %4")
             .arg(nombre(p.ecart))
             .arg(int(std::lround(p.releve)) % 360, 3, 10, QLatin1Char('0'))
             .arg(na, nb);
    for (const auto& [nom, pos] : {std::pair{na, p.a}, std::pair{nb, p.b}})
        l << (pos.en_route ? Texte::tr("%1 : cap %2°, %3 nœuds")
                                 .arg(nom)
                                 .arg(int(std::lround(pos.cap)) % 360, 3, 10, QLatin1Char('0'))
                                 .arg(nombre(pos.vitesse))
                           : Texte::tr("%1 : ni cap ni vitesse à cet instant (arrivé, ou dernière position connue)").arg(nom));
    if (avec_t0 && p.gain_connu)
        l << (p.gain >= 0 ? Texte::tr("%1 a gagné %2 milles sur %3 vers l'arrivée depuis le %4")
                          : Texte::tr("%1 a perdu %2 milles sur %3 vers l'arrivée depuis le %4"))
                 .arg(na, nombre(std::abs(p.gain)), nb, date_de(t0_).toString(QStringLiteral("dd/MM HH'h'mm")));
    else if (!course.arrivee_connue)
        l << Texte::tr("Sans arrivée connue : pas de gain à mesurer.");
    return l;
}

void PanneauDuel::montre(Instant t)
{
    texte->setText(figures(t).join(u'\n'));
    // The cursor by the quarter hour: a pixel of the chart is longer.
    const Instant q = t - t % 900;
    if (q == cursor_)
        return;
    cursor_ = q;
    QPen p(QApplication::palette().color(QPalette::Highlight));
    p.setWidthF(2);
    trait_vertical(vue->chart(), QStringLiteral("curseur"), p, double(ms(q)), true);
}

}  // namespace orv
