// The trajectory panel: the choice of entrants, period, annotations and
// progression of a replay, its validation, and the export of the tracks.
#include "posconc.h"

#include <QAction>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMainWindow>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>

namespace orv {

namespace {
constexpr int CADENCE_MAX = 3600;  // seconds: the longest pause between two days
}

void TFPosConc::cree_panneau_trajets()
{
    PanelTraj = new QFrame(this);
    PanelTraj->setGeometry(25, 10, 670, 523);
    PanelTraj->setFrameShape(QFrame::Panel);
    PanelTraj->setFrameShadow(QFrame::Raised);
    PanelTraj->setAutoFillBackground(true);
    auto texte = [&](QWidget* parent, const QString& t, int x, int y, int w = 420, int h = 18) {
        auto* l = new QLabel(t, parent);
        l->setGeometry(x, y, w, h);
        return l;
    };
    texte(PanelTraj, QStringLiteral("Sélectionnez les concurrents pour lesquels vous désirez un tracé du trajet"), 10, 8, 650);
    texte(PanelTraj, QStringLiteral("(Utiliser les touches Ctrl et Majuscules pour effectuer des choix multiples)"), 10, 26, 650);

    ListBoxConc = new QListWidget(PanelTraj);
    ListBoxConc->setGeometry(10, 50, 200, 410);
    ListBoxConc->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListBoxConc->setSortingEnabled(false);
    ListBoxConc->setStyleSheet(QStringLiteral("QListWidget { background-color: #00ffff; color: black; }"));
    // Row i - 1 is entrant i, in the entrant table's order.
    for (int i = 1; i <= NB_CONCURRENTS; ++i)
        ListBoxConc->addItem(noms_conc[size_t(i)]);
    QObject::connect(ListBoxConc, &QListWidget::itemSelectionChanged, this, [this] { traj_det_val_dist(); });

    auto* dates = new QGroupBox(QStringLiteral("Sélectionner les dates"), PanelTraj);
    dates->setGeometry(225, 50, 435, 130);
    ChbxToutCourse = new QCheckBox(QStringLiteral("Toute la course"), dates);
    ChbxToutCourse->setGeometry(10, 24, 150, 22);
    ChbxToutCourse->setChecked(true);
    ChbxEnt2dt = new QCheckBox(QStringLiteral("Entre deux dates"), dates);
    ChbxEnt2dt->setGeometry(10, 54, 150, 22);
    Panel1 = new QWidget(dates);
    Panel1->setGeometry(165, 18, 265, 105);
    texte(Panel1, QStringLiteral("depuis le"), 0, 2, 120);
    ComboBox1 = new QComboBox(Panel1);
    ComboBox1->setGeometry(0, 20, 260, 26);
    ComboBox1->setMaxVisibleItems(25);
    texte(Panel1, QStringLiteral("jusqu'au"), 0, 52, 120);
    ComboBox2 = new QComboBox(Panel1);
    ComboBox2->setGeometry(0, 70, 260, 26);
    ComboBox2->setMaxVisibleItems(25);
    Panel1->hide();
    QObject::connect(ChbxToutCourse, &QCheckBox::clicked, this, [this] { Traj_date_sel_tout_course(); });
    QObject::connect(ChbxEnt2dt, &QCheckBox::clicked, this, [this] { Traj_date_sel_ent2dt(); });

    auto* afficher = new QGroupBox(QStringLiteral("Afficher"), PanelTraj);
    afficher->setGeometry(225, 190, 435, 150);
    ChbxDate = new QCheckBox(QStringLiteral("Les dates/heures"), afficher);
    ChbxDate->setGeometry(10, 22, 200, 22);
    ChbxVit = new QCheckBox(QStringLiteral("Les vitesses"), afficher);
    ChbxVit->setGeometry(10, 46, 200, 22);
    ChbxClass = new QCheckBox(QStringLiteral("Le classement"), afficher);
    ChbxClass->setGeometry(10, 70, 200, 22);
    ChBXDist = new QCheckBox(QStringLiteral("Les distances entre les deux concurrents "), afficher);
    ChBXDist->setGeometry(10, 94, 300, 22);
    ChBxDistPrel = new QCheckBox(QStringLiteral("Les distances parcourues"), afficher);
    ChBxDistPrel->setGeometry(10, 118, 200, 22);
    texte(afficher, QStringLiteral("depuis le précédent relèvement"), 215, 120, 215);
    for (QCheckBox* c : {ChbxDate, ChbxVit, ChbxClass, ChBXDist, ChBxDistPrel})
        c->setChecked(true);
    ChBXDist->setEnabled(false);

    RDGmode = new QGroupBox(QStringLiteral("Suivi de la progression"), PanelTraj);
    RDGmode->setGeometry(225, 350, 228, 118);
    modes_ = new QButtonGroup(RDGmode);
    const char* noms[] = {"mode instantané", "mode cadencé", "mode manuel"};
    for (int k = 0; k < 3; ++k) {
        auto* r = new QRadioButton(QString::fromUtf8(noms[k]), RDGmode);
        r->setGeometry(10, 22 + 28 * k, 130, 22);
        modes_->addButton(r, k);
    }
    texte(RDGmode, QStringLiteral("(>  affiche les trajets instantanément)"), 26, 40, 200, 14)->setStyleSheet(QStringLiteral("font-size: 9px;"));
    texte(RDGmode, QStringLiteral("(> avec la touche : flêche vers le bas )"), 26, 96, 200, 14)->setStyleSheet(QStringLiteral("font-size: 9px;"));
    modes_->button(0)->setChecked(true);
    QObject::connect(modes_, &QButtonGroup::idClicked, this, [this](int) { RDGmodeClick(); });

    GPBCad = new QGroupBox(QStringLiteral("Période de cadencement automatique"), PanelTraj);
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
        bool ok = false;
        const int v = EdCad->text().trimmed().toInt(&ok);
        EdCad->setText(QString::number(std::clamp((ok ? v : periode_cadence / 1000) + d, 0, CADENCE_MAX)));
    };
    QObject::connect(plus, &QToolButton::clicked, this, [pas] { pas(1); });
    QObject::connect(moins, &QToolButton::clicked, this, [pas] { pas(-1); });
    texte(GPBCad, QStringLiteral("Secondes"), 84, 33, 65);
    GPBCad->hide();

