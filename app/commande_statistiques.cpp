// The "Statistiques" command of the main window: the statistics of the
// assembled archive in their window; a click on a point shows that day.
#include "fenetre_statistiques.h"
#include "posconc.h"

#include <QMainWindow>

namespace orv {

void TFPosConc::Statistiques1Click()
{
    if (!fenetre_statistiques) {
        // The archive the replay assembles, read once.
        if (!rejeu.trajets_constitues)
            Constitue_trajets();
        if (!rejeu.trajets_constitues)
            return;
        auto* f = new FenetreStatistiques(calcule_statistiques(etat.archive),
                                          !fond_clair(couleur_fond), this);
        f->ouvre_jour = [this](const QDate& d) {
            if (mode_outil() == OUTIL_TRAJETS || rejeu.trajets_actifs)
                FormDBlClick();
            montre_jour(d);
            // The day is looked at in the main window, its keys at hand.
            if (cadre) {
                cadre->raise();
                cadre->activateWindow();
            }
            setFocus();
        };
        f->message = information;
        f->setObjectName(QStringLiteral("FenetreStatistiques"));
        fenetre_statistiques = f;
    }
    fenetre_statistiques->show();
    fenetre_statistiques->raise();
    fenetre_statistiques->activateWindow();
}

}  // namespace orv
