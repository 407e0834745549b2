#include "langue.h"

#include "reglages_utilisateur.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QSettings>
#include <QTranslator>
#include <memory>

static void charge_ressources_traductions()
{
    // The catalogues are compiled into the core library's resources.
    Q_INIT_RESOURCE(orvalis_core_traductions);
}

namespace orv {

namespace {
std::unique_ptr<QSettings> reglages_programme()
{
    return reglages_utilisateur(QStringLiteral("Orvalis"), QStringLiteral("orvalis"));
}
}  // namespace

bool langue_connue(const QString& code)
{
    return code == QLatin1String("fr") || code == QLatin1String("en");
}

Langue choisit_langue(const QString& demandee, const QString& enregistree, const QStringList& langues_systeme)
{
    for (const QString& c : {demandee, enregistree})
        if (langue_connue(c))
            return c == QLatin1String("en") ? Langue::Anglais : Langue::Francais;
    const QString premiere = langues_systeme.value(0).toLower();
    return premiere == QLatin1String("en") || premiere.startsWith(QLatin1String("en-")) ||
                   premiere.startsWith(QLatin1String("en_"))
               ? Langue::Anglais
               : Langue::Francais;
}

QString code_langue(Langue l) { return l == Langue::Anglais ? QStringLiteral("en") : QStringLiteral("fr"); }

namespace {
Langue installee = Langue::Francais;
}

Langue langue_installee() { return installee; }

void installe_langue(Langue l)
{
    installee = l;
    charge_ressources_traductions();
    static QTranslator programme, qt;
    QCoreApplication::removeTranslator(&programme);
    QCoreApplication::removeTranslator(&qt);
    const QString code = code_langue(l);
    if (programme.load(QStringLiteral(":/i18n/orvalis_%1.qm").arg(code)))
        QCoreApplication::installTranslator(&programme);
    if (qt.load(QStringLiteral("qtbase_%1").arg(code), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&qt);
}

QString langue_enregistree()
{
    const auto s = reglages_programme();
    return s ? s->value(QStringLiteral("langue")).toString() : QString();
}

bool enregistre_langue(Langue l)
{
    auto s = reglages_programme();
    if (!s)
        return false;
    s->setValue(QStringLiteral("langue"), code_langue(l));
    s->sync();
    return s->status() == QSettings::NoError;
}

}  // namespace orv
