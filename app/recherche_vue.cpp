#include "recherche_vue.h"

#include "traduction.h"

#include <QAbstractItemView>
#include <QCompleter>
#include <QEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QStringListModel>
#include <algorithm>

namespace orv {

RechercheVue::RechercheVue(FenetreDeLaRecherche& f) : f_(f) {}

void RechercheVue::cree()
{
    QWidget& carte = f_.vue_carte();
    cadre_ = new QFrame(&carte);
    cadre_->setObjectName(QStringLiteral("PanelRecherche"));
    cadre_->setFrameShape(QFrame::StyledPanel);
    cadre_->setAutoFillBackground(true);
    auto* l = new QHBoxLayout(cadre_);
    l->setContentsMargins(6, 4, 6, 4);
    l->addWidget(new QLabel(Texte::tr("Rechercher :"), cadre_));
    champ_ = new QLineEdit(cadre_);
    champ_->setObjectName(QStringLiteral("ChampRecherche"));
    champ_->setPlaceholderText(Texte::tr("bateau, skipper, jour (25/12), marque, lieu"));
    champ_->setClearButtonEnabled(true);
    champ_->setMinimumWidth(280);
    l->addWidget(champ_);
    modele_ = new QStringListModel(cadre_);
    completeur_ = new QCompleter(modele_, cadre_);
    // The findings are chosen here, not filtered again by the completer.
    completeur_->setCompletionMode(QCompleter::UnfilteredPopupCompletion);
    completeur_->setCaseSensitivity(Qt::CaseInsensitive);
    champ_->setCompleter(completeur_);
    QObject::connect(champ_, &QLineEdit::textEdited, cadre_, [this](const QString& t) { suggere(t); });
    QObject::connect(completeur_, qOverload<const QString&>(&QCompleter::activated), cadre_,
                     [this](const QString& t) { valide(t); });
    QObject::connect(champ_, &QLineEdit::returnPressed, cadre_, [this] {
        if (!completeur_->popup()->isVisible())
            valide(champ_->text());
    });
    champ_->installEventFilter(this);
    completeur_->popup()->installEventFilter(this);
    cadre_->hide();
}

void RechercheVue::place()
{
    cadre_->adjustSize();
    const QWidget& carte = f_.vue_carte();
    cadre_->move(std::max(0, (carte.width() - cadre_->width()) / 2), 4);
    cadre_->raise();
}

void RechercheVue::ouvre()
{
    if (!cadre_)
        cree();
    place();
    cadre_->show();
    champ_->setFocus(Qt::ShortcutFocusReason);
    champ_->selectAll();
    suggere(champ_->text());
}

void RechercheVue::ferme()
{
    if (!cadre_)
        return;
    completeur_->popup()->hide();
    cadre_->hide();
    // Findings belong to the race they were made in.
    trouvailles_.clear();
    f_.vue_carte().setFocus(Qt::OtherFocusReason);
}

bool RechercheVue::ouverte() const { return cadre_ && cadre_->isVisible(); }

void RechercheVue::suggere(const QString& texte)
{
    trouvailles_ = recherche(f_.modele().course, f_.modele().lieux, texte);
    QStringList l;
    for (const Trouvaille& t : trouvailles_)
        l << t.texte;
    modele_->setStringList(l);
    if (!l.isEmpty() && champ_->hasFocus())
        completeur_->complete();
    else
        completeur_->popup()->hide();
}

bool RechercheVue::valide(const QString& texte)
{
    if (!ouverte())
        return false;
    // A suggestion chosen, or else the first finding of the text typed.
    auto choix = std::find_if(trouvailles_.begin(), trouvailles_.end(), [&](const Trouvaille& t) { return t.texte == texte; });
    if (choix == trouvailles_.end()) {
        suggere(texte);
        choix = trouvailles_.begin();
    }
    if (choix == trouvailles_.end()) {
        f_.message(Texte::tr("Rien ne correspond à « %1 »").arg(texte.trimmed()));
        return false;
    }
    const Trouvaille t = *choix;
    ferme();
    f_.va_a_la_trouvaille(t);
    return true;
}

bool RechercheVue::eventFilter(QObject* o, QEvent* e)
{
    // Enter in the open list with no suggestion highlighted goes to the
    // first (the list would only close).
    if (o == completeur_->popup() && e->type() == QEvent::KeyPress) {
        const int k = static_cast<QKeyEvent*>(e)->key();
        if ((k == Qt::Key_Return || k == Qt::Key_Enter) && !completeur_->popup()->currentIndex().isValid()) {
            completeur_->popup()->hide();
            valide(champ_->text());
            return true;
        }
    }
    if (o == champ_ && (e->type() == QEvent::ShortcutOverride || e->type() == QEvent::KeyPress) &&
        static_cast<QKeyEvent*>(e)->key() == Qt::Key_Escape) {
        // Esc is the field's: it closes the field (its suggestions close
        // themselves first, in their own list).
        e->accept();
        if (e->type() == QEvent::KeyPress)
            ferme();
        return true;
    }
    return QObject::eventFilter(o, e);
}

}  // namespace orv
