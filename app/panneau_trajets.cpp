// The replay's panel: its controls and what they say.
#include "panneau_trajets.h"

#include "traduction.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <algorithm>

namespace orv {

namespace {
constexpr int CADENCE_MAX = 3600;  // seconds: the longest pause between two days
}

bool distance_entre_deux_permise(int nb_selectionnes, int index_mode)
{
    // Exactly two entrants, and a replay step by step (timed or manual).
    return nb_selectionnes == 2 && index_mode != 0;
}

PanneauTrajets::PanneauTrajets(QWidget* parent, const Course& course) : QFrame(parent)
{
    setGeometry(25, 10, 670, 523);
    setFrameShape(QFrame::Panel);
    setFrameShadow(QFrame::Raised);
    setAutoFillBackground(true);
    auto texte = [&](QWidget* dans, const QString& t, int x, int y, int w = 420, int h = 18) {
        auto* l = new QLabel(t, dans);
        l->setGeometry(x, y, w, h);
        return l;
    };
    texte(this, Texte::tr("Sélectionnez les concurrents pour lesquels vous désirez un tracé du trajet"), 10, 8, 650);
    texte(this, Texte::tr("(Utiliser les touches Ctrl et Majuscules pour effectuer des choix multiples)"), 10, 26, 650);

    ListBoxConc = new QListWidget(this);
    ListBoxConc->setGeometry(10, 50, 200, 410);
    ListBoxConc->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBoxConc->setSortingEnabled(false);
    ListBoxConc->setStyleSheet(QStringLiteral("QListWidget { background-color: #00ffff; color: black; }"));
    // Row i - 1 is entrant i, in the entrant table's order.
    for (int i = 1; i <= course.nb(); ++i)
        ListBoxConc->addItem(course.nom_conc(i));
    connect(ListBoxConc, &QListWidget::itemSelectionChanged, this, [this] { traj_det_val_dist(); });

    auto* dates = new QGroupBox(Texte::tr("Sélectionner les dates"), this);
    dates->setGeometry(225, 50, 435, 130);
    ChbxToutCourse = new QCheckBox(Texte::tr("Toute la course"), dates);
    ChbxToutCourse->setGeometry(10, 24, 150, 22);
    ChbxToutCourse->setChecked(true);
    ChbxEnt2dt = new QCheckBox(Texte::tr("Entre deux dates"), dates);
    ChbxEnt2dt->setGeometry(10, 54, 150, 22);
    Panel1 = new QWidget(dates);
    Panel1->setGeometry(165, 18, 265, 105);
    texte(Panel1, Texte::tr("depuis le"), 0, 2, 120);
    ComboBox1 = new QComboBox(Panel1);
    ComboBox1->setGeometry(0, 20, 260, 26);
    ComboBox1->setMaxVisibleItems(25);
    texte(Panel1, Texte::tr("jusqu'au"), 0, 52, 120);
    ComboBox2 = new QComboBox(Panel1);
    ComboBox2->setGeometry(0, 70, 260, 26);
    ComboBox2->setMaxVisibleItems(25);
    Panel1->hide();
    connect(ChbxToutCourse, &QCheckBox::clicked, this, [this] { Traj_date_sel_tout_course(); });
    connect(ChbxEnt2dt, &QCheckBox::clicked, this, [this] { Traj_date_sel_ent2dt(); });

    auto* afficher = new QGroupBox(Texte::tr("Afficher"), this);
    afficher->setGeometry(225, 190, 435, 150);
    ChbxDate = new QCheckBox(Texte::tr("Les dates/heures"), afficher);
    ChbxDate->setGeometry(10, 22, 200, 22);
    ChbxVit = new QCheckBox(Texte::tr("Les vitesses"), afficher);
    ChbxVit->setGeometry(10, 46, 200, 22);
    ChbxClass = new QCheckBox(Texte::tr("Le classement"), afficher);
    ChbxClass->setGeometry(10, 70, 200, 22);
    ChBXDist = new QCheckBox(Texte::tr("Les distances entre les deux concurrents "), afficher);
    ChBXDist->setGeometry(10, 94, 300, 22);
    ChBxDistPrel = new QCheckBox(Texte::tr("Les distances parcourues"), afficher);
    ChBxDistPrel->setGeometry(10, 118, 200, 22);
    texte(afficher, Texte::tr("depuis le précédent relèvement"), 215, 120, 215);
    for (QCheckBox* c : {ChbxDate, ChbxVit, ChbxClass, ChBXDist, ChBxDistPrel})
        c->setChecked(true);
    ChBXDist->setEnabled(false);

    RDGmode = new QGroupBox(Texte::tr("Suivi de la progression"), this);
    RDGmode->setGeometry(225, 350, 228, 122);
    modes_ = new QButtonGroup(RDGmode);
    const char* noms[] = {QT_TRANSLATE_NOOP("Orvalis", "mode instantané"), QT_TRANSLATE_NOOP("Orvalis", "mode cadencé"),
                          QT_TRANSLATE_NOOP("Orvalis", "mode manuel"), QT_TRANSLATE_NOOP("Orvalis", "mode continu")};
    const int hauts[] = {18, 48, 68, 98};
    for (int k = 0; k < 4; ++k) {
        auto* r = new QRadioButton(Texte::tr(noms[k]), RDGmode);
        r->setGeometry(10, hauts[k], 130, 22);
        modes_->addButton(r, k);
    }
    texte(RDGmode, Texte::tr("(>  affiche les trajets instantanément)"), 26, 36, 200, 14)->setStyleSheet(QStringLiteral("font-size: 9px;"));
    texte(RDGmode, Texte::tr("(> avec la touche : flêche vers le bas )"), 26, 86, 200, 14)->setStyleSheet(QStringLiteral("font-size: 9px;"));
    modes_->button(0)->setChecked(true);
    connect(modes_, &QButtonGroup::idClicked, this, [this](int) { RDGmodeClick(); });

    GPBCad = new QGroupBox(Texte::tr("Période de cadencement automatique"), this);
    GPBCad->setGeometry(460, 350, 200, 80);
    GPBCad->setStyleSheet(QStringLiteral("QGroupBox { font-size: 11px; }"));
    EdCad = new QLineEdit(QStringLiteral("3"), GPBCad);
    EdCad->setGeometry(10, 30, 50, 24);
    UpDown1 = new QWidget(GPBCad);
    UpDown1->setGeometry(60, 30, 16, 24);
    auto* plus = new QToolButton(UpDown1);
    plus->setArrowType(Qt::UpArrow);
    plus->setGeometry(0, 0, 16, 12);
    auto* moins = new QToolButton(UpDown1);
    moins->setArrowType(Qt::DownArrow);
    moins->setGeometry(0, 12, 16, 12);
    auto pas = [this](int d) {
        bool lu = false;
        const int v = EdCad->text().trimmed().toInt(&lu);
        EdCad->setText(QString::number(std::clamp((lu ? v : periode_cadence_ms / 1000) + d, 0, CADENCE_MAX)));
    };
    connect(plus, &QToolButton::clicked, this, [pas] { pas(1); });
    connect(moins, &QToolButton::clicked, this, [pas] { pas(-1); });
    texte(GPBCad, Texte::tr("Secondes"), 84, 33, 65);
    GPBCad->hide();

    BTokTraj = new QPushButton(QStringLiteral("OK"), this);
    BTokTraj->setGeometry(240, 475, 110, 32);
    BTokTraj->setDefault(true);
    BTAnnulTraj = new QPushButton(Texte::tr("Annuler"), this);
    BTAnnulTraj->setGeometry(365, 475, 110, 32);
    BTExporter = new QPushButton(Texte::tr("Exporter…"), this);
    BTExporter->setGeometry(490, 475, 110, 32);
    BTExporter->setToolTip(Texte::tr("Enregistrer les trajets choisis en GPX ou en KML"));
    connect(BTokTraj, &QPushButton::clicked, this, [this] { if (ok) ok(); });
    connect(BTAnnulTraj, &QPushButton::clicked, this, [this] { if (annuler) annuler(); });
    connect(BTExporter, &QPushButton::clicked, this, [this] { if (exporter) exporter(); });
    hide();
}

void PanneauTrajets::remplit_dates(const ArchiveJours* a)
{
    ComboBox1->clear();
    ComboBox2->clear();
    if (!a)
        return;
    ComboBox1->addItems(a->dates_depuis);
    ComboBox2->addItems(a->dates_jusqua);
    // A filled list selects its first entry: no date chosen yet.
    ComboBox1->setCurrentIndex(-1);
    ComboBox2->setCurrentIndex(-1);
}

int PanneauTrajets::index_mode() const { return modes_ ? modes_->checkedId() : 0; }

void PanneauTrajets::choisit_mode(int k)
{
    if (modes_ && modes_->button(k))
        modes_->button(k)->setChecked(true);
    RDGmodeClick();
}

void PanneauTrajets::Traj_date_sel_tout_course()
{
    ChbxEnt2dt->setChecked(!ChbxToutCourse->isChecked());
    Panel1->setVisible(ChbxEnt2dt->isChecked());
}

void PanneauTrajets::Traj_date_sel_ent2dt()
{
    ChbxToutCourse->setChecked(!ChbxEnt2dt->isChecked());
    Panel1->setVisible(ChbxEnt2dt->isChecked());
}

void PanneauTrajets::RDGmodeClick()
{
    GPBCad->setVisible(index_mode() == 1);
    // The continuous film writes no distance since the previous fix.
    ChBxDistPrel->setEnabled(index_mode() != MODE_CONTINU);
    traj_det_val_dist();
}

void PanneauTrajets::traj_det_val_dist()
{
    ChBXDist->setEnabled(distance_entre_deux_permise(int(ListBoxConc->selectedItems().size()), index_mode()));
}

bool PanneauTrajets::selection(SelectionTrajets& s, QString& message) const
{
    s = SelectionTrajets{};
    for (int r = 0; r < ListBoxConc->count(); ++r)
        if (ListBoxConc->item(r)->isSelected())
            s.concurrents.set(size_t(r + 1));
    if (s.nb_selectionnes() == 0) {
        message = Texte::tr("Au moins un concurrent doit être sélectionné.");
        return false;
    }
    s.toute_course = ChbxToutCourse->isChecked();
    if (!s.toute_course) {
        if (ComboBox1->currentIndex() < 0 || ComboBox2->currentIndex() < 0) {
            message = Texte::tr("Les dates doivent être spécifiées .");
            return false;
        }
        s.debut = std::min(ComboBox1->currentIndex(), ComboBox2->currentIndex());
        s.fin = std::max(ComboBox1->currentIndex(), ComboBox2->currentIndex());
    }
    return true;
}

AnnotationsTrajets PanneauTrajets::annotations() const
{
    AnnotationsTrajets a;
    a.dates = ChbxDate->isChecked();
    a.vitesses = ChbxVit->isChecked();
    a.classement = ChbxClass->isChecked();
    a.distance_entre_deux = ChBXDist->isChecked() && ChBXDist->isEnabled();
    a.distances_parcourues = ChBxDistPrel->isChecked();
    return a;
}

int PanneauTrajets::periode_cadence(int precedente)
{
    bool ok_ = false;
    const int secondes = EdCad->text().trimmed().toInt(&ok_);
    if (ok_ && secondes >= 0 && secondes <= CADENCE_MAX)
        periode_cadence_ms = secondes * 1000;
    else {
        periode_cadence_ms = precedente;
        EdCad->setText(QString::number(precedente / 1000));
    }
    return periode_cadence_ms;
}

}  // namespace orv
