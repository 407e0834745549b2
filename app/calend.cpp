#include "calend.h"

#include "calendrier.h"
#include "canevas.h"
#include "traduction.h"

#include <QCalendarWidget>
#include <QLabel>
#include <QPushButton>
#include <QHeaderView>
#include <QLocale>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QTextCharFormat>
#include <algorithm>

namespace orv {

namespace {
// Paints the grid's header row as "dim", "lun", ... (the short day names
// without their final point); date cells keep the grid's own painting.
class EnteteJours : public QStyledItemDelegate {
public:
    EnteteJours(QAbstractItemDelegate* origine, QObject* parent)
        : QStyledItemDelegate(parent), origine_(origine)
    {
    }
    void paint(QPainter* p, const QStyleOptionViewItem& opt, const QModelIndex& i) const override
    {
        if (i.row() != 0) {
            origine_->paint(p, opt, i);
            return;
        }
        p->fillRect(opt.rect, QColor(0, 0xFF, 0));
        p->setPen(QColor(0x80, 0, 0));
        p->setFont(opt.font);
        p->drawText(opt.rect, Qt::AlignCenter, nom_jour_court(i.data().toString()));
    }

private:
    QAbstractItemDelegate* origine_;
};
}  // namespace

QString nom_jour_court(QString nom)
{
    if (nom.endsWith(u'.'))
        nom.chop(1);
    return nom;
}

TFCalend::TFCalend(QWidget* parent) : QDialog(parent), propre_(std::make_unique<EtatDate>())
{
    date = propre_.get();
    setWindowTitle(Texte::tr("Sélectionner une date"));
    setFixedSize(346, 278);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setStyleSheet(QStringLiteral("QDialog { background-color: #c0c0c0; }"));
    setFont(police_hauteur(QStringLiteral("DejaVu Sans"), 11));

    auto* cadre = new QLabel(this);  // the raised bevel around title and grid
    cadre->setGeometry(8, 8, 321, 153);
    cadre->setFrameStyle(QFrame::Panel | QFrame::Raised);

    Calendar = new QCalendarWidget(this);
    Calendar->setGeometry(8, 40, 320, 120);
    // The day names of the program's language, whatever the system's (the
    // locale first: it sets its own first day of the week).
    Calendar->setLocale(QLocale(Texte::tr("fr_FR", "locale of the dates")));
    // Weeks start on Monday, as French calendars do.
    Calendar->setFirstDayOfWeek(Qt::Monday);
    Calendar->setNavigationBarVisible(false);
    Calendar->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    Calendar->setGridVisible(true);
    Calendar->setSelectionMode(QCalendarWidget::SingleSelection);
    Calendar->setStyleSheet(QStringLiteral("QTableView { background-color: #00ff00; color: #800000; "
                                           "selection-background-color: #800000; selection-color: #00ff00; }"));
    QTextCharFormat f;
    f.setForeground(QColor(0x80, 0, 0));
    for (int j = Qt::Monday; j <= Qt::Sunday; ++j)
        Calendar->setWeekdayTextFormat(Qt::DayOfWeek(j), f);
    // The dates the date routines count right, and the six week rows within
    // the grid's height.
    Calendar->setDateRange(DATE_MIN, DATE_MAX);
    if (auto* vue = Calendar->findChild<QTableView*>()) {
        vue->verticalHeader()->setMinimumSectionSize(1);
        vue->setItemDelegate(new EnteteJours(vue->itemDelegate(), vue));
    }

    LBmoisAn = new QLabel(this);
    LBmoisAn->setGeometry(24, 16, 200, 17);
    QFont gras = font();
    gras.setBold(true);
    LBmoisAn->setFont(gras);
    LBmoisAn->setStyleSheet(QStringLiteral("color: #008000; background-color: #c0c0c0;"));

    BTmoisP = new QPushButton(Texte::tr("<<     Mois &préc."), this);
    BTmoisP->setGeometry(8, 160, 161, 25);
    BTmoisS = new QPushButton(Texte::tr("Mois &suiv.   >>"), this);
    BTmoisS->setGeometry(168, 160, 161, 25);
    BTanneeP = new QPushButton(Texte::tr("<<     Année p&réc."), this);
    BTanneeP->setGeometry(8, 184, 161, 25);
    BTanneeS = new QPushButton(Texte::tr("Année s&uiv.    >>"), this);
    BTanneeS->setGeometry(168, 184, 161, 25);
    LBavis = new QLabel(this);
    LBavis->setObjectName(QStringLiteral("LBavis"));
    LBavis->setGeometry(8, 209, 321, 15);
    LBavis->setStyleSheet(QStringLiteral("color: #800000;"));
    BTValid = new QPushButton(Texte::tr("&Valider"), this);
    BTValid->setGeometry(112, 224, 113, 25);
    BTValid->setDefault(true);

    connect(BTmoisP, &QPushButton::clicked, this, [this] { deplace(-1, 0); });
    connect(BTmoisS, &QPushButton::clicked, this, [this] { deplace(1, 0); });
    connect(BTanneeP, &QPushButton::clicked, this, [this] { deplace(0, -1); });
    connect(BTanneeS, &QPushButton::clicked, this, [this] { deplace(0, 1); });
    connect(BTValid, &QPushButton::clicked, this, [this] { BTValidClick(); });
    connect(Calendar, &QCalendarWidget::currentPageChanged, this, [this](int, int) { FormPaint(); });
    connect(Calendar, &QCalendarWidget::activated, this, [this](QDate) { BTValidClick(); });

    choisit(QDate::currentDate());
}

void TFCalend::choisit(const QDate& d)
{
    Calendar->setSelectedDate(d);
    Calendar->setCurrentPage(d.year(), d.month());
    FormPaint();
}

void TFCalend::marque_jours(const std::vector<QDate>& avec_fichier, const QDate& premier, const QDate& dernier)
{
    Calendar->setDateTextFormat(QDate(), QTextCharFormat());
    QTextCharFormat sans;
    sans.setForeground(QColor(0x80, 0x80, 0x80));
    for (QDate d = premier; d.isValid() && d <= dernier; d = d.addDays(1))
        Calendar->setDateTextFormat(d, sans);
    QTextCharFormat avec;
    avec.setFontWeight(QFont::Bold);
    avec.setForeground(QColor(0x80, 0, 0));
    for (const QDate& d : avec_fichier)
        Calendar->setDateTextFormat(d, avec);
}

void TFCalend::avis(const QString& texte)
{
    LBavis->setText(texte);
    setWindowTitle(texte.isEmpty() ? Texte::tr("Sélectionner une date") : texte);
}

TFCalend::~TFCalend() = default;

void TFCalend::deplace(int mois, int annees)
{
    // The selected day follows the month shown, held to its last day.
    const QDate d = Calendar->selectedDate();
    QDate premier(Calendar->yearShown(), Calendar->monthShown(), 1);
    premier = premier.addMonths(mois).addYears(annees);
    const int jour = std::min(d.day(), premier.daysInMonth());
    // Held within the years the date routines count right.
    choisit(std::clamp(QDate(premier.year(), premier.month(), jour), DATE_MIN, DATE_MAX));
}

void TFCalend::FormPaint()
{
    EtatDate& e = *date;
    montre_mois(e, Calendar->monthShown(), Calendar->yearShown());
    LBmoisAn->setText(e.mois_txt + QStringLiteral("   ") + e.annee_txt);
}

void TFCalend::BTValidClick()
{
    FormPaint();
    const QDate d = Calendar->selectedDate();
    valide_date(*date, d.day(), d.month(), d.year());
    accept();
}

}  // namespace orv
