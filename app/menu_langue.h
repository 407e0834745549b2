// The "&Langue" submenu of "&Vue": French or English, kept in the user's
// settings and taken at the next start (the windows are built once, in the
// language installed then).
#pragma once

#include "langue.h"

#include <QString>
#include <functional>

class QMenu;

namespace orv {

// Adds the submenu to `vue`, the language in use checked. `informe` tells
// the user what the choice does, or that it could not be kept.
void ajoute_menu_langue(QMenu* vue, Langue en_cours, std::function<void(const QString&)> informe);

}  // namespace orv