    BTokTraj = new QPushButton(QStringLiteral("OK"), PanelTraj);
    BTokTraj->setGeometry(240, 475, 110, 32);
    BTokTraj->setDefault(true);
    BTAnnulTraj = new QPushButton(QStringLiteral("Annuler"), PanelTraj);
    BTAnnulTraj->setGeometry(365, 475, 110, 32);
    BTExporter = new QPushButton(QStringLiteral("Exporter…"), PanelTraj);
    BTExporter->setGeometry(490, 475, 110, 32);
    BTExporter->setToolTip(QStringLiteral("Enregistrer les trajets choisis en GPX ou en KML"));
    QObject::connect(BTokTraj, &QPushButton::clicked, this, [this] { BTokTrajClick(); });
    QObject::connect(BTAnnulTraj, &QPushButton::clicked, this, [this] { BTAnnulTrajClick(); });
    QObject::connect(BTExporter, &QPushButton::clicked, this, [this] { BTExporterClick(); });
    PanelTraj->hide();
}

int TFPosConc::index_mode() const { return modes_ ? modes_->checkedId() : 0; }

void TFPosConc::choisit_mode(int k)
{
    if (modes_ && modes_->button(k))
        modes_->button(k)->setChecked(true);
    RDGmodeClick();
}

void TFPosConc::Trajets1Click()
{
    abandonne_geste();
    arrete_film();
    active_classement(false);
    Aff_Message(QStringLiteral("Pour se repasser le film de la course ! "));
    unsetCursor();
    PanelTraj->show();
    PanelTraj->raise();
    if (!trajets_constitues)
        Constitue_trajets();
    mode_outil = OUTIL_TRAJETS;
    if (cadre)
        cadre->setWindowTitle(QStringLiteral("Orvalis 2000-2001."));
    else
        setWindowTitle(QStringLiteral("Orvalis 2000-2001."));
}

