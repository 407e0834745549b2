#include "courses_recentes.h"

#include "reglages_utilisateur.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QSettings>

#include <cmath>

namespace orv {

namespace {
const QString CLE = QStringLiteral("courses/recentes");

// One key per race: a digest of its absolute path (a path may hold the
// characters a settings key may not).
QString cle_vue(const QString& chemin)
{
    const QByteArray absolu = QFileInfo(chemin).absoluteFilePath().toUtf8();
    return QStringLiteral("courses/vues/") +
           QString::fromLatin1(QCryptographicHash::hash(absolu, QCryptographicHash::Sha1).toHex());
}
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

std::optional<VueRetenue> vue_retenue(const QString& chemin)
{
    const auto s = reglages_utilisateur(QStringLiteral("Orvalis"), QStringLiteral("orvalis"));
    if (!s)
        return std::nullopt;
    const QStringList l = s->value(cle_vue(chemin)).toStringList();
    if (l.size() != 8)
        return std::nullopt;
    double n[5];
    for (int k = 0; k < 5; ++k) {
        bool ok = false;
        n[k] = l[k].toDouble(&ok);
        if (!ok || !std::isfinite(n[k]))
            return std::nullopt;
    }
    VueRetenue v;
    v.nord = n[0];
    v.sud = n[1];
    v.ouest = n[2];
    v.est = n[3];
    v.largeur_large = n[4];
    // Bounds no view can hold are a damaged entry.
    if (std::abs(v.nord) > 90 || std::abs(v.sud) > 90 || std::abs(v.ouest) > 540 || std::abs(v.est) > 540 ||
        v.largeur_large < 0 || v.largeur_large > 1080 || (l[5] != QLatin1String("0") && l[5] != QLatin1String("1")))
        return std::nullopt;
    v.echelle_libre = l[5] == QLatin1String("1");
    if (!l[6].isEmpty()) {
        bool ok = false;
        const qlonglong t = l[6].toLongLong(&ok);
        if (!ok)
            return std::nullopt;
        v.instant = t;
    }
    if (!l[7].isEmpty()) {
        v.jour = QDate::fromString(l[7], Qt::ISODate);
        if (!v.jour.isValid())
            return std::nullopt;
    }
    return v;
}

bool retient_vue(const QString& chemin, const VueRetenue& v)
{
    auto s = reglages_utilisateur(QStringLiteral("Orvalis"), QStringLiteral("orvalis"));
    if (!s)
        return false;
    const auto nombre = [](double x) { return QString::number(x, 'g', 17); };
    s->setValue(cle_vue(chemin), QStringList{nombre(v.nord), nombre(v.sud), nombre(v.ouest), nombre(v.est),
                                             nombre(v.largeur_large), v.echelle_libre ? QStringLiteral("1") : QStringLiteral("0"),
                                             v.instant ? QString::number(*v.instant) : QString(),
                                             v.jour.isValid() ? v.jour.toString(Qt::ISODate) : QString()});
    s->sync();
    return s->status() == QSettings::NoError;
}

namespace {
const QString CLE_STYLE = QStringLiteral("carte/style");
}

bool style_moderne_retenu()
{
    const auto s = reglages_utilisateur(QStringLiteral("Orvalis"), QStringLiteral("orvalis"));
    return s && s->value(CLE_STYLE).toString() == QLatin1String("moderne");
}

bool retient_style_moderne(bool moderne)
{
    auto s = reglages_utilisateur(QStringLiteral("Orvalis"), QStringLiteral("orvalis"));
    if (!s)
        return false;
    s->setValue(CLE_STYLE, moderne ? QStringLiteral("moderne") : QStringLiteral("classique"));
    s->sync();
    return s->status() == QSettings::NoError;
}

FenetreRetenue fenetre_retenue()
{
    const auto s = reglages_utilisateur(QStringLiteral("Orvalis"), QStringLiteral("orvalis"));
    if (!s)
        return {};
    FenetreRetenue f;
    f.geometrie = s->value(QStringLiteral("fenetre/geometrie")).toByteArray();
    f.etat = s->value(QStringLiteral("fenetre/etat")).toByteArray();
    f.course = s->value(QStringLiteral("fenetre/course")).toString();
    return f;
}

bool retient_fenetre(const FenetreRetenue& f)
{
    auto s = reglages_utilisateur(QStringLiteral("Orvalis"), QStringLiteral("orvalis"));
    if (!s)
        return false;
    s->setValue(QStringLiteral("fenetre/geometrie"), f.geometrie);
    s->setValue(QStringLiteral("fenetre/etat"), f.etat);
    s->setValue(QStringLiteral("fenetre/course"), f.course);
    s->sync();
    return s->status() == QSettings::NoError;
}

}  // namespace orv
