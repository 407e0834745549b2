// The update of today's day file from the official ranking (the web page of
// the settings, or the ranking workbook in the current directory), then the
// race-day selection on the day just written.
#include "posconc.h"

#include "calend.h"
#include "mise_a_jour.h"

#include <QApplication>
#include <QMainWindow>

namespace orv {

void TFPosConc::Actualiser1Click()
{
    if (code_excel == 1 || code_excel == 2) {
        const SourceClassement source = source_du_classement(QString(), reglages.url_classement, code_excel, rep_courant);
        const QDate jour = aujourdhui ? aujourdhui() : QDate::currentDate();
        Aff_Message(source.est_url() ? QStringLiteral("Actualisation : connexion à %1 ...").arg(source.adresse)
                                     : QStringLiteral("Actualisation : lecture de %1 ...").arg(source.adresse));
        // The window waits for the page (its events still flow for the
        // network), without taking commands meanwhile.
        QApplication::setOverrideCursor(Qt::WaitCursor);
        if (cadre)
            cadre->setEnabled(false);
        QString erreur;
        const QString ecrit =
            actualise_classement(source, code_excel, jour, rep_ecriture_jours(), delai_classement_ms, erreur);
        if (cadre)
            cadre->setEnabled(true);
        QApplication::restoreOverrideCursor();
        if (ecrit.isEmpty()) {
            // Nothing written: the previous file of the day is as it was.
            Aff_Message(QStringLiteral("Actualisation impossible"));
            information(erreur);
            return;
        }
        Aff_Message(QStringLiteral("Classement enregistré dans %1").arg(ecrit));
        // The assembled archive misses the new day: the replay and the
        // statistics read it again when next asked (at once for an open
        // statistics window).
        trajets_constitues = false;
        if (fenetre_statistiques) {
            const bool ouverte = fenetre_statistiques->isVisible();
            delete fenetre_statistiques;
            fenetre_statistiques = nullptr;
            if (ouverte)
                Statistiques1Click();
        }
        if (calendrier)
            calendrier->choisit(jour);
    }
    Validmenu();
    if (cadre && !cadre->isMaximized())
        cadre->showMaximized();
    SelDateClick();
}

}  // namespace orv
