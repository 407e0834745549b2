// The user's own stored values (QSettings in the platform's native form:
// ~/.config/<organisation>/<application>.conf here), read only from a
// regular file: a FIFO or a device in its place would hang every read. Such
// a file is left alone, the defaults used, and the user told once.
#pragma once

#include <QSettings>
#include <QString>
#include <QStringList>
#include <memory>

namespace orv {

// The settings, or null when their file is there but is not a regular file.
std::unique_ptr<QSettings> reglages_utilisateur(const QString& organisation, const QString& application = {});

// Notes a settings file of the program's (posorvls.ini) that is there but
// is not a regular file, for avis_reglages_utilisateur.
void signale_reglages_irreguliers(const QString& fichier);

// The settings files of the program that are there but are not regular
// files, each named once per run ("" when none); the caller says them.
QStringList avis_reglages_utilisateur();

}  // namespace orv
