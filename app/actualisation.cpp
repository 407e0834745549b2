// The update of today's day file from the official ranking (the web page of
// the settings, or the ranking workbook in the current directory), then the
// race-day selection on the day just written.
#include "actualisation.h"

#include "calend.h"
#include "posconc.h"
#include "traduction.h"

#include <QMainWindow>
#include <QProgressDialog>
#include <QTimer>

namespace orv {

Actualisation::~Actualisation()
{
    annule();
}

bool Actualisation::lance(const Course& c, const SourceClassement& source, int code_excel, const QDate& jour,
                          const QString& rep, int delai_ms, std::function<void(const MiseAJour::Resultat&)> fin,
                          std::function<void()> annulee)
{
    if (job_)
        return false;
    auto* d = new QProgressDialog(source.est_url() ? Texte::tr("Connexion à %1 ...").arg(source.adresse)
                                                   : Texte::tr("Lecture de %1 ...").arg(source.adresse),
                                  Texte::tr("Annuler"), 0, 0, fenetre_);
    d->setWindowTitle(Texte::tr("Actualisation du classement"));
    d->setWindowModality(Qt::WindowModal);
    d->setMinimumDuration(0);
    d->setAutoClose(false);
    d->setAutoReset(false);
    dialogue_ = d;
    QObject::connect(d, &QProgressDialog::canceled, d, [this, annulee] {
        annule();
        if (annulee)
            annulee();
    });
    job_ = std::make_unique<MiseAJour>(c, source, code_excel, jour, rep, delai_ms, [this, fin](const MiseAJour::Resultat& r) {
        ferme_dialogue();
        // The job ends in one of its own callbacks: destroyed once back in
        // the event loop.
        MiseAJour* fini = job_.release();
        QTimer::singleShot(0, [fini] { delete fini; });
        if (fin)
            fin(r);
    });
    d->show();
    return true;
}

void Actualisation::annule()
{
    job_.reset();
    ferme_dialogue();
}

void Actualisation::ferme_dialogue()
{
    if (dialogue_) {
        QProgressDialog* d = dialogue_;
        dialogue_ = nullptr;
        QObject::disconnect(d, &QProgressDialog::canceled, nullptr, nullptr);
        d->hide();
        d->deleteLater();
    }
}

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
