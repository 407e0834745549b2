#include "menu_langue.h"

#include "traduction.h"

#include <QActionGroup>
#include <QMenu>

namespace orv {

void ajoute_menu_langue(QMenu* vue, Langue en_cours, std::function<void(const QString&)> informe)
{
    QMenu* menu = vue->addMenu(Texte::tr("&Langue"));
    menu->menuAction()->setObjectName(QStringLiteral("Langue1"));
    auto* groupe = new QActionGroup(menu);
    // Each language under its own name, whatever the language in use.
    const struct {
        Langue langue;
        const char* nom;
        const char* objet;
    } choix[] = {{Langue::Francais, "&Français", "LangueFr"}, {Langue::Anglais, "&English", "LangueEn"}};
    for (const auto& c : choix) {
        QAction* a = menu->addAction(QString::fromUtf8(c.nom));
        a->setObjectName(QString::fromLatin1(c.objet));
        a->setCheckable(true);
        a->setChecked(c.langue == en_cours);
        groupe->addAction(a);
        const Langue l = c.langue;
        QObject::connect(a, &QAction::triggered, menu, [l, en_cours, informe] {
            if (!enregistre_langue(l))
                informe(Texte::tr("Le choix de la langue n'a pas pu être enregistré dans les réglages."));
            else if (l == en_cours)
                informe(Texte::tr("Orvalis restera dans cette langue."));
            else
                informe(l == Langue::Anglais
                            ? Texte::tr("Orvalis sera en anglais à son prochain démarrage.")
                            : Texte::tr("Orvalis sera en français à son prochain démarrage."));
        });
    }
}

}  // namespace orv
