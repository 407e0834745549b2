#include "dialogues.h"

#include "calend.h"
#include "langue.h"
#include "traduction.h"

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QPushButton>
#include <QSoundEffect>
#include <QTextBrowser>
#include <QThread>
#include <QUrl>
#include <QVBoxLayout>

namespace orv {

namespace {
QLabel* etiquette(QWidget* parent, const QString& texte, int y, int h, const QFont& f,
                  const QString& couleur = QString())
{
    auto* l = new QLabel(texte, parent);
    l->setGeometry(0, y, parent->width(), h);
    l->setAlignment(Qt::AlignCenter);
    l->setFont(f);
    if (!couleur.isEmpty())
        l->setStyleSheet(QStringLiteral("color: %1;").arg(couleur));
    return l;
}

QFont police(const char* famille, int px, bool gras = false)
{
    QFont f(QString::fromLatin1(famille));
    f.setPixelSize(px);
    f.setBold(gras);
    return f;
}
}  // namespace

TFintro::TFintro(TFCalend* calendrier, const QString& rep_programme, const QDate& premier_jour)
    : QWidget(nullptr, Qt::Dialog | Qt::WindowCloseButtonHint), calendrier_(calendrier),
      rep_programme_(rep_programme), premier_jour_(premier_jour)
{
    setWindowTitle(QStringLiteral(" "));
    setFixedSize(544, 226);
    etiquette(this, Texte::tr("Archives du Orvalis 2000 - 2001"), 28, 40,
              police("Liberation Serif", 28, true), QStringLiteral("#000080"));
    etiquette(this, Texte::tr("Version 1.0"), 78, 22, police("Liberation Sans", 14));
    etiquette(this, Texte::tr("Chargement des cartes  . Merci de patienter ......."), 118, 22,
              police("Liberation Sans", 13));
    etiquette(this, Texte::tr("Cartes : Natural Earth, GSHHG. Concurrents et bateaux imaginaires."), 170, 20,
              police("Liberation Sans", 11), QStringLiteral("#404040"));
}

void TFintro::showEvent(QShowEvent* e)
{
    QWidget::showEvent(e);
    if (calendrier_)
        calendrier_->choisit(premier_jour_);
    const QString chemin = QDir(rep_programme_).filePath(QStringLiteral("gimmick.wav"));
    QFile f(chemin);
    if (!son_ && f.open(QIODevice::ReadOnly)) {
        f.close();
        son_ = new QSoundEffect(this);
        son_->setSource(QUrl::fromLocalFile(chemin));
        son_->play();
    }
}

void TFintro::attend_fin_chargement()
{
    if (!son_)
        return;
    QElapsedTimer t;
    t.start();
    while (son_->status() == QSoundEffect::Loading && t.elapsed() < 3000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(5);
    }
}

TFApropos::TFApropos(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(Texte::tr("A propos ..."));
    setFixedSize(455, 352);
    etiquette(this, Texte::tr("Archives du Orvalis 2000 - 2001"), 30, 36, police("Liberation Serif", 24, true),
              QStringLiteral("#000080"));
    etiquette(this, Texte::tr("Version 1.0"), 74, 22, police("Liberation Sans", 14));
    auto* credits = etiquette(this,
                              Texte::tr("Visionneuse des positions quotidiennes\n"
                                             "de la course autour du monde en solitaire.\n\n"
                                             "Cartes : Natural Earth (domaine public),\n"
                                             "GSHHG (LGPL).\n"
                                             "Concurrents, skippers et bateaux imaginaires."),
                              110, 150, police("Liberation Sans", 13));
    credits->setWordWrap(true);
    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setGeometry(170, 290, 115, 32);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}

FenetreAide::FenetreAide(const QString& rep_programme, QWidget* parent) : QDialog(parent)
{
    setWindowTitle(Texte::tr("Aide d'Orvalis"));
    resize(720, 640);
    auto* t = new QTextBrowser(this);
    t->setOpenExternalLinks(false);
    t->setSearchPaths({rep_programme});
    // The page of the language in use; the French one when it is missing.
    QString page = QStringLiteral("AIDEORVLS.html");
    if (langue_installee() == Langue::Anglais && QFileInfo::exists(QDir(rep_programme).filePath(QStringLiteral("AIDEORVLS_en.html"))))
        page = QStringLiteral("AIDEORVLS_en.html");
    t->setSource(QUrl::fromLocalFile(QDir(rep_programme).filePath(page)));
    if (t->toPlainText().isEmpty())
        t->setPlainText(Texte::tr("Le fichier d'aide « %1 » est introuvable à côté du programme.").arg(page));
    auto* ok = new QPushButton(Texte::tr("Fermer"), this);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    auto* l = new QVBoxLayout(this);
    l->addWidget(t);
    l->addWidget(ok, 0, Qt::AlignRight);
}

}  // namespace orv
