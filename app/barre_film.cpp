#include "barre_film.h"

#include "controleur_film.h"
#include "donnees.h"
#include "rendu_film.h"
#include "traduction.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QStyleOptionSlider>
#include <QToolButton>

namespace orv {

CurseurFilm::CurseurFilm(QWidget* parent) : QSlider(Qt::Horizontal, parent)
{
    setFocusPolicy(Qt::NoFocus);
    setMinimumWidth(160);
}

void CurseurFilm::pose_periode(PeriodeFilm p)
{
    periode_ = p;
    setRange(0, int((p.fin - p.debut) / 60));
    // A click in the groove: a day.
    setSingleStep(60);
    setPageStep(24 * 60);
    update();
}

void CurseurFilm::paintEvent(QPaintEvent* e)
{
    QSlider::paintEvent(e);
    QStyleOptionSlider o;
    initStyleOption(&o);
    const QRect sillon = style()->subControlRect(QStyle::CC_Slider, &o, QStyle::SC_SliderGroove, this);
    const QRect poignee = style()->subControlRect(QStyle::CC_Slider, &o, QStyle::SC_SliderHandle, this);
    if (maximum() <= 0)
        return;
    QPainter p(this);
    p.setPen(palette().color(QPalette::WindowText));
    // The handle's centre runs over the groove less a handle's width.
    const int x0 = sillon.left() + poignee.width() / 2, w = sillon.width() - poignee.width();
    const Instant premier_minuit = (periode_.debut / UN_JOUR + 1) * UN_JOUR;
    for (Instant t = premier_minuit; t <= periode_.fin; t += UN_JOUR) {
        const int x = x0 + int(double(t - periode_.debut) / 60 / maximum() * w);
        p.drawLine(x, height() - 4, x, height() - 1);
    }
}

BarreFilm::BarreFilm(QWidget* parent) : QWidget(parent)
{
    // Two rows, so that the bar holds in the window's 804 pixels: the
    // slider between play and close, then the choices and the clock.
    auto* colonne = new QVBoxLayout(this);
    colonne->setContentsMargins(4, 2, 4, 2);
    colonne->setSpacing(2);
    auto* haut = new QHBoxLayout;
    auto* bas = new QHBoxLayout;
    colonne->addLayout(haut);
    colonne->addLayout(bas);
    lecture = new QToolButton(this);
    lecture->setToolTip(Texte::tr("Lecture / pause (Espace)"));
    vitesse = new QComboBox(this);
    for (int k = 0; k < int(ControleurFilm::VITESSES.size()); ++k)
        vitesse->addItem(ControleurFilm::texte_vitesse(k));
    vitesse->setToolTip(Texte::tr("Temps de course par seconde (↑ ↓)"));
    curseur = new CurseurFilm(this);
    curseur->setToolTip(Texte::tr("← → une heure, Ctrl+← → un jour, Début / Fin"));
    trainee = new QComboBox(this);
    trainee->addItem(Texte::tr("Traînée : aucune"));
    for (int n : {1, 3, 7})
        trainee->addItem(Texte::tr("Traînée : %n jour(s)", nullptr, n));
    trainee->addItem(Texte::tr("Traînée : toute la course"));
    trainee->setCurrentIndex(2);
    suivre = new QComboBox(this);
    suivre->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    horloge = new QLabel(this);
    horloge->setMinimumWidth(horloge->fontMetrics().horizontalAdvance(
        Texte::tr("Mercredi 28 novembre 2000, 20h00 UTC · jour 000")));
    fermer = new QToolButton(this);
    fermer->setText(QStringLiteral("✕"));
    fermer->setToolTip(Texte::tr("Fermer le film (Échap)"));
    cadrer = new QToolButton(this);
    cadrer->setText(Texte::tr("Cadrer la flotte"));
    cadrer->setToolTip(Texte::tr("Tous les bateaux du moment dans la vue (F)"));
    exporter = new QToolButton(this);
    exporter->setText(Texte::tr("Exporter la vidéo…"));
    exporter->setToolTip(Texte::tr("Le film en vidéo MP4 ou WebM (ffmpeg)"));
    // The play button as wide for both its symbols: the slider stays put.
    lecture->setText(QStringLiteral("❚❚"));
    lecture->setFixedWidth(lecture->sizeHint().width() + 8);
    haut->addWidget(lecture);
    haut->addWidget(curseur, 1);
    haut->addWidget(exporter);
    haut->addWidget(fermer);
    bas->addWidget(vitesse);
    bas->addWidget(trainee);
    bas->addWidget(suivre);
    bas->addWidget(cadrer);
    bas->addStretch(1);
    bas->addWidget(horloge);
    for (QWidget* w : std::initializer_list<QWidget*>{lecture, vitesse, curseur, trainee, suivre, cadrer, horloge, exporter, fermer})
        w->setFocusPolicy(Qt::NoFocus);
    setFocusPolicy(Qt::NoFocus);

    connect(lecture, &QToolButton::clicked, this, [this] {
        if (bascule)
            bascule();
    });
    connect(fermer, &QToolButton::clicked, this, [this] {
        if (ferme)
            ferme();
    });
    connect(cadrer, &QToolButton::clicked, this, [this] {
        if (cadre)
            cadre();
    });
    connect(exporter, &QToolButton::clicked, this, [this] {
        if (exporte)
            exporte();
    });
    connect(vitesse, &QComboBox::currentIndexChanged, this, [this](int k) {
        if (!mise_a_jour_ && choisit_vitesse)
            choisit_vitesse(k);
    });
    connect(trainee, &QComboBox::currentIndexChanged, this, [this](int k) {
        if (!mise_a_jour_ && choisit_trainee)
            choisit_trainee(k);
    });
    connect(suivre, &QComboBox::currentIndexChanged, this, [this](int k) {
        if (!mise_a_jour_ && choisit_suivi)
            choisit_suivi(suivre->itemData(k).toInt());
    });
    // The picture follows the drag.
    connect(curseur, &QSlider::valueChanged, this, [this](int v) {
        if (!mise_a_jour_ && va_a)
            va_a(periode_.debut + Instant(v) * 60);
    });
}

void BarreFilm::prepare(const Course& c, PeriodeFilm p, const std::vector<int>& concurrents)
{
    mise_a_jour_ = true;
    periode_ = p;
    course_ = &c;
    curseur->pose_periode(p);
    suivre->clear();
    suivre->addItem(Texte::tr("Suivre : personne"), 0);
    suivre->addItem(Texte::tr("Suivre : la tête"), -1);
    for (int i : concurrents)
        suivre->addItem(Texte::tr("Suivre : %1").arg(c.nom_conc(i)), i);
    mise_a_jour_ = false;
}

void BarreFilm::montre(Instant t, bool en_lecture, int v, int suivi)
{
    mise_a_jour_ = true;
    lecture->setText(en_lecture ? QStringLiteral("❚❚") : QStringLiteral("▶"));
    if (vitesse->currentIndex() != v)
        vitesse->setCurrentIndex(v);
    if (!curseur->isSliderDown())
        curseur->setValue(int((t - periode_.debut) / 60));
    horloge->setText(course_ ? texte_horloge(*course_, t) : QString());
    const int k = suivre->findData(suivi);
    if (k >= 0 && k != suivre->currentIndex())
        suivre->setCurrentIndex(k);
    mise_a_jour_ = false;
}

}  // namespace orv
