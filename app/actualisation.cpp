// The update of today's day file from the official ranking (the web page of
// the settings, or the ranking workbook in the current directory), run in
// the background behind a progress dialog that can cancel it.
#include "actualisation.h"

#include "traduction.h"

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

}  // namespace orv
