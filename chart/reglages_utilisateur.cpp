#include "reglages_utilisateur.h"

#include "traduction.h"

#include <QDir>
#include <QFileInfo>
#include <QMutex>
#include <QStandardPaths>
#include <set>

namespace orv {

namespace {
QMutex verrou;
std::set<QString> refuses, dits;  // files not regular; those already said

// Where QSettings keeps them (native form, user scope).
QString fichier_reglages(const QString& organisation, const QString& application)
{
#ifdef Q_OS_WIN
    Q_UNUSED(organisation);
    Q_UNUSED(application);
    return {};
#else
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return application.isEmpty() ? QDir(base).filePath(organisation + QStringLiteral(".conf"))
                                 : QDir(base).filePath(organisation + u'/' + application + QStringLiteral(".conf"));
#endif
}
}  // namespace

std::unique_ptr<QSettings> reglages_utilisateur(const QString& organisation, const QString& application)
{
    const QString f = fichier_reglages(organisation, application);
    const QFileInfo i(f);
    // QFileInfo follows a link: the file it names must be regular.
    if (!f.isEmpty() && i.exists() && !i.isFile()) {
        signale_reglages_irreguliers(f);
        return nullptr;
    }
    return application.isEmpty() ? std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope, organisation)
                                 : std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                               organisation, application);
}

void signale_reglages_irreguliers(const QString& fichier)
{
    QMutexLocker l(&verrou);
    refuses.insert(QFileInfo(fichier).absoluteFilePath());
}

QStringList avis_reglages_utilisateur()
{
    QMutexLocker l(&verrou);
    QStringList avis;
    for (const QString& f : refuses)
        if (dits.insert(f).second)
            avis << Texte::tr("« %1 » n'est pas un fichier ordinaire : les réglages par défaut sont pris.")
                        .arg(QDir::toNativeSeparators(f));
    return avis;
}

}  // namespace orv