void TFPosConc::Constitue_trajets()
{
    ArchiveJours& a = archive_jours();
    ComboBox1->clear();
    ComboBox2->clear();
    QString erreur;
    if (!constitue_trajets(a, rep_programme, erreur)) {
        // The lists are empty again: the next command assembles anew.
        trajets_constitues = false;
        information(erreur);
        return;
    }
    ComboBox1->addItems(a.dates_depuis);
    ComboBox2->addItems(a.dates_jusqua);
    // A filled list selects its first entry: no date chosen yet.
    ComboBox1->setCurrentIndex(-1);
    ComboBox2->setCurrentIndex(-1);
    trajets_constitues = true;
}

void TFPosConc::Traj_date_sel_tout_course()
{
    ChbxEnt2dt->setChecked(!ChbxToutCourse->isChecked());
    Panel1->setVisible(ChbxEnt2dt->isChecked());
}

void TFPosConc::Traj_date_sel_ent2dt()
{
    ChbxToutCourse->setChecked(!ChbxEnt2dt->isChecked());
    Panel1->setVisible(ChbxEnt2dt->isChecked());
}

void TFPosConc::RDGmodeClick()
{
    GPBCad->setVisible(index_mode() == 1);
    traj_det_val_dist();
}

void TFPosConc::traj_det_val_dist()
{
    ChBXDist->setEnabled(distance_entre_deux_permise(int(ListBoxConc->selectedItems().size()), index_mode()));
}

bool TFPosConc::selection_du_panneau(SelectionTrajets& s)
{
    s = SelectionTrajets{};
    for (int r = 0; r < ListBoxConc->count(); ++r)
        if (ListBoxConc->item(r)->isSelected())
            s.concurrents.set(size_t(r + 1));
    if (s.nb_selectionnes() == 0) {
        avertissement(QStringLiteral("Au moins un concurrent doit être sélectionné."));
        return false;
    }
    s.toute_course = ChbxToutCourse->isChecked();
    if (!s.toute_course) {
        if (ComboBox1->currentIndex() < 0 || ComboBox2->currentIndex() < 0) {
            avertissement(QStringLiteral("Les dates doivent être spécifiées ."));
            return false;
        }
        s.debut = std::min(ComboBox1->currentIndex(), ComboBox2->currentIndex());
        s.fin = std::max(ComboBox1->currentIndex(), ComboBox2->currentIndex());
    }
    return true;
}

void TFPosConc::BTokTrajClick()
{
    if (!trajets_constitues) {
        // The archive could not be read: nothing to replay, commands kept.
        information(QStringLiteral("Les trajets ne sont pas constitués : aucun fichier du jour lisible."));
        return;
    }
    SelectionTrajets s;
    if (!selection_du_panneau(s))
        return;
    // Nothing to replay: said, as the command line says it, the panel kept.
    Viewport essai;
    if (!cadre_sur_trajets(archive_jours(), s, essai, width())) {
        information(QStringLiteral("Aucune position pour ces concurrents sur cette période."));
        return;
    }
    if (index_mode() != 0)
        Inhibmenu();
    selection_traj = s;
    if (!s.toute_course) {
        nb_jours_traj = s.fin - s.debut + 1;
        jour_traj = 2;
    }
    // The period of the timed progression: a whole number of seconds from
    // 0 to an hour; other text keeps the previous period.
    bool ok = false;
    const int secondes = EdCad->text().trimmed().toInt(&ok);
    if (ok && secondes >= 0 && secondes <= CADENCE_MAX)
        periode_cadence = secondes * 1000;
    else
        EdCad->setText(QString::number(periode_cadence / 1000));
    PanelTraj->hide();
    trajets_actifs = true;
    defilement_en_cours = false;
    setFocus();  // the manual keys go to the chart
    invalider();
}

void TFPosConc::BTAnnulTrajClick()
{
    PanelTraj->hide();
    FormDBlClick();
    SelDateClick();
}

void TFPosConc::BTExporterClick()
{
    if (!trajets_constitues)
        return;
    SelectionTrajets s;
    if (!selection_du_panneau(s))
        return;
    const QString chemin = choisit_fichier_export();
    if (chemin.isEmpty())
        return;
    QString erreur;
    if (exporte_trajets(archive_jours(), s, chemin, couleurs_conc, erreur))
        Aff_Message(QStringLiteral("Trajets enregistrés dans « %1 »").arg(chemin));
    else
        avertissement(erreur);
}

}  // namespace orv
