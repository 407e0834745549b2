// The races the user opened last, kept in their settings.
#pragma once

#include <QStringList>

namespace orv {

inline constexpr int NB_COURSES_RECENTES = 5;

// The paths, the latest first.
QStringList courses_recentes();
// `chemin` put first (once); false when the settings could not be written.
bool retient_course(const QString& chemin);

}  // namespace orv
