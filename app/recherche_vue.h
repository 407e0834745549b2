// "Rechercher…" (Ctrl+F): a field over the top of the chart that finds an
// entrant, a day, a course mark or a place, with suggestions as one types.
// Enter goes to the suggestion chosen (or the first); Esc closes the
// suggestions first, then the field. While the field has the focus, its
// keys are its own, not the film's.
#pragma once

#include "recherche.h"
#include "services_fenetre.h"

#include <QObject>
#include <functional>
#include <vector>

class QCompleter;
class QFrame;
class QLineEdit;
class QStringListModel;

namespace orv {

// What the search asks of the window: to go where a finding says.
class FenetreDeLaRecherche : public virtual ServicesFenetre {
public:
    virtual void va_a_la_trouvaille(const Trouvaille& t) = 0;
};

class RechercheVue : public QObject {
public:
    explicit RechercheVue(FenetreDeLaRecherche& f);
    // Shows the field, its text selected, the focus in it.
    void ouvre();
    // Hides it; the focus goes back to the chart.
    void ferme();
    bool ouverte() const;
    QLineEdit* champ() const { return champ_; }
    // What the field's text finds (the suggestions shown).
    const std::vector<Trouvaille>& trouvailles() const { return trouvailles_; }
    // Enter: the suggestion whose text is `texte`, else the first finding
    // of `texte` typed; false when there is none (the field stays open, the
    // status line says so).
    bool valide(const QString& texte);

protected:
    bool eventFilter(QObject* o, QEvent* e) override;

private:
    void cree();
    void suggere(const QString& texte);
    void place();
    FenetreDeLaRecherche& f_;
    QFrame* cadre_ = nullptr;
    QLineEdit* champ_ = nullptr;
    QCompleter* completeur_ = nullptr;
    QStringListModel* modele_ = nullptr;
    std::vector<Trouvaille> trouvailles_;
};

}  // namespace orv
