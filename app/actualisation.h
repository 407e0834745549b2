// The update as the window runs it: the job of the core library, a
// progress dialog with a working "Annuler", and the window kept responsive
// meanwhile. Destroyed (the window closed, the program quit) or cancelled,
// it writes nothing.
#pragma once

#include "mise_a_jour.h"

#include <QPointer>
#include <functional>
#include <memory>

class QProgressDialog;
class QWidget;

namespace orv {

class Actualisation {
public:
    explicit Actualisation(QWidget* fenetre) : fenetre_(fenetre) {}
    ~Actualisation();

    // Starts an update; `fin` is called with its result, `annulee` when the
    // user cancels it. False when one is already running.
    bool lance(const Course& c, const SourceClassement& source, int code_excel, const QDate& jour, const QString& rep,
               int delai_ms, std::function<void(const MiseAJour::Resultat&)> fin, std::function<void()> annulee);
    bool en_cours() const { return bool(job_); }
    // Stops it: nothing is written, neither callback is called.
    void annule();

private:
    void ferme_dialogue();
    QWidget* fenetre_;
    std::unique_ptr<MiseAJour> job_;
    QPointer<QProgressDialog> dialogue_;
};

}  // namespace orv
