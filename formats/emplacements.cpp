#include "emplacements.h"

#include <QDir>
#include <QFileInfo>

namespace orv {

namespace {
// A folder holds the program's data when its lists are there.
bool contient_donnees(const QString& rep)
{
    return QFileInfo::exists(QDir(rep).filePath(QString::fromLatin1(FICHIER_COURSE)));
}
}  // namespace

Emplacements determine_emplacements(const QString& rep_executable, const QString& rep_utilisateur)
{
    Emplacements e;
    const QString partage = QDir::cleanPath(rep_executable + QStringLiteral("/../share/orvalis"));
    if (!contient_donnees(rep_executable) && contient_donnees(partage)) {
        e.rep_programme = partage;
        e.rep_archives = rep_utilisateur;
        e.installe = true;
    } else {
        e.rep_programme = rep_executable;
    }
    return e;
}

}  // namespace orv
