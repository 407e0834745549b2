// The races the user opened last, kept in their settings.
#pragma once

#include <QByteArray>
#include <QDate>
#include <QStringList>

#include <cstdint>
#include <optional>

namespace orv {

inline constexpr int NB_COURSES_RECENTES = 5;

// The paths, the latest first.
QStringList courses_recentes();
// `chemin` put first (once); false when the settings could not be written.
bool retient_course(const QString& chemin);

// The chart's style the user chose last: true for the modern one; the
// classic one when none was chosen or what is kept is not a style.
bool style_moderne_retenu();
// false when the settings could not be written.
bool retient_style_moderne(bool moderne);

// Where the user left the program: the window's geometry and state (as
// QMainWindow saves them; empty when none) and the race open (empty: the
// program's own, or none kept).
struct FenetreRetenue {
    QByteArray geometrie, etat;
    QString course;
};
FenetreRetenue fenetre_retenue();
bool retient_fenetre(const FenetreRetenue& f);

// Where the user left a race: the view asked for (its bounds, DD.MM, as the
// chart's viewport holds them), the film's instant when a film was open, the
// day shown when a day was.
struct VueRetenue {
    double nord = 0, sud = 0, ouest = 0, est = 0;
    double largeur_large = 0;  // a view wider than the bounds say, else 0
    bool echelle_libre = false;
    std::optional<int64_t> instant;  // seconds since the epoch, UTC
    QDate jour;
    bool operator==(const VueRetenue&) const = default;
};
// The view kept for the race at `chemin`; nothing when none was kept or
// what was kept cannot be read as one.
std::optional<VueRetenue> vue_retenue(const QString& chemin);
// false when the settings could not be written.
bool retient_vue(const QString& chemin, const VueRetenue& v);

}  // namespace orv
