// The tool bar's icons, drawn by the program (no image files).
#pragma once

#include <QIcon>
#include <QString>

namespace orv {

enum class Icone { Zoom, Panoramique, Details, Date, Distance, Classement, Trajets, Route, Actualiser, Aide, Quitter };

// The icon, dimmed for the greyed state.
QIcon icone(Icone i, bool grise);
// The icon of a tool button by its name ("ToolBZoom" ...).
Icone nom_vers_icone(const QString& bouton);
// The picture alone, 24 × 21 pixels on black.
QPixmap dessin_icone(Icone i, bool grise);

}  // namespace orv
