// The window's "Actualiser" command: today's day file written from the
// official ranking in the background, then the day written shown.
#include "posconc.h"

#include "calend.h"
#include "traduction.h"

#include <QMainWindow>

namespace orv {

void TFPosConc::Actualiser1Click()
{
    if (code_excel == 1 || code_excel == 2) {
        if (actualisation.en_cours())
            return;
        const SourceClassement source = source_du_classement(QString(), reglages.url_classement, code_excel, rep_courant);
        const QDate jour = aujourdhui ? aujourdhui() : QDate::currentDate();
        Aff_Message(source.est_url() ? Texte::tr("Actualisation : connexion à %1 ...").arg(source.adresse)
                                     : Texte::tr("Actualisation : lecture de %1 ...").arg(source.adresse));
        actualisation.lance(
            etat.course, source, code_excel, jour, rep_ecriture_jours(), delai_classement_ms,
            [this, jour](const MiseAJour::Resultat& r) { fin_actualisation(r, jour); },
            [this] { Aff_Message(Texte::tr("Actualisation annulée : rien n'est écrit")); });
        return;
    }
    Validmenu();
    if (cadre && !cadre->isMaximized())
        cadre->showMaximized();
    SelDateClick();
}

void TFPosConc::fin_actualisation(const MiseAJour::Resultat& r, const QDate& jour)
{
    if (!r.ok) {
        // Nothing written: the previous file of the day is as it was.
        Aff_Message(Texte::tr("Actualisation impossible"));
        information(r.erreur);
        return;
    }
    Aff_Message(Texte::tr("Classement enregistré dans %1").arg(r.chemin));
    // The assembled archive misses the new day: the replay and the
    // statistics read it again when next asked (at once for an open
    // statistics window).
    rejeu.trajets_constitues = false;
    if (fenetre_statistiques) {
        const bool ouverte = fenetre_statistiques->isVisible();
        delete fenetre_statistiques;
        fenetre_statistiques = nullptr;
        if (ouverte)
            Statistiques1Click();
    }
    if (calendrier)
        calendrier->choisit(jour);
    Validmenu();
    if (cadre && !cadre->isMaximized())
        cadre->showMaximized();
    SelDateClick();
}

}  // namespace orv
