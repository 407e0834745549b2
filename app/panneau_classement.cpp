// The ranking panel of the main window: the day's rows under the two
// header lines.
#include "posconc.h"

#include "calendrier.h"
#include "classement.h"

#include <QLabel>
#include <QPlainTextEdit>
#include <QTextCursor>

namespace orv {

void TFPosConc::Classement1Click()
{
    StaticText1->setText(etat.date.date_en_clair);
    PanelClass->show();
    PanelClass->raise();
    ajoute_lignes_classement();
}

void TFPosConc::remplit_classement()
{
    StaticText1->setText(etat.date.date_en_clair);
    MemoClass->clear();
    for (const QString& l : entete_classement())
        MemoClass->appendPlainText(l);
    ajoute_lignes_classement();
}

void TFPosConc::ajoute_lignes_classement()
{
    const JourCourse& j = etat.jour;
    const QChar sep = separateur_decimal_utilisateur();
    const int n = int(j.donnees_conc.size()) - 1;
    const int nb = std::clamp(j.nb_classes, 0, n);
    for (int i = 1; i <= nb; ++i)
        MemoClass->appendPlainText(ligne_classement(j.donnees_conc[size_t(i)], true, i, sep));
    for (int i = nb + 1; i <= n; ++i)
        MemoClass->appendPlainText(ligne_classement(j.donnees_conc[size_t(i)], false, i, sep));
    // Show the table from its header lines.
    MemoClass->moveCursor(QTextCursor::Start);
    MemoClass->ensureCursorVisible();
}

void TFPosConc::BitBtn1Click()
{
    MemoClass->clear();
    for (const QString& l : entete_classement())
        MemoClass->appendPlainText(l);
    PanelClass->hide();
    setFocus();  // the keys are the chart's again
}

}  // namespace orv
