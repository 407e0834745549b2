// The language of the program: French, its own (the texts as written), or
// English from its catalogue. Chosen once at start-up; Qt's own catalogue
// (its standard buttons and dialogs) follows.
#pragma once

#include <QString>
#include <QStringList>

namespace orv {

enum class Langue { Francais, Anglais };

// `demandee` (the command line's --langue: "fr", "en") when given, else
// `enregistree` (the choice kept in the settings), else English when the
// first of the system's preferred interface languages is English, else
// French (a C or POSIX locale included).
Langue choisit_langue(const QString& demandee, const QString& enregistree, const QStringList& langues_systeme);
QString code_langue(Langue l);  // "fr", "en"
// Whether a --langue value is one (fr, en).
bool langue_connue(const QString& code);

// Installs the catalogues of `l` for the whole program: for English the
// program's and Qt's English; for French the program's French plural forms
// and Qt's French. A QCoreApplication must exist.
void installe_langue(Langue l);
// The language last installed (French before any).
Langue langue_installee();

// The choice kept in the user's settings ("fr", "en"; empty: none), and
// keeping one; false when the settings could not be written.
QString langue_enregistree();
bool enregistre_langue(Langue l);

}  // namespace orv
