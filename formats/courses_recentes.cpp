#include "courses_recentes.h"

#include "reglages_utilisateur.h"

#include <QFileInfo>
#include <QSettings>

namespace orv {

namespace {
const QString CLE = QStringLiteral("courses/recentes");
}

QStringList courses_recentes()
{
    const auto s = reglages_utilisateur(QStringLiteral("Orvalis"), QStringLiteral("orvalis"));
    return s ? s->value(CLE).toStringList().mid(0, NB_COURSES_RECENTES) : QStringList();
}

bool retient_course(const QString& chemin)
{
    auto s = reglages_utilisateur(QStringLiteral("Orvalis"), QStringLiteral("orvalis"));
    if (!s)
        return false;
    const QString absolu = QFileInfo(chemin).absoluteFilePath();
    QStringList l = s->value(CLE).toStringList();
    l.removeAll(absolu);
    l.prepend(absolu);
    s->setValue(CLE, l.mid(0, NB_COURSES_RECENTES));
    s->sync();
    return s->status() == QSettings::NoError;
}

}  // namespace orv
